#include "CExtPopupBaseWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuSite.h"
#include "CExtSoundPlayer.h"
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CExtPopupBaseWnd, CWnd)

int CExtPopupBaseWnd::g_nDefaultAnimation = kPopupEffectFade;
bool CExtPopupBaseWnd::g_bShadows = true;
// GetTickCount milliseconds (clock() is the process's processor time under Winelib).
DWORD CExtPopupBaseWnd::g_nLastAnimTime = 0;

namespace {

// A 32-bit bottom-up DIB section; its pixels through ppBits.
HBITMAP CreateDib32BottomUp(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBmp = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    *ppBits = hBmp != NULL ? static_cast<DWORD*>(pBits) : NULL;
    return hBmp;
}

bool IsPaletteScreen(HDC hdc)
{
    return CExtPaintManager::GetScreenBitsPerPixel() <= 8 && (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) != 0;
}

// Selects and realises the painter's palette into a DC of a palette screen for its lifetime.
class PaletteSelector {
public:
    explicit PaletteSelector(HDC hdc) : m_hdc(hdc), m_hOld(NULL)
    {
        if (!IsPaletteScreen(hdc) || g_PaintManager.GetPaintManager() == NULL)
            return;
        HPALETTE hPal = (HPALETTE)g_PaintManager->GetPalette().GetSafeHandle();
        if (hPal == NULL)
            return;
        m_hOld = ::SelectPalette(hdc, hPal, FALSE);
        ::RealizePalette(hdc);
    }
    ~PaletteSelector()
    {
        if (m_hOld != NULL)
            ::SelectPalette(m_hdc, m_hOld, FALSE);
    }

private:
    HDC m_hdc;
    HPALETTE m_hOld;
};

// A memory DC with one bitmap selected, released with the object.
class MemDC {
public:
    MemDC(HDC hdcRef, HBITMAP hBmp) : m_hdc(::CreateCompatibleDC(hdcRef)), m_hOld(NULL)
    {
        if (m_hdc != NULL)
            m_hOld = ::SelectObject(m_hdc, hBmp);
    }
    ~MemDC()
    {
        if (m_hdc != NULL) {
            ::SelectObject(m_hdc, m_hOld);
            ::DeleteDC(m_hdc);
        }
    }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

}  // namespace

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_SIZE()
    ON_WM_ACTIVATEAPP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CExtPopupBaseWnd::CExtPopupBaseWnd()
    : m_rcExcludeArea(0, 0, 0, 0), m_ptTrack(0, 0), m_nPopupFlags(0), m_pCbPaintCombinedCookie(NULL),
      m_pCbPaintCombinedContent(NULL), m_bPaintCombinedEnabled(false), m_eAnimationType(g_nDefaultAnimation),
      m_ePlaySoundOnAnimationFinished(CExtSoundPlayer::__NO_SOUND), m_pBitsBackground(NULL), m_pBitsImage(NULL),
      m_pBitsFrame(NULL), m_nAnimPercent(0), m_nAnimPercentOld(0), m_nAnimationState(0), m_rcCaptured(0, 0, 0, 0)
{
    CExtPopupBaseWnd::InitAnimation();
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
    CExtPopupBaseWnd::ReleaseAnimationBitmaps();
    m_ShadowCMBA.Destroy();
    m_ShadowMain.Destroy();
    m_bmpCaptured.DeleteObject();
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        CWnd::DestroyWindow();
}

BOOL CExtPopupBaseWnd::DestroyWindow()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return TRUE;
    return CWnd::DestroyWindow();
}

void CExtPopupBaseWnd::PostNcDestroy()
{
    // The object outlives its window (its owner deletes it); what the window showed goes.
    m_bmpCaptured.DeleteObject();
    m_rcCaptured.SetRectEmpty();
}

// ---- operations a popup may replace -------------------------------------------------------------

LPVOID CExtPopupBaseWnd::GetCbPaintCombinedCookie() const
{
    return m_bPaintCombinedEnabled ? m_pCbPaintCombinedCookie : NULL;
}

bool CExtPopupBaseWnd::IsOwnerItemPainter() const
{
    return false;
}

bool CExtPopupBaseWnd::IsTrackedWithoutSite() const
{
    return false;
}

void CExtPopupBaseWnd::AdjustAnimationEffect(int& nEffect)
{
    (void)nEffect;
}

void CExtPopupBaseWnd::InitAnimation()
{
    m_nAnimPercentOld = m_nAnimPercent = 0;
    int nEffect = m_eAnimationType;
    AdjustAnimationEffect(nEffect);
    bool bFinished = false;
    m_eAnimationType = ExtPopupChooseEffect(nEffect, CExtPaintManager::GetScreenBitsPerPixel(), std::rand(), bFinished);
    if (bFinished)
        m_nAnimationState |= ANIMATION_FINISHED;
    else
        m_nAnimationState &= ~ANIMATION_FINISHED;
}

void CExtPopupBaseWnd::StartAnimation()
{
    InitAnimation();
    if (m_eAnimationType == kPopupEffectNone)
        return;
    if (m_hWnd != NULL)
        SetTimer(ID_TIMER_ANIMATION, ID_PERIOD_ANIMATION);
    g_nLastAnimTime = ::GetTickCount();
}

void CExtPopupBaseWnd::ReleaseAnimationBitmaps()
{
    m_bmpBackground.DeleteObject();
    m_bmpImage.DeleteObject();
    m_bmpFrame.DeleteObject();
    m_pBitsBackground = m_pBitsImage = m_pBitsFrame = NULL;
}

bool CExtPopupBaseWnd::IsShadowWanted() const
{
    return g_bShadows;
}

int CExtPopupBaseWnd::GetShadowSize() const
{
    if (!IsShadowWanted() || g_PaintManager.GetPaintManager() == NULL)
        return 0;
    return g_PaintManager->GetMenuShadowSize();
}

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc)
{
    PaintFinal(dc);
}

void CExtPopupBaseWnd::PaintPopup(CDC& dc, bool bFinal)
{
    (void)dc;
    (void)bFinal;
}

void CExtPopupBaseWnd::GetAnimationRect(CRect& rc) const
{
    GetClientRect(&rc);
}

bool CExtPopupBaseWnd::IsHelpCursorForced() const
{
    return false;
}

void CExtPopupBaseWnd::GetExpandBands(CArray<ExpandBand, const ExpandBand&>& arrBands) const
{
    arrBands.RemoveAll();
}

// ---- messages ------------------------------------------------------------------------------------

int CExtPopupBaseWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    if (IsTrackedWithoutSite()) {
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return MA_NOACTIVATEANDEAT;
    }
    if (::GetWindow(m_hWnd, GW_CHILD) != NULL) {
        POINT pt;
        ::GetCursorPos(&pt);
        HWND hWndUnder = ::WindowFromPoint(pt);
        if (hWndUnder != NULL && (::GetWindowLongA(hWndUnder, GWL_STYLE) & WS_CHILD) != 0 &&
            ::GetParent(hWndUnder) == m_hWnd)
            return MA_ACTIVATE;
    }
    return MA_NOACTIVATE;
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CExtPopupBaseWnd::OnPaint()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    if (!IsWindowVisible()) {
        // A hidden popup paints nothing; its update area is dropped so no paint comes back.
        ::ValidateRect(m_hWnd, NULL);
        return;
    }
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    if (hdc == NULL)
        return;
    {
        CDC dc;
        dc.Attach(hdc);
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
        if (IsAnimationFinished())
            PaintFinal(dc);
        else
            PaintAnimationFrame(dc);
        dc.Detach();
    }
    ::EndPaint(m_hWnd, &ps);
}

void CExtPopupBaseWnd::OnNcPaint()
{
}

void CExtPopupBaseWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // The client area is the whole window.
    (void)bCalcValidRects;
    (void)lpncsp;
}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

void CExtPopupBaseWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CWnd::OnActivateApp(bActive, dwThreadID);
}

void CExtPopupBaseWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
}

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsHelpCursorForced()) {
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupBaseWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case ID_TIMER_ANIMATION:
        OnAnimationTick();
        return;
    case ID_TIMER_DELAY_SHOW:
        KillTimer(ID_TIMER_DELAY_SHOW);
        ShowWindow(SW_SHOWNA);
        Invalidate(FALSE);
        UpdateWindow();
        return;
    default:
        CWnd::OnTimer(nIDEvent);
    }
}

void CExtPopupBaseWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The screen behind the popup is taken before the popup covers it: read once the window
    // shows, it would be the popup's own pixels.
    CRect rc;
    GetWindowRect(&rc);
    const CRect rcOld = rc;
    if ((lpwndpos->flags & SWP_NOMOVE) == 0)
        rc.OffsetRect(lpwndpos->x - rc.left, lpwndpos->y - rc.top);
    if ((lpwndpos->flags & SWP_NOSIZE) == 0) {
        rc.right = rc.left + lpwndpos->cx;
        rc.bottom = rc.top + lpwndpos->cy;
    }
    if (!IsWindowVisible()) {
        if ((lpwndpos->flags & SWP_SHOWWINDOW) != 0)
            CaptureBackground(rc);
    } else if ((lpwndpos->flags & SWP_HIDEWINDOW) == 0 && rc != rcOld && m_bmpCaptured.GetSafeHandle() != NULL) {
        // A shown popup that moves or grows (a menu expanding its hidden items): the screen is
        // read again where the popup is not yet, and the earlier capture kept where it is.
        RecaptureBackground(rc);
    }
    CWnd::OnWindowPosChanging(lpwndpos);
}

// ---- animation -------------------------------------------------------------------------------------

void CExtPopupBaseWnd::OnAnimationTick()
{
    if (IsAnimationFinished()) {
        if (m_hWnd != NULL)
            KillTimer(ID_TIMER_ANIMATION);
        return;
    }
    const DWORD nNow = ::GetTickCount();
    const int nEffect = m_eAnimationType;
    if (nEffect == kPopupEffectExpand || (nEffect >= kPopupEffectSlideDiagonal && nEffect <= kPopupEffectShrinkingCircles))
        m_nAnimPercentOld = m_nAnimPercent;
    bool bFinished = false;
    m_nAnimPercent = ExtPopupAnimationStep(nEffect, m_nAnimPercent, nNow - g_nLastAnimTime, bFinished);
    if (bFinished) {
        m_nAnimationState |= ANIMATION_FINISHED;
        if (!IsTrackedWithoutSite() && g_pExtSoundPlayer != NULL)
            g_pExtSoundPlayer->PlayMenuSound(m_ePlaySoundOnAnimationFinished);
        m_ePlaySoundOnAnimationFinished = CExtSoundPlayer::__NO_SOUND;
        if (m_hWnd != NULL)
            KillTimer(ID_TIMER_ANIMATION);
        m_eAnimationType = g_nDefaultAnimation;
    }
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        if (bFinished)
            ReleaseAnimationBitmaps();
        // The last frame of some effects is not the whole popup (circles leave holes): the
        // finished popup is painted once more in its final look.
        Invalidate(FALSE);
    }
    g_nLastAnimTime = nNow;
    if (bFinished) {
        // A popup of a tree that was animating hands the site back its animated slot.
        IExtPopupSiteMenu* pSiteMenu = dynamic_cast<IExtPopupSiteMenu*>(this);
        CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
        if (pSiteMenu != NULL && site.GetAnimatedMenu() == pSiteMenu)
            site.SetAnimatedMenu(NULL);
    }
}

void CExtPopupBaseWnd::CaptureBackground(const CRect& rcScreen)
{
    m_bmpCaptured.DeleteObject();
    m_rcCaptured.SetRectEmpty();
    ReleaseAnimationBitmaps();
    m_ShadowCMBA.Destroy();
    m_ShadowMain.Destroy();
    if (rcScreen.IsRectEmpty())
        return;
    DWORD* pBits = NULL;
    HBITMAP hDib = CreateDib32BottomUp(rcScreen.Width(), rcScreen.Height(), &pBits);
    if (hDib == NULL)
        return;
    HDC hdcScreen = ::GetDC(NULL);
    {
        MemDC mem(hdcScreen, hDib);
        if (mem.Get() != NULL)
            ::BitBlt(mem.Get(), 0, 0, rcScreen.Width(), rcScreen.Height(), hdcScreen, rcScreen.left, rcScreen.top, SRCCOPY);
    }
    ::ReleaseDC(NULL, hdcScreen);
    ::GdiFlush();
    m_bmpCaptured.Attach(hDib);
    m_rcCaptured = rcScreen;
}

void CExtPopupBaseWnd::RecaptureBackground(const CRect& rcScreen)
{
    CBitmap bmpOld;
    bmpOld.Attach(m_bmpCaptured.Detach());
    const CRect rcOld = m_rcCaptured;
    CaptureBackground(rcScreen);
    if (m_bmpCaptured.GetSafeHandle() == NULL || bmpOld.GetSafeHandle() == NULL)
        return;
    HDC hdcScreen = ::GetDC(NULL);
    {
        MemDC memNew(hdcScreen, (HBITMAP)m_bmpCaptured.GetSafeHandle());
        MemDC memOld(hdcScreen, (HBITMAP)bmpOld.GetSafeHandle());
        if (memNew.Get() != NULL && memOld.Get() != NULL)
            ::BitBlt(memNew.Get(), rcOld.left - rcScreen.left, rcOld.top - rcScreen.top, rcOld.Width(), rcOld.Height(),
                     memOld.Get(), 0, 0, SRCCOPY);
    }
    ::ReleaseDC(NULL, hdcScreen);
    ::GdiFlush();
}

void CExtPopupBaseWnd::PaintFinal(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bmpCaptured.GetSafeHandle() == NULL || rcClient.IsRectEmpty() || m_rcCaptured.Width() != rcClient.Width() ||
        m_rcCaptured.Height() != rcClient.Height()) {
        PaintPopup(dc, true);
        return;
    }
    // Composed off-screen over the screen taken at show time, so the shadows darken what was
    // really there, and copied in one go.
    HDC hdc = dc.GetSafeHdc();
    PaletteSelector palette(hdc);
    HBITMAP hBmp = ::CreateCompatibleBitmap(hdc, rcClient.Width(), rcClient.Height());
    if (hBmp == NULL) {
        PaintPopup(dc, true);
        return;
    }
    {
        MemDC mem(hdc, hBmp);
        MemDC captured(hdc, (HBITMAP)m_bmpCaptured.GetSafeHandle());
        if (mem.Get() == NULL || captured.Get() == NULL) {
            ::DeleteObject(hBmp);
            PaintPopup(dc, true);
            return;
        }
        PaletteSelector paletteMem(mem.Get());
        ::BitBlt(mem.Get(), 0, 0, rcClient.Width(), rcClient.Height(), captured.Get(), 0, 0, SRCCOPY);
        CDC dcMem;
        dcMem.Attach(mem.Get());
        PaintPopup(dcMem, true);
        dcMem.Detach();
        ::BitBlt(hdc, 0, 0, rcClient.Width(), rcClient.Height(), mem.Get(), 0, 0, SRCCOPY);
    }
    ::DeleteObject(hBmp);
}

bool CExtPopupBaseWnd::CreateAnimationBitmaps(CDC& dc, const CSize& size)
{
    ReleaseAnimationBitmaps();
    HBITMAP hBackground = CreateDib32BottomUp(size.cx, size.cy, &m_pBitsBackground);
    HBITMAP hImage = CreateDib32BottomUp(size.cx, size.cy, &m_pBitsImage);
    HBITMAP hFrame = CreateDib32BottomUp(size.cx, size.cy, &m_pBitsFrame);
    if (hBackground == NULL || hImage == NULL || hFrame == NULL) {
        for (HBITMAP h : {hBackground, hImage, hFrame})
            if (h != NULL)
                ::DeleteObject(h);
        m_pBitsBackground = m_pBitsImage = m_pBitsFrame = NULL;
        return false;
    }
    m_bmpBackground.Attach(hBackground);
    m_bmpImage.Attach(hImage);
    m_bmpFrame.Attach(hFrame);

    // The background: the screen taken when the window showed (read from the screen now only
    // when there is none, which then may already hold the popup).
    HDC hdc = dc.GetSafeHdc();
    {
        MemDC mem(hdc, hBackground);
        if (m_bmpCaptured.GetSafeHandle() != NULL && m_rcCaptured.Width() == size.cx && m_rcCaptured.Height() == size.cy) {
            MemDC captured(hdc, (HBITMAP)m_bmpCaptured.GetSafeHandle());
            ::BitBlt(mem.Get(), 0, 0, size.cx, size.cy, captured.Get(), 0, 0, SRCCOPY);
        } else {
            CPoint ptOrg(0, 0);
            ClientToScreen(&ptOrg);
            HDC hdcScreen = ::GetDC(NULL);
            ::BitBlt(mem.Get(), 0, 0, size.cx, size.cy, hdcScreen, ptOrg.x, ptOrg.y, SRCCOPY);
            ::ReleaseDC(NULL, hdcScreen);
        }
    }
    ::GdiFlush();
    const size_t nBytes = (size_t)size.cx * size.cy * sizeof(DWORD);
    std::memcpy(m_pBitsImage, m_pBitsBackground, nBytes);
    std::memcpy(m_pBitsFrame, m_pBitsBackground, nBytes);
    // The popup's finished look over the real background, shadows included.
    {
        MemDC mem(hdc, hImage);
        CDC dcImage;
        dcImage.Attach(mem.Get());
        PaintPopup(dcImage, false);
        dcImage.Detach();
    }
    ::GdiFlush();
    return true;
}

void CExtPopupBaseWnd::RenderAnimationFrame(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const CSize size = rcClient.Size();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    HDC hdc = dc.GetSafeHdc();
    PaletteSelector palette(hdc);
    const int nEffect = m_eAnimationType;
    if (nEffect == kPopupEffectNone || nEffect == kPopupEffectRandom ||
        (nEffect == kPopupEffectFade && CExtPaintManager::GetScreenBitsPerPixel() <= 8)) {
        PaintFinal(dc);
        return;
    }
    if (m_bmpFrame.GetSafeHandle() == NULL && !CreateAnimationBitmaps(dc, size))
        return;
    MemDC frame(hdc, (HBITMAP)m_bmpFrame.GetSafeHandle());
    MemDC image(hdc, (HBITMAP)m_bmpImage.GetSafeHandle());
    if (frame.Get() == NULL || image.Get() == NULL)
        return;
    ComposeFrame(size, frame.Get(), image.Get());
    ::BitBlt(hdc, 0, 0, size.cx, size.cy, frame.Get(), 0, 0, SRCCOPY);
}

void CExtPopupBaseWnd::ComposeFrame(const CSize& size, HDC hdcFrame, HDC hdcImage)
{
    const int cx = size.cx, cy = size.cy;
    const int p = m_nAnimPercent < 0 ? 0 : (m_nAnimPercent > 100 ? 100 : m_nAnimPercent);
    const size_t nPixels = (size_t)cx * cy;
    // The side the popup joins its owner on: the owner area above (or left of) the popup's
    // middle pulls the image from there; a free popup unrolls from its top-left corner.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    bool bFromBottom = false, bFromRight = false;
    if (IsExcludeAreaUsed() && !m_rcExcludeArea.IsRectEmpty()) {
        bFromBottom = m_rcExcludeArea.CenterPoint().y > rcWindow.CenterPoint().y;
        bFromRight = m_rcExcludeArea.CenterPoint().x > rcWindow.CenterPoint().x &&
                     m_rcExcludeArea.right > rcWindow.right - (rcWindow.Width() / 2);
    }
    ::GdiFlush();
    switch (m_eAnimationType) {
    case kPopupEffectNoneFramed:
        std::memcpy(m_pBitsFrame, m_pBitsImage, nPixels * sizeof(DWORD));
        return;
    case kPopupEffectFade:
        for (size_t i = 0; i < nPixels; ++i)
            m_pBitsFrame[i] = ExtPopupFadePixel(m_pBitsBackground[i], m_pBitsImage[i], p);
        return;
    case kPopupEffectNoise: {
        const int d = p - m_nAnimPercentOld;
        if (d <= 0)
            return;
        for (size_t i = 0; i < nPixels; ++i)
            if (ExtPopupNoiseTakesImage(d, std::rand()))
                m_pBitsFrame[i] = m_pBitsImage[i];
        return;
    }
    case kPopupEffectBlinds:
    case kPopupEffectCircles:
    case kPopupEffectShrinkingCircles:
        // Bottom-up rows: row r is r lines above the popup's bottom edge.
        for (int r = 0; r < cy; ++r) {
            for (int c = 0; c < cx; ++c) {
                const size_t i = (size_t)r * cx + c;
                const ExtFramePixel px = m_eAnimationType == kPopupEffectBlinds
                                             ? ExtPopupBlindsPixel(c, r, p)
                                             : ExtPopupCirclesPixel(m_eAnimationType == kPopupEffectShrinkingCircles, c, r, p);
                if (px == kFrameImage)
                    m_pBitsFrame[i] = m_pBitsImage[i];
                else if (px == kFrameBackground)
                    m_pBitsFrame[i] = m_pBitsBackground[i];
            }
        }
        return;
    default:
        break;
    }

    // The effects drawn with GDI: the frame starts as the background.
    std::memcpy(m_pBitsFrame, m_pBitsBackground, nPixels * sizeof(DWORD));
    const int nSaved = ::SaveDC(hdcFrame);
    CRect rcPopup(0, 0, cx, cy);
    if (IsExcludeAreaUsed() && !m_rcExcludeArea.IsRectEmpty()) {
        // The owner's area keeps the screen as it is; the popup moves in beside it.
        CRect rcExclude = m_rcExcludeArea;
        rcExclude.OffsetRect(-rcWindow.left, -rcWindow.top);
        const int s = GetShadowSize();
        rcExclude.InflateRect(bFromRight ? 0 : s, bFromBottom ? s : 0, bFromRight ? s : 0, bFromBottom ? 0 : s);
        ::ExcludeClipRect(hdcFrame, rcExclude.left, rcExclude.top, rcExclude.right, rcExclude.bottom);
    }
    const int nStretchMode = g_PaintManager.IsWinNT() ? HALFTONE : COLORONCOLOR;
    switch (m_eAnimationType) {
    case kPopupEffectSlideDiagonal:
    case kPopupEffectSlideVertical: {
        const int dy = cy * (100 - p) / 100;
        const int dx = m_eAnimationType == kPopupEffectSlideDiagonal ? cx * (100 - p) / 100 : 0;
        const int x = bFromRight ? dx : -dx, y = bFromBottom ? dy : -dy;
        ::IntersectClipRect(hdcFrame, 0, 0, cx, cy);
        ::BitBlt(hdcFrame, x, y, cx, cy, hdcImage, 0, 0, SRCCOPY);
        break;
    }
    case kPopupEffectUnfold:
    case kPopupEffectUnfoldVertical: {
        const int h = cy * p / 100;
        const int w = m_eAnimationType == kPopupEffectUnfold ? cx * p / 100 : cx;
        if (w > 0 && h > 0) {
            const int x = bFromRight ? cx - w : 0, y = bFromBottom ? cy - h : 0;
            ::SetStretchBltMode(hdcFrame, nStretchMode);
            ::SetBrushOrgEx(hdcFrame, 0, 0, NULL);
            ::StretchBlt(hdcFrame, x, y, w, h, hdcImage, 0, 0, cx, cy, SRCCOPY);
        }
        break;
    }
    case kPopupEffectExpand: {
        CArray<ExpandBand, const ExpandBand&> arrBands;
        GetExpandBands(arrBands);
        if (arrBands.GetSize() == 0) {
            ::BitBlt(hdcFrame, 0, 0, cx, cy, hdcImage, 0, 0, SRCCOPY);
            break;
        }
        // Each item keeps its place; growing items are stretched to p% of their height and
        // everything below them moves up by what they still lack.
        int ySrc = 0, yDst = 0;
        ::SetStretchBltMode(hdcFrame, nStretchMode);
        for (INT_PTR i = 0; i < arrBands.GetSize(); ++i) {
            const ExpandBand& band = arrBands[i];
            if (band.nTop > ySrc) {
                ::BitBlt(hdcFrame, 0, yDst, cx, band.nTop - ySrc, hdcImage, 0, ySrc, SRCCOPY);
                yDst += band.nTop - ySrc;
                ySrc = band.nTop;
            }
            const int nHeight = band.bGrows ? band.nHeight * p / 100 : band.nHeight;
            if (nHeight > 0) {
                if (band.bGrows)
                    ::StretchBlt(hdcFrame, 0, yDst, cx, nHeight, hdcImage, 0, band.nTop, cx, band.nHeight, SRCCOPY);
                else
                    ::BitBlt(hdcFrame, 0, yDst, cx, nHeight, hdcImage, 0, band.nTop, SRCCOPY);
            }
            yDst += nHeight;
            ySrc = band.nTop + band.nHeight;
        }
        if (ySrc < cy)
            ::BitBlt(hdcFrame, 0, yDst, cx, cy - ySrc, hdcImage, 0, ySrc, SRCCOPY);
        break;
    }
    default:
        ::BitBlt(hdcFrame, 0, 0, cx, cy, hdcImage, 0, 0, SRCCOPY);
        break;
    }
    ::RestoreDC(hdcFrame, nSaved);
    ::GdiFlush();
}
