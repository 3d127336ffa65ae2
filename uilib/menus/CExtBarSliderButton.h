// A tool-bar button that carries a slider: a label part (the command's icon and text) followed
// by a slider part along the bar. With arrow-button extents of 0 it looks like a track bar (a
// thin track and a small thumb); with non-zero extents like a scroll bar (arrow buttons at both
// ends, page areas and a thumb sized by the page). The user drags the thumb or holds an arrow
// button or a page area down; the button runs its own mouse-tracking loop and changes its
// position. It hosts no control, has no drop-down menu and delivers no command: a derived class
// observes moves by overriding SetPosition, which the loop calls for every move.
#pragma once
#include "CExtBarButton.h"

class CExtBarSliderButton : public CExtBarButton {
    DECLARE_DYNCREATE(CExtBarSliderButton)
public:
    // Part indexes of m_rcParts.
    enum {
        partLabel = 0, partSlider, partTrack, partPageBefore, partPageAfter, partArrowStart, partArrowEnd, partThumb,
        partCount
    };
    // The timer of the stepping parts while the mouse is held down on the bar window.
    enum { kStepTimerID = 401, kStepTimerPeriod = 50 };

    explicit CExtBarSliderButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, DWORD dwStyle = 0,
                                 UINT nTotalRange = 0, UINT nPosition = 0, UINT nPageSize = 0,
                                 UINT nButtonExtentHorz = 0, UINT nButtonExtentVert = 0, UINT nSliderLengthHorz = 50,
                                 UINT nSliderLengthVert = 50);
    ~CExtBarSliderButton() override;

    // ---- the bar button's operations ----
    bool IsSeparatedDropDown() const override { return false; }
    void SetSeparatedDropDown(bool bOn = true) override { (void)bOn; }
    bool IsAutoChangeCommand() const override { return false; }
    void SetAutoChangeCommand(bool bOn = true) override { (void)bOn; }
    void SetCtrl(CWnd* pCtrl, bool bAutoDestroyed = false) override { (void)pCtrl, (void)bAutoDestroyed; }
    void SetRect(const RECT& rc) override;
    void SetMenu(HMENU hMenu, bool bContainer, bool bOwns) override { (void)hMenu, (void)bContainer, (void)bOwns; }
    HMENU GetMenu() const override { return NULL; }
    bool HasDropDownMenu(bool bUnused = false) const override { (void)bUnused; return false; }
    bool IsMenuContainer() const override { return false; }
    CSize MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz) override;
    void Paint(CDC* pDC, bool bHorz) override;
    UINT TrackDropDownMenu(CPoint point, bool bSelectAny) override { (void)point, (void)bSelectAny; return (UINT)-1; }
    void HandleClick(CPoint point, bool bDown) override;
    void DeliverCommand() override {}
    bool HandleSetCursor(CPoint point) override { (void)point; return false; }

    // ---- own operations (each setter answers the old value and runs RecalcParts; nothing is
    // repainted: the caller refreshes the button) ----
    virtual UINT GetTotalRange() const { return m_nTotalRange; }
    // A position above the new range is first lowered to it (through SetPosition).
    virtual UINT SetTotalRange(UINT nVal);
    virtual UINT GetPosition() const { return m_nPosition; }
    // Any value is stored as given.
    virtual UINT SetPosition(UINT nVal);
    virtual UINT GetPageSize() const { return m_nPageSize; }
    virtual UINT SetPageSize(UINT nVal);
    // The arrow-button extent of a horizontal layout.
    virtual UINT GetSliderValue2() const { return m_nButtonExtentHorz; }
    virtual UINT SetSliderValue2(UINT nVal);
    // The arrow-button extent of a vertical layout.
    virtual UINT GetSliderValue3() const { return m_nButtonExtentVert; }
    virtual UINT SetSliderValue3(UINT nVal);
    virtual UINT GetSliderLengthHorz() const { return m_nSliderLengthHorz; }
    virtual UINT SetSliderLengthHorz(UINT nVal);
    virtual UINT GetSliderLengthVert() const { return m_nSliderLengthVert; }
    virtual UINT SetSliderLengthVert(UINT nVal);
    virtual void RecalcParts();
    virtual void PaintPart(CDC* pDC, int nPart);

    // The range the moves cover: 0 when the total range is not above the page size; the total
    // range in the track-bar look; the total range less a page in the scroll-bar look.
    UINT GetEffectiveRange() const;
    // Horizontal unless the bar is docked vertically (always horizontal forces it).
    bool IsLayoutHorizontal() const;
    CRect GetPartRect(int nPart) const { return nPart >= 0 && nPart < partCount ? m_rcParts[nPart] : CRect(0, 0, 0, 0); }
    int GetTrackedPart() const { return m_nTrackedPart; }
    int GetPressedPart() const { return m_nPressedPart; }

protected:
    UINT SetAndRecalc(UINT& nField, UINT nVal);
    UINT ButtonExtent(bool bHorz) const { return bHorz ? m_nButtonExtentHorz : m_nButtonExtentVert; }
    UINT SliderLength(bool bHorz) const { return bHorz ? m_nSliderLengthHorz : m_nSliderLengthVert; }
    bool IsSliderEnabled() const { return !IsDisabled() && GetEffectiveRange() > 0; }
    bool IsSliderHover() const;
    // The mouse-tracking loop of a press on part nPart at ptPress (bar client coordinates).
    void TrackSlider(int nPart, CPoint ptPress);
    // One step of a stepping part; false when nothing moved.
    bool StepOnce(int nStep, bool bForward);
    bool StepAtCursor(HWND hWndBar, int nStep, bool bForward);
    // The step while pt (bar client coordinates) is over the tracked part.
    bool StepAt(CPoint pt, int nStep, bool bForward);

    UINT m_nTotalRange;
    UINT m_nPosition;
    UINT m_nPageSize;
    UINT m_nButtonExtentHorz;
    UINT m_nButtonExtentVert;
    UINT m_nSliderLengthHorz;
    UINT m_nSliderLengthVert;
    CRect m_rcParts[partCount];
    int m_nTrackedPart;
    int m_nPressedPart;
};
