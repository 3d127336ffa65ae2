// The UI library's skinned radio button: a check box of the library with a round box and group
// behaviour. A click checks it and clears the other radio buttons of its dialog group; the arrow
// keys move the check (and the focus) to the next available radio button of the group, which
// also clears the rest, so a group never holds two checked radio buttons.
#pragma once
#include "CExtCheckBox.h"
#include <vector>

class CExtRadioButton : public CExtCheckBox {
    DECLARE_DYNCREATE(CExtRadioButton)
public:
    CExtRadioButton();
    ~CExtRadioButton() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoClick(bool bSelectFirstItem, bool bOnArrowPart) override;
    void PaintBox(CDC& dc, CRect& rcBox, CExtPaintManager::PushButtonPaintData& data) override;
    // Hook for a derived class that paints the box itself: answers true when it did. The code is
    // state + 2 x look (look as for the check box; state 0 or 1).
    virtual bool OnPaintRadioBox(CDC& dc, const CRect& rcBox, int nBoxStateCode);

    // Moves the check to the next enabled, visible radio button of the group (forwards or
    // backwards, wrapping), focuses it and notifies its parent; false when there is none or it
    // is already checked.
    bool SelectNextInGroup(bool bForward);
    // Clears every other checked radio button of the group (disabled and hidden ones too).
    void UncheckOthersInGroup();

    bool IsRadioType() const { return m_nButtonType == BS_RADIOBUTTON || m_nButtonType == BS_AUTORADIOBUTTON; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The siblings of this control's dialog group in their order (this control included): from
    // the nearest WS_GROUP window at or before it up to the next WS_GROUP window.
    std::vector<HWND> GroupMembers() const;
    DECLARE_MESSAGE_MAP()
};
