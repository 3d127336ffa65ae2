// The chevron at the end of a docked tool bar. The bar's layout hides the buttons that do not
// fit and hands them to the chevron (in bar order, not owned); pressing it opens a popup menu
// of those buttons followed by a "&Show/hide panels" sub-menu with the frame's bars.
#pragma once
#include "CExtBarButton.h"

class CExtBarContentExpandButton : public CExtBarButton {
    DECLARE_DYNCREATE(CExtBarContentExpandButton)
public:
    // The chevron's command id (-66).
    static const UINT kChevronCmdID;

    explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);
    ~CExtBarContentExpandButton() override;

    const CArray<CExtBarButton*, CExtBarButton*>& GetHiddenButtons() const { return m_arrHidden; }
    CArray<CExtBarButton*, CExtBarButton*>& GetHiddenButtons() { return m_arrHidden; }
    // Takes a button out of the hidden list (the bar is deleting it).
    void ForgetButton(const CExtBarButton* pButton);

    CSize MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz) override;
    bool AppendToPopupMenu(CExtPopupMenuWnd*) override { return false; }
    void Paint(CDC* pDC, bool bHorz) override;
    UINT TrackDropDownMenu(CPoint point, bool bSelectAny) override;
    void HandleClick(CPoint point, bool bDown) override;
    INT_PTR FillToolTipInfo(CPoint point, TOOLINFOA* pTI) override;
    bool IsCommandButton() const override { return false; }
    ButtonKind QueryButtonKind() const override { return kindChevron; }

    // Fills the chevron's popup (the frame may fill it itself): the hidden buttons, then the bars
    // sub-menu. Answers whether the popup has items.
    bool FillPopup(CExtPopupMenuWnd* pPopup);

private:
    CArray<CExtBarButton*, CExtBarButton*> m_arrHidden;
};
