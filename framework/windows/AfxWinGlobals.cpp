#include "AfxWinGlobals.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "afxres.h"
#include <map>
#include <mutex>
#include <tuple>

const AUX_DATA afxData = {2, 2};

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    HWND hWndOwner = CWnd::GetSafeOwner(NULL)->GetSafeHwnd();
    // over a modal window of the program (owned by the main window) rather than behind it
    HWND hWndActive = ::GetActiveWindow();
    if (hWndActive != NULL && (hWndOwner == NULL || ::GetAncestor(hWndActive, GA_ROOTOWNER) == hWndOwner))
        hWndOwner = hWndActive;
    return ::MessageBoxA(hWndOwner, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

BOOL AFXAPI AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA wndcls;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;  // already there
    return ::RegisterClassA(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // one name per set of arguments, kept for the life of the process
    static std::mutex lock;
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, CString> names;
    std::lock_guard<std::mutex> guard(lock);
    auto key = std::make_tuple(nClassStyle, hCursor, hbrBackground, hIcon);
    auto it = names.find(key);
    if (it != names.end())
        return it->second;
    CString strName;
    strName.Format("OrvFw:%x:%p:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    WNDCLASSA wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = strName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return names.emplace(key, strName).first->second;
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString strResult;
    for (LPCTSTR p = lpszFormat; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != NULL)
                strResult += rglpsz[i];
            ++p;
        } else {
            strResult += *p;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    AfxFormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    LPCTSTR args[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, strFormat, args, 2);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (hInst != NULL && ::FindResourceA(hInst, lpszName, lpszType) != NULL)
        return hInst;
    return AfxGetInstanceHandle();
}

CString AFXAPI AfxLoadFrameworkString(UINT nID)
{
    CString strText;
    if (strText.LoadString(nID) && !strText.IsEmpty())
        return strText;
    static const struct {
        UINT nID;
        LPCSTR lpszText;
    } texts[] = {
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
        {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
        {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
        {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
        // the prompts of the system menu's commands
        {AFX_IDS_SCSIZE, "Change the window size"},
        {AFX_IDS_SCMOVE, "Change the window position"},
        {AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
        {AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
        {AFX_IDS_SCNEXTWINDOW, "Switch to the next document window"},
        {AFX_IDS_SCPREVWINDOW, "Switch to the previous document window"},
        {AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents"},
        {AFX_IDS_SCRESTORE, "Restore the window to normal size"},
        {AFX_IDS_SCTASKLIST, "Activate the task list"},
    };
    for (const auto& text : texts) {
        if (text.nID == nID)
            return text.lpszText;
    }
    return CString();
}
