// The popup menu's layout (which items show, the content and window sizes, the scroll and expand
// buttons, item rectangles, hit tests) and its painting through the paint manager.
#include "CExtPopupMenuWnd.h"
#include <algorithm>
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"

namespace {

int BorderSize()
{
    return g_PaintManager.GetPaintManager() != NULL ? g_PaintManager->GetMenuBorderSize() : 2;
}

// The expand button's height is the system's menu check-mark height in every look.
int ExpandButtonHeight()
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

}  // namespace

// ---- layout --------------------------------------------------------------------------------------

void CExtPopupMenuWnd::RecalcItems()
{
    const int nCount = GetItemCount();
    int nColumn = 22;
    for (int i = 0; i < nCount; i++) {
        MENUITEMDATA& mi = m_items_all[i];
        mi.m_nItemIndex = i;
        if ((mi.m_nStateFlags & MENUITEMDATA::STATE_OWN_WIDTH) == 0)
            nColumn = std::max(nColumn, mi.m_nIconAreaWidth);
    }
    m_nIconColumnWidth = nColumn;
    for (int i = 0; i < nCount; i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if ((mi.m_nStateFlags & MENUITEMDATA::STATE_OWN_WIDTH) != 0)
            continue;
        if (!mi.IsSeparator())
            mi.m_nWidth += nColumn - mi.m_nIconAreaWidth;
        mi.m_nIconAreaWidth = nColumn;
    }
    m_sizeFullItems = CSize(1, 1);
    m_nMenuState &= ~MENU_HAS_HIDDEN;
    const bool bAll = IsExpanded() || (m_dwTrackFlags & TMF_SHOW_ALL) != 0 || !g_bMenuExpanding;
    int nWaitingSeparator = -1;
    bool bAnyShown = false;
    for (int i = 0; i < nCount; i++) {
        MENUITEMDATA& mi = m_items_all[i];
        bool bShow = true;
        if (mi.IsPopup()) {
            if (mi.m_pWndChild != NULL) {
                if (IsExpanded())
                    mi.m_pWndChild->m_nMenuState |= MENU_EXPANDED;
                mi.m_pWndChild->RecalcItems();
                bShow = mi.IsCustom() || !mi.m_pWndChild->AreAllItemsHidden();
            }
        } else if (mi.IsSeparator()) {
            bShow = bAnyShown && nWaitingSeparator < 0;
            if (bShow)
                nWaitingSeparator = i;
        } else if (!bAll && mi.m_pCbInplace == NULL) {
            const CExtCmdItem* pCmd = mi.GetCmd();
            bShow = pCmd == NULL || !pCmd->IsRarelyUsed();
        }
        if (bShow)
            mi.m_nStateFlags |= MENUITEMDATA::STATE_DISPLAYED;
        else
            mi.m_nStateFlags &= ~MENUITEMDATA::STATE_DISPLAYED;
        if (mi.IsDisplayed() && !mi.IsSeparator()) {
            nWaitingSeparator = -1;
            bAnyShown = true;
        }
        if (!mi.IsDisplayed()) {
            if (!mi.IsSeparator())
                m_nMenuState |= MENU_HAS_HIDDEN;
            continue;
        }
        m_sizeFullItems.cy += mi.m_nHeight;
        m_sizeFullItems.cx = std::max((int)m_sizeFullItems.cx, mi.m_nWidth);
    }
    if (nWaitingSeparator >= 0) {   // a separator ends the shown items: it goes
        MENUITEMDATA& mi = m_items_all[nWaitingSeparator];
        if ((mi.m_nStateFlags & MENUITEMDATA::STATE_ALWAYS_DISPLAYED) == 0) {
            mi.m_nStateFlags &= ~MENUITEMDATA::STATE_DISPLAYED;
            m_sizeFullItems.cy -= mi.m_nHeight;
        }
    }
    m_sizeFullItems.cx = std::max((int)m_sizeFullItems.cx, 80);
}

CSize CExtPopupMenuWnd::CalcMenuSize()
{
    const int b = BorderSize();
    const int s = GetShadowSize();
    CSize size(m_sizeFullItems.cx + m_nLeftAreaWidth + 2 * b + s, m_sizeFullItems.cy + 2 * b + s);
    if (HasHiddenItems())
        size.cy += ExpandButtonHeight();
    size.cx = std::max((int)size.cx, 2 * s + 10);
    size.cy = std::max((int)size.cy, 2 * s + 10);
    size.cy += HasHiddenItems() ? 2 : 1;
    return size;
}

int CExtPopupMenuWnd::GetMinScrollPosFor(int nClientHeight) const
{
    const int nMin = -(m_sizeFullItems.cy + 2 * BorderSize() - nClientHeight + GetShadowSize() +
                       (HasHiddenItems() ? ExpandButtonHeight() : 0));
    return std::min(0, nMin);
}

int CExtPopupMenuWnd::GetMinScrollPos()
{
    return IsScrolling() ? GetMinScrollPosFor(m_rcClient.Height()) : 0;
}

void CExtPopupMenuWnd::RecalcServiceRects()
{
    const int b = BorderSize();
    const int h = ExpandButtonHeight();
    const int w = m_nLeftAreaWidth;
    const int s = GetShadowSize();
    const CRect rc(m_rcClient.left, m_rcClient.top, m_rcClient.right - s, m_rcClient.bottom - s);
    m_rcExpandBtn.SetRectEmpty();
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    if (HasHiddenItems())
        m_rcExpandBtn.SetRect(rc.left + b + 1, rc.bottom - b - h - 1, rc.right - b - 1, rc.bottom - b - 1);
    if (IsScrolling()) {
        const int e = m_rcExpandBtn.IsRectEmpty() ? 0 : h;
        m_rcScrollTop.SetRect(rc.left + b + 1 + w, rc.top + b, rc.right - b - 1, rc.top + b + h);
        m_rcScrollBottom.SetRect(rc.left + b + 1 + w, rc.bottom - b - h - 1 - e, rc.right - b - 1, rc.bottom - b - 1 - e);
    }
}

CRect CExtPopupMenuWnd::GetItemRect(int nIndex) const
{
    switch (nIndex) {
    case HIT_SCROLL_UP: return IsScrolling() ? m_rcScrollTop : CRect(0, 0, 0, 0);
    case HIT_SCROLL_DOWN: return IsScrolling() ? m_rcScrollBottom : CRect(0, 0, 0, 0);
    case HIT_EXPAND: return HasHiddenItems() ? m_rcExpandBtn : CRect(0, 0, 0, 0);
    default: break;
    }
    if (nIndex < 0 || nIndex >= GetItemCount() || !m_items_all[nIndex].IsDisplayed())
        return CRect(0, 0, 0, 0);
    const int b = BorderSize();
    int y = b + m_nDyScrollOffset;
    for (int i = 0; i < nIndex; i++)
        if (m_items_all[i].IsDisplayed())
            y += m_items_all[i].m_nHeight;
    const MENUITEMDATA& mi = m_items_all[nIndex];
    CRect rc(b + 1, y, m_sizeFullItems.cx - 1 + b, y + mi.m_nHeight);
    if ((mi.m_nStateFlags & MENUITEMDATA::STATE_OWN_WIDTH) != 0) {
        rc.left = b + 3;
        rc.right = rc.left + mi.m_nWidth;
    }
    rc.OffsetRect(m_nLeftAreaWidth, 0);
    return rc;
}

CRect CExtPopupMenuWnd::GetItemsViewRect()
{
    const int b = BorderSize();
    const int s = GetShadowSize();
    CRect rc(m_rcClient.left + b, m_rcClient.top + b, m_rcClient.right - s - b, m_rcClient.bottom - s - b);
    // The buttons leave a pixel of the item area free below them: an item scrolled under a
    // button would show through there, so the view ends at the button's top edge.
    if (IsScrolling()) {
        if (m_nDyScrollOffset != 0 && !m_rcScrollTop.IsRectEmpty())
            rc.top = std::max(rc.top, m_rcScrollTop.bottom);
        if (m_nDyScrollOffset != GetMinScrollPos() && !m_rcScrollBottom.IsRectEmpty())
            rc.bottom = std::min(rc.bottom, m_rcScrollBottom.top);
    }
    if (HasHiddenItems() && !m_rcExpandBtn.IsRectEmpty())
        rc.bottom = std::min(rc.bottom, m_rcExpandBtn.top);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

CRect CExtPopupMenuWnd::GetItemEditRect(int nIndex) const
{
    CRect rc = GetItemRect(nIndex);
    if (rc.IsRectEmpty())
        return rc;
    rc.DeflateRect(1, 2);
    const MENUITEMDATA& mi = m_items_all[nIndex];
    if (mi.IsPopup())
        rc.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    rc.left = std::max((int)rc.left, (int)rc.right - mi.m_nInplaceEditWidth);
    return rc;
}

int CExtPopupMenuWnd::HitTest(const CPoint& ptClient, bool* pbInEdit, bool* pbInArrow)
{
    if (pbInEdit != NULL)
        *pbInEdit = false;
    if (pbInArrow != NULL)
        *pbInArrow = false;
    if (!m_rcClient.PtInRect(ptClient))
        return HIT_NOTHING;
    if (IsScrolling()) {
        if (m_nDyScrollOffset != 0 && m_rcScrollTop.PtInRect(ptClient))
            return HIT_SCROLL_UP;
        if (m_nDyScrollOffset != GetMinScrollPos() && m_rcScrollBottom.PtInRect(ptClient))
            return HIT_SCROLL_DOWN;
    }
    if (HasHiddenItems() && m_rcExpandBtn.PtInRect(ptClient))
        return HIT_EXPAND;
    // a point on a part of an item cut off at the view's edge finds nothing
    if (!GetItemsViewRect().PtInRect(ptClient))
        return HIT_NOTHING;
    for (int i = 0; i < GetItemCount(); i++) {
        const MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsDisplayed())
            continue;
        const CRect rc = GetItemRect(i);
        if (!rc.PtInRect(ptClient))
            continue;
        if (mi.IsInplaceEdit() && pbInEdit != NULL)
            *pbInEdit = GetItemEditRect(i).PtInRect(ptClient) != FALSE;
        if (mi.IsPopup() && pbInArrow != NULL)
            *pbInArrow = ptClient.x >= rc.right - ::GetSystemMetrics(SM_CXHTHUMB);
        return i;
    }
    return HIT_NOTHING;
}

bool CExtPopupMenuWnd::IsItemRarelyShown(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount() || !IsExpanded() || !g_bMenuExpanding || (m_dwTrackFlags & TMF_SHOW_ALL) != 0)
        return false;
    const MENUITEMDATA& mi = m_items_all[nPos];
    if (!mi.IsDisplayed())
        return false;
    if (mi.IsSeparator()) {   // between two rarely used items it belongs to them
        int nPrev = nPos - 1, nNext = nPos + 1;
        while (nPrev >= 0 && !m_items_all[nPrev].IsDisplayed())
            nPrev--;
        while (nNext < GetItemCount() && !m_items_all[nNext].IsDisplayed())
            nNext++;
        return nPrev >= 0 && nNext < GetItemCount() && IsItemRarelyShown(nPrev) && IsItemRarelyShown(nNext);
    }
    if (mi.IsPopup() || mi.m_pCbInplace != NULL)
        return false;
    const CExtCmdItem* pCmd = mi.GetCmd();
    return pCmd != NULL && pCmd->IsRarelyUsed();
}

void CExtPopupMenuWnd::GetExpandBands(CArray<ExpandBand, const ExpandBand&>& arrBands) const
{
    arrBands.RemoveAll();
    for (int i = 0; i < GetItemCount(); i++) {
        if (!m_items_all[i].IsDisplayed())
            continue;
        const CRect rc = GetItemRect(i);
        arrBands.Add(ExpandBand{rc.top, rc.Height(), IsItemRarelyShown(i)});
    }
}

void CExtPopupMenuWnd::ReleaseAnimationBitmaps()
{
    CExtPopupBaseWnd::ReleaseAnimationBitmaps();
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    Invalidate(FALSE);
    // The finished menu takes the input, unless a sub-menu of it holds it already.
    CExtPopupMenuSite& site = GetSite();
    if (IsTrackedWithoutSite() || site.IsEmpty() || site.IsShutdownMode())
        return;
    for (int i = 0; i < GetItemCount(); i++) {
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsPopup() && mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() != NULL)
            return;
    }
    CaptureInput();
}

bool CExtPopupMenuWnd::IsOwnerItemPainter() const
{
    return m_pCbPaintCombinedContent == &CExtPopupMenuWnd::PaintOwnerItem;
}

// ---- painting ------------------------------------------------------------------------------------

void CExtPopupMenuWnd::PaintPopupFrame(CDC& dc)
{
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    if (pPM == NULL)
        return;
    const int s = GetShadowSize();
    const CRect rcBody(m_rcClient.left, m_rcClient.top, m_rcClient.right - s, m_rcClient.bottom - s);
    dc.FillSolidRect(rcBody, pPM->GetMenuBackgroundColor());
    pPM->PaintMenuBorder(dc, rcBody, this);
    if (m_nLeftAreaWidth != 0 && ::IsWindow(m_hWndCmdReceiver)) {
        const int b = BorderSize();
        MsgDrawLeftAreaData data = {&dc, CRect(rcBody.left + b, rcBody.top + b, rcBody.left + b + m_nLeftAreaWidth, rcBody.bottom - b),
                                    this};
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&data);
    }
}

void CExtPopupMenuWnd::PaintPopupShadow(CDC& dc)
{
    const int s = GetShadowSize();
    if (s <= 0)
        return;
    const CRect rcBody(m_rcClient.left, m_rcClient.top, m_rcClient.right - s, m_rcClient.bottom - s);
    CRect rcExclude(0, 0, 0, 0);
    if (m_bCombine && m_hWnd != NULL) {
        rcExclude = m_rcExcludeArea;
        ScreenToClient(&rcExclude);
    }
    m_ShadowMain.Paint(dc, rcBody, rcExclude, CRect(0, 0, 0, 0), s, 75, 100, true, true, true);
}

void CExtPopupMenuWnd::PaintItem(CDC& dc, int nPos, const CRect& rcItem)
{
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    if (pPM == NULL || nPos < 0 || nPos >= GetItemCount())
        return;
    MENUITEMDATA& mi = m_items_all[nPos];
    // offered to the owner first while the tree's top menu asks for it
    IExtPopupSiteMenu* pTop = GetSite().GetTopMenu();
    const CExtPopupMenuWnd* pTopMenu = dynamic_cast<const CExtPopupMenuWnd*>(pTop);
    if (pTopMenu != NULL && (pTopMenu->m_dwTrackFlags & TMF_OWNER_DRAW) != 0 && !IsTrackedWithoutSite() &&
        ::IsWindow(m_hWndCmdReceiver)) {
        MsgDrawItemData data = {&dc, rcItem, &mi, this, (BYTE)(0x01 | (mi.IsPopup() ? 0x02 : 0))};
        if (::SendMessageA(m_hWndCmdReceiver, g_nMsgPopupDrawItem, 0, (LPARAM)&data) != 0)
            return;
    }
    const bool bRarely = g_bMenuHighlightRarely && IsItemRarelyShown(nPos);
    if (mi.IsSeparator()) {
        pPM->PaintMenuSeparator(dc, rcItem, m_nIconColumnWidth, bRarely, this);
        return;
    }
    const bool bSelected = (mi.m_nStateFlags & MENUITEMDATA::STATE_HIGHLIGHTED) != 0;
    const bool bEnabled = mi.IsEnabled() || (mi.m_nStateFlags & MENUITEMDATA::STATE_ALWAYS_ENABLED) != 0 || mi.IsPopup();
    CExtCmdIcon* pIcon = mi.GetIconPtr();
    if (pIcon != NULL && pIcon->IsEmpty())
        pIcon = NULL;
    if ((mi.m_nStateFlags & MENUITEMDATA::STATE_OWN_WIDTH) != 0) {
        CExtPaintManager::PushButtonPaintData pbd(this, true, rcItem, mi.m_sItemText, pIcon, true, bSelected, false, false,
                                                  bEnabled, false, false, false, 0);
        pPM->PaintPushButton(dc, pbd);
        return;
    }
    auto rarelyAt = [&](int nStep) {
        int i = nPos + nStep;
        while (i >= 0 && i < GetItemCount() && !m_items_all[i].IsDisplayed())
            i += nStep;
        return g_bMenuHighlightRarely && i >= 0 && i < GetItemCount() && IsItemRarelyShown(i);
    };
    const CString strAccel = mi.IsInplaceEdit() ? CString() : mi.m_sAccelText;
    CExtPaintManager::MenuItemPaintData data(this, rcItem, m_nIconColumnWidth, mi.m_sItemText, strAccel, pIcon, mi.IsPopup(),
                                             bSelected, mi.IsChecked(), mi.IsRadio(),
                                             (mi.m_nKindFlags & MENUITEMDATA::KIND_INDETERMINATE) != 0, bEnabled, bRarely,
                                             rarelyAt(-1), rarelyAt(+1), mi.GetCmdDeliverID());
    if (mi.IsInplaceEdit()) {
        data.m_bHelperPopupDropped = 1;
        CRect rcEdit = GetItemEditRect(nPos);
        rcEdit.OffsetRect(rcItem.left - GetItemRect(nPos).left, rcItem.top - GetItemRect(nPos).top);
        data.m_rcInPlaceWnd = rcEdit;
        if ((mi.m_nEditFlags & MENUITEMDATA::EDIT_ACTIVE) != 0)
            data.m_strInPlaceText = mi.m_sInplaceEditText;
        else if (mi.m_pInplaceEditStr != NULL)
            data.m_strInPlaceText = *mi.m_pInplaceEditStr;
    }
    pPM->PaintMenuItem(dc, data);
}

void CExtPopupMenuWnd::PaintPopup(CDC& dc, bool bFinal)
{
    (void)bFinal;
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    if (pPM == NULL)
        return;
    const int nSaved = dc.SaveDC();
    CFont* pOldFont = dc.SelectObject(&pPM->GetFont(CExtPaintManager::FontNormal));
    PaintPopupFrame(dc);
    const int s = GetShadowSize();
    {
        // the items are cut to the area between the service buttons shown over them
        const int nMin = GetMinScrollPos();
        const CRect rcItems = GetItemsViewRect();
        CRgn rgn;
        rgn.CreateRectRgnIndirect(&rcItems);
        dc.SelectClipRgn(&rgn, RGN_AND);
        for (int i = 0; i < GetItemCount(); i++) {
            if (!m_items_all[i].IsDisplayed())
                continue;
            const CRect rc = GetItemRect(i);
            if (rc.bottom <= rcItems.top || rc.top >= rcItems.bottom)
                continue;
            PaintItem(dc, i, rc);
        }
        dc.SelectClipRgn(NULL);
        if (HasHiddenItems())
            pPM->PaintMenuExpandButton(dc, m_rcExpandBtn, m_nCurIndex == HIT_EXPAND || m_nWaitingExpandTickCount != 0, this);
        if (IsScrolling()) {
            const struct {
                const CRect& rc;
                bool bShown;
                LPCTSTR lpszGlyph;
                int nHit;
            } buttons[] = {{m_rcScrollTop, m_nDyScrollOffset != 0, "5", HIT_SCROLL_UP},
                           {m_rcScrollBottom, m_nDyScrollOffset != nMin, "6", HIT_SCROLL_DOWN}};
            for (const auto& btn : buttons) {
                if (!btn.bShown)
                    continue;
                CExtPaintManager::PushButtonPaintData pbd(this, true, btn.rc, btn.lpszGlyph, NULL, true, m_nCurIndex == btn.nHit,
                                                          false, false, true, false, false, false, 1 | 4,
                                                          (HFONT)pPM->GetFont(CExtPaintManager::FontMarlett).GetSafeHandle());
                pPM->PaintPushButton(dc, pbd);
            }
        }
    }
    if (m_bCombine && m_nCombineAreaState != 0 && m_hWnd != NULL) {
        CRect rcArea = m_rcExcludeArea;
        ScreenToClient(&rcArea);
        const CRect rcBody(m_rcClient.left, m_rcClient.top, m_rcClient.right - s, m_rcClient.bottom - s);
        pPM->PaintMenuCombinedArea(dc, rcArea, rcBody, m_nCombineAreaState, this);
        if (m_bPaintCombinedEnabled && m_pCbPaintCombinedContent != NULL)
            m_pCbPaintCombinedContent(m_pCbPaintCombinedCookie, dc, *this, rcArea);
    }
    PaintPopupShadow(dc);
    dc.SelectObject(pOldFont);
    dc.RestoreDC(nSaved);
}

bool CExtPopupMenuWnd::PaintOwnerItem(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcExclude)
{
    const CExtPopupMenuWnd* pChild = dynamic_cast<const CExtPopupMenuWnd*>(&wndPopup);
    if (pChild == NULL || pChild->m_pWndParentMenu == NULL)
        return false;
    CExtPopupMenuWnd* pParent = pChild->m_pWndParentMenu;
    const int nPos = (int)(INT_PTR)pCookie;
    if (nPos < 0 || nPos >= pParent->GetItemCount())
        return false;
    pParent->PaintItem(dc, nPos, rcExclude);
    return true;
}
