// The small buttons in a control bar's caption: the base and its three kinds, Expand (maximise
// the bar in its row or give the row back), Close (hide the bar) and Menu (the bars menu of a
// floating tool bar). Each belongs to its bar, which creates, lays out, paints, hit-tests and
// clicks them. Points and rectangles are relative to the top-left corner of the window whose
// caption holds the button (the bar, or the floating frame of a floating bar).
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CExtControlBar;

class CExtBarNcAreaButton : public CObject {
    DECLARE_DYNCREATE(CExtBarNcAreaButton)
public:
    explicit CExtBarNcAreaButton(CExtControlBar* pBar = NULL);
    ~CExtBarNcAreaButton() override = default;

    enum State : BYTE { stateHover = 0x01, statePressed = 0x02, stateDisabled = 0x04, stateForMenu = 0x08 };

    virtual void Destroy() { delete this; }
    virtual void Reposition(CExtBarNcAreaButton* pPrevShown);
    virtual bool IsShown() const;
    virtual void Paint(CDC& dc);
    // HTNOWHERE inside (the kinds answer their own code), HTCLIENT outside; follows hover and
    // pressed.
    virtual UINT HitTest(const CPoint& point);
    virtual HCURSOR GetCursor(const CPoint& point) const;
    virtual bool Click(const CPoint& point);
    // The tool tip's text for the point: the bar's id, or -1 without a tip (or without pTI).
    virtual INT_PTR FillToolInfo(const CPoint& point, TOOLINFOA* pTI);

    // The caption the button sits in: its rectangle, the window's rectangle (screen), whether
    // the caption lies across and whether it shows text. False when there is none.
    bool GetBarCaptionRect(CRect& rcCaption, CRect& rcWindow, bool* pbHorz = NULL, bool* pbText = NULL) const;
    bool IsBarFixedSize() const;
    bool IsBarFloating() const;
    bool IsBarVisible() const;
    bool IsBarActive() const;
    CExtControlBar* GetBar() const { return m_pBar; }
    const CRect& GetRect() const { return m_rc; }

    CExtControlBar* m_pBar;
    CRect m_rc;
    BYTE m_nState;

protected:
    // Paints the glyph through the current look with the button's state.
    void PaintGlyph(CDC& dc, int eGlyph);
    // The base hit test (hover and pressed states) answered as a button of the caption:
    // HTMINBUTTON on the button, HTCLIENT elsewhere.
    UINT HitTestButton(const CPoint& point);
    // A click on the button: the hover and pressed states end; false (states kept) when the
    // point is off the button.
    bool TakeClick(const CPoint& point);
    // Sets the tip text (string nStringID, else the literal) into pTI; answers the bar's id.
    INT_PTR FillTip(const CPoint& point, TOOLINFOA* pTI, UINT nStringID, LPCTSTR lpszDefault);
};

class CExtBarNcAreaButtonExpand : public CExtBarNcAreaButton {
    DECLARE_DYNCREATE(CExtBarNcAreaButtonExpand)
public:
    explicit CExtBarNcAreaButtonExpand(CExtControlBar* pBar = NULL) : CExtBarNcAreaButton(pBar) {}
    bool IsShown() const override;
    void Paint(CDC& dc) override;
    UINT HitTest(const CPoint& point) override;
    bool Click(const CPoint& point) override;
    INT_PTR FillToolInfo(const CPoint& point, TOOLINFOA* pTI) override;
};

class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton {
    DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)
public:
    explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar = NULL) : CExtBarNcAreaButton(pBar) {}
    bool IsShown() const override;
    void Paint(CDC& dc) override;
    UINT HitTest(const CPoint& point) override;
    bool Click(const CPoint& point) override;
    INT_PTR FillToolInfo(const CPoint& point, TOOLINFOA* pTI) override;
};

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton {
    DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)
public:
    explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = NULL) : CExtBarNcAreaButton(pBar) {}
    bool IsShown() const override;
    void Paint(CDC& dc) override;
    UINT HitTest(const CPoint& point) override;
    bool Click(const CPoint& point) override;
    INT_PTR FillToolInfo(const CPoint& point, TOOLINFOA* pTI) override;

    // Event id of the "&Show/hide panels" menu's notifications to the frame.
    enum : WORD { eventMenuButton = 10, eventMenuButtonBars = 11 };

private:
    // The open popup paints the button on its surface where it covers it.
    static bool PaintForMenu(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea);
};
