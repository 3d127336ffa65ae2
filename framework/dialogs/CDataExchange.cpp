#include "CDataExchange.h"
#include "CDialog.h"
#include <cerrno>
#include <climits>
#include <cstdlib>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == NULL) {
        TRACE("data exchange: no control %d in the dialog\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl != NULL && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

BOOL AFXAPI AfxUpdateData(CWnd* pWnd, BOOL bSaveAndValidate)
{
    // the exchange's own changes to the controls are no user edits: their notifications to
    // this window are dropped meanwhile
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = pWnd->GetSafeHwnd();
    CDataExchange dx(pWnd, bSaveAndValidate);
    BOOL bOK = FALSE;
    try {
        pWnd->DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CException* e) {
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
            char text[256] = "";
            e->GetErrorMessage(text, sizeof text);
            TRACE("data exchange failed: %s\n", text);
        }
        e->Delete();
    } catch (...) {
        pState->m_hLockoutNotifyWindow = hWndOldLockout;
        throw;
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

namespace {

CString WindowText(HWND hWnd)
{
    CString strText;
    int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, strText.GetBuffer(nLen), nLen + 1);
    strText.ReleaseBuffer();
    return strText;
}

// A decimal number with optional blanks around it and an optional sign; FALSE for anything
// else, and for a number outside [minValue, maxValue].
BOOL ParseNumber(const CString& strText, bool bSigned, long long minValue, long long maxValue, long long& result)
{
    const char* p = strText;
    while (*p == ' ' || *p == '\t')
        p++;
    const char* pStart = p;
    if (*p == '+' || (bSigned && *p == '-'))
        p++;
    if (*p < '0' || *p > '9')
        return FALSE;
    errno = 0;
    char* pEnd = NULL;
    long long value = strtoll(pStart, &pEnd, 10);
    if (errno == ERANGE)
        return FALSE;
    p = pEnd;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p != '\0' || (int)(p - (LPCTSTR)strText) != strText.GetLength())  // nothing after it, no NUL inside
        return FALSE;
    if (value < minValue || value > maxValue)
        return FALSE;
    result = value;
    return TRUE;
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(AfxLoadFrameworkString(nIDPrompt), MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

[[noreturn]] void FailRange(CDataExchange* pDX, UINT nIDPrompt, const CString& strMin, const CString& strMax)
{
    CString strPrompt;
    LPCTSTR args[2] = {strMin, strMax};
    AfxFormatStrings(strPrompt, AfxLoadFrameworkString(nIDPrompt), args, 2);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

// An edit holding a whole number: read back within its range (the prompt and a failed exchange
// otherwise), shown in the given format.
template <typename T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, bool bSigned, long long minValue, long long maxValue,
                    const char* format, UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long result = 0;
        if (!ParseNumber(WindowText(hWndCtrl), bSigned, minValue, maxValue, result))
            FailWith(pDX, nIDPrompt);
        value = static_cast<T>(result);
    } else {
        CString strText;
        strText.Format(format, value);
        ::SetWindowTextA(hWndCtrl, strText);
    }
}

}  // namespace

// ---- Edits ---------------------------------------------------------------------------------------

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, true, INT_MIN, INT_MAX, "%d", AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, UINT_MAX, "%u", AFX_IDP_PARSE_UINT);
}

// ---- Buttons -------------------------------------------------------------------------------------

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2) {
            TRACE("DDX_Check: value %d out of range, unchecked\n", value);
            value = 0;
        }
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // the group runs from nIDC to the next control with WS_GROUP
    int iButton = 0;
    do {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// ---- Combo and list boxes ----------------------------------------------------------------------

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
    } else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR) {
        ::SetWindowTextA(hWndCtrl, value);  // no item starts with it: the edit shows it
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
        return;
    }
    LRESULT nIndex = ::SendMessageA(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    if (nIndex != CB_ERR)
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)nIndex, 0);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

namespace {

CString ListText(HWND hWndCtrl, LRESULT nIndex)
{
    CString strText;
    LRESULT nLen = ::SendMessageA(hWndCtrl, LB_GETTEXTLEN, (WPARAM)nIndex, 0);
    if (nLen > 0) {
        ::SendMessageA(hWndCtrl, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)strText.GetBuffer((int)nLen));
        strText.ReleaseBuffer();
    }
    return strText;
}

}  // namespace

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        LRESULT nIndex = ::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = nIndex != LB_ERR ? ListText(hWndCtrl, nIndex) : CString();
    } else if (::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR) {
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);  // nothing matches: nothing selected
    }
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        LRESULT nIndex = ::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = nIndex != LB_ERR ? ListText(hWndCtrl, nIndex) : CString();
        return;
    }
    LRESULT nIndex = ::SendMessageA(hWndCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)(nIndex != LB_ERR ? nIndex : -1), 0);
}

// ---- Common controls ---------------------------------------------------------------------------

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0);
    else
        ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
        else
            value = CTime(0);
    } else if (value.GetTime() == 0 || !value.GetAsSystemTime(st)) {
        // the system wants a time to point at even for "none"
        ::GetLocalTime(&st);
        ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&st);
    } else {
        ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;  // bound already
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) {
        TRACE("DDX_Control: control %d is bound to another object\n", nIDC);
        AfxThrowNotSupportedException();
    }
}

// ---- Checks ----------------------------------------------------------------------------------------

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strMin, strMax;
    strMin.Format("%d", minVal);
    strMax.Format("%d", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, strMin, strMax);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strMin, strMax;
    strMin.Format("%u", minVal);
    strMax.Format("%u", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, strMin, strMax);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    DDV_MinMaxUInt(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl)
            ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString strMax;
    strMax.Format("%d", nChars);
    FailRange(pDX, AFX_IDP_PARSE_STRING_SIZE, strMax, CString());
}
