// A text link on the library's push button: it paints only its text (blue, red while hovered,
// purple once visited; underlined while hovered, pressed or focused), shows the hand cursor, and
// a click opens its address (or its own text) through the shell. Three ways are tried, in an
// order that depends on what the address looks like: the HTML-page handler's registered
// command line, the shell's Internet-shortcut object, and ShellExecute.
#pragma once
#include "CExtButton.h"

class CExtHyperLinkButton : public CExtButton {
    DECLARE_DYNCREATE(CExtHyperLinkButton)
public:
    // Link flag bits.
    enum : BYTE {
        LINK_PUSH_BUTTON = 0x01,   // a click goes through the push button (BN_CLICKED), no opening
        LINK_SHOW_VISITED = 0x02,  // a visited link shows the visited colour
        LINK_VISITED = 0x04,
    };
    // Verb numbers of the opening ways.
    enum { VERB_OPEN = 0, VERB_EDIT = 1, VERB_PRINT = 2 };
    // Longest command line the HTML handler's way will run: a longer one is refused whole, never
    // cut (a cut address would open something else).
    enum { MAX_COMMAND_LINE = 2048 };
    // Longest registry value read (the file type and the command line), in characters.
    enum { MAX_REGISTRY_VALUE = 260 };

    CExtHyperLinkButton();
    ~CExtHyperLinkButton() override;

    CString m_strURL;          // what a click opens; empty: the button's text
    BYTE m_nLinkFlags;
    UINT m_nTextAlign;         // DT_LEFT, DT_CENTER or DT_RIGHT
    COLORREF m_clrVisited;
    bool m_bUnderlineAlways;

    bool IsVisited() const { return (m_nLinkFlags & LINK_VISITED) != 0; }

    void DoClick(bool bSelectFirstItem, bool bOnArrowPart) override;
    void PaintButton(CDC& dc, bool bTransparentBackground) override;

    // The three ways; each answers whether it opened the address.
    virtual bool OpenViaInternetShortcut(LPCTSTR lpszAddress, int nVerb, bool bShowErrors);
    virtual bool OpenViaShellExecute(LPCTSTR lpszAddress, int nVerb, bool bShowErrors);
    virtual bool OpenViaHtmlHandler(LPCTSTR lpszAddress, int nVerb, bool bShowErrors);
    virtual void PaintText(CDC& dc, const CRect& rc, bool bVisited, bool bEnabled, bool bFocusAllowed, bool bFocused,
                           bool bHover, bool bPushed);
    virtual COLORREF GetTextColor(bool bVisited, bool bEnabled, bool bFocusAllowed, bool bFocused, bool bHover,
                                  bool bPushed);
    virtual CString GetText() const;
    // Tries the ways in their order; the first that opens the address makes the link visited.
    virtual bool Navigate(LPCTSTR lpszAddress, int nVerb, bool bShowErrors);

    // "http://", "file://", "www." or "web." at the start, in any letter case.
    static bool IsWebAddress(LPCTSTR lpszAddress);
    // The registered command line cut at its placeholder ("%1" in quotes, else a bare %1) and
    // the address appended after one space, quoted, a quote inside it written %22 (and the
    // backslashes before the closing quote doubled, so the quote stays a quote). False, and
    // nothing built, when the result would be longer than MAX_COMMAND_LINE.
    static bool BuildHandlerCommandLine(LPCTSTR lpszRegistered, LPCTSTR lpszAddress, CString& strCommandLine);
    // The default value of a key under HKEY_CLASSES_ROOT: a text of 1 to MAX_REGISTRY_VALUE
    // characters, else false (a longer value is refused, not cut).
    static bool ReadClassesValue(LPCTSTR lpszKey, CString& strValue);
    // The message text for a ShellExecute or WinExec result code.
    static CString ErrorText(UINT nCode);

protected:
    void ShowOpenError(UINT nCode) const;
    static LPCSTR VerbName(int nVerb);
};
