// Dialog data exchange: DoDataExchange lists, per control, a DDX_ routine that moves a value
// between the control and a member (towards the member when m_bSaveAndValidate) and DDV_
// routines that check the value just read. A value that cannot be taken shows the framework's
// standard message, gives the control the focus and stops the exchange (Fail throws a
// CUserException, which UpdateData catches and answers FALSE); the dialog stays open.
#pragma once
#include <afxwincore.h>

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls to members, with checks
    CWnd* m_pDlgWnd;           // the dialog, page or form view
    HWND m_hWndLastControl;    // the control the last DDX_ routine used (the DDV_ routines' target)
    BOOL m_bEditLastControl;   // ... and whether it is an edit

    // The control's handle (a missing control is a program error: CNotSupportedException).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last control (selecting an edit's text) and stops the exchange.
    [[noreturn]] void Fail();
};

// Edits: text, and numbers as decimal text (leading and trailing blanks allowed). UINT and
// DWORD are one type on this platform, so one routine serves both.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Check boxes (0 unchecked, 1 checked, 2 indeterminate) and radio groups (nIDC is the group's
// first button; the index of the checked one, -1 for none).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Combo and list boxes: the selection's index, or its text. Loading a text selects the first
// item that starts with it (Exact: that equals it); a combo with an edit shows the text even
// when no item matches.
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Sliders (track bars): the position.
void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Date and time pickers. A picker showing "none" (DTS_SHOWNONE, unchecked) reads as CTime(0),
// and CTime(0) loads as "none".
void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);
// Binds a control to its object once (subclassing): later exchanges leave it alone.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Checks of the value just read (they do nothing while loading, except DDV_MaxChars, which
// limits the edit).
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
