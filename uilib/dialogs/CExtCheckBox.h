// The UI library's skinned check box: a push button of the library underneath (owner-drawn, its
// check state kept by the library, hover tracked through the capture) that paints its face in
// the current painter's colours and its small box through the system's frame-control drawing,
// unless a derived class paints the box itself (OnPaintBox).
#pragma once
#include "CExtButton.h"
#include "CExtPaintManager.h"

class CExtCheckBox : public CExtButton {
    DECLARE_DYNCREATE(CExtCheckBox)
public:
    // Input flag bits: the left button went down on the control and is held; Space is held.
    enum : BYTE { INPUT_MOUSE_HELD = 0x01, INPUT_SPACE_HELD = 0x02 };
    // The small box is square.
    enum { BOX_SIZE = 13 };

    CExtCheckBox();
    ~CExtCheckBox() override;

    BYTE m_nInputFlags;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoClick(bool bSelectFirstItem, bool bOnArrowPart) override;
    void PaintButton(CDC& dc, bool bTransparentBackground) override;

    virtual void PaintContent(CDC& dc, CExtPaintManager::PushButtonPaintData& data);
    virtual void PaintBox(CDC& dc, CRect& rcBox, CExtPaintManager::PushButtonPaintData& data);
    // Hook for a derived class that paints the box itself: answers true when it did. The code is
    // state + 3 x look (look: 0 normal, 1 pressed, 2 hot, 3 disabled; state 0, 1 or 2).
    virtual bool OnPaintBox(CDC& dc, const CRect& rcBox, int nBoxStateCode);

    // The look of the box: 0 normal, 1 pressed, 2 hot, 3 disabled.
    int BoxLook(bool bEnabled, bool bHover) const;
    bool IsBoxPressed(bool bHover) const;

protected:
    // Shared by the check box and the radio button: the frame-control kind of the box.
    void DrawSystemBox(CDC& dc, const CRect& rcBox, UINT nKind, UINT nState, bool bEnabled, bool bHover);
    // Sends BN_CLICKED to the parent, then repaints unless the parent's handler destroyed the
    // control.
    void NotifyClicked();
    DECLARE_MESSAGE_MAP()
};
