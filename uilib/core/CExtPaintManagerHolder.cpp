// The painter holder: OS flags, visual-style and msimg32 bindings, installing painters.
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"
#include "ExtBarPaintQuery.h"
#include "ExtBarStandIns.h"
#include "ExtStatusBarPaintQuery.h"

// The one holder. It is made during static initialisation and installs the XP look at once.
CExtPaintManagerHolder g_PaintManager;

namespace {

// Visual-style entry points the holder calls itself (uxtheme.h is not C++-clean here, so the
// signatures are spelled out).
typedef BOOL(WINAPI* PFNISAPPTHEMED)();
typedef HANDLE(WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFNCLOSETHEMEDATA)(HANDLE);
typedef HRESULT(WINAPI* PFNGETTHEMECOLOR)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

// A looked-up entry point as its real type (through the generic function type, which the
// compiler accepts for any function pointer).
template <class T>
T ProcAs(FARPROC p) {
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(p));
}

CString WideToAnsi(const WCHAR* pwsz) {
    char buf[MAX_PATH * 2] = "";
    ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, buf, (int)sizeof buf - 1, NULL, NULL);
    return CString(buf);
}

}  // namespace

const char* const CExtPaintManagerHolder::g_UxThemeProcNames[UxThemeProcCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemePartSize",
    "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString",
    "GetThemeBool", "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont",
    "GetThemeRect", "GetThemeMargins", "GetThemeIntList", "GetThemePropertyOrigin",
    "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme",
    "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled", "GetThemeAppProperties",
    "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx"};

// ---- the real system's answers -------------------------------------------------------------

BOOL CExtPaintManagerHolder::SystemAnswers::GetVersion(OSVERSIONINFOA& osvi) {
    return ::GetVersionExA(&osvi);
}

HMODULE CExtPaintManagerHolder::SystemAnswers::BindUxThemeModule() {
    HMODULE hModule = ::GetModuleHandleA("uxtheme.dll");
    return hModule != NULL ? hModule : ::LoadLibraryA("uxtheme.dll");
}

FARPROC CExtPaintManagerHolder::SystemAnswers::GetUxThemeProc(HMODULE hModule, LPCSTR lpszName) {
    return hModule != NULL ? ::GetProcAddress(hModule, lpszName) : NULL;
}

BOOL CExtPaintManagerHolder::SystemAnswers::IsAppThemed(CExtPaintManagerHolder& holder) {
    PFNISAPPTHEMED pfn = ProcAs<PFNISAPPTHEMED>(holder.UxProc("IsAppThemed"));
    return pfn != NULL && pfn();
}

BOOL CExtPaintManagerHolder::SystemAnswers::GetCurrentThemeName(CExtPaintManagerHolder& holder,
                                                                CString& strFile,
                                                                CString& strColor) {
    PFNGETCURRENTTHEMENAME pfn = ProcAs<PFNGETCURRENTTHEMENAME>(holder.UxProc("GetCurrentThemeName"));
    if (pfn == NULL)
        return FALSE;
    WCHAR wszFile[MAX_PATH + 1] = {0};
    WCHAR wszColor[MAX_PATH + 1] = {0};
    if (pfn(wszFile, MAX_PATH, wszColor, MAX_PATH, NULL, 0) != S_OK)
        return FALSE;
    strFile = WideToAnsi(wszFile);
    strColor = WideToAnsi(wszColor);
    return TRUE;
}

bool CExtPaintManagerHolder::SystemAnswers::GetTaskbandColors(CExtPaintManagerHolder& holder,
                                                              COLORREF* pColors) {
    PFNOPENTHEMEDATA pfnOpen = ProcAs<PFNOPENTHEMEDATA>(holder.UxProc("OpenThemeData"));
    PFNCLOSETHEMEDATA pfnClose = ProcAs<PFNCLOSETHEMEDATA>(holder.UxProc("CloseThemeData"));
    PFNGETTHEMECOLOR pfnColor = ProcAs<PFNGETTHEMECOLOR>(holder.UxProc("GetThemeColor"));
    if (pfnOpen == NULL || pfnClose == NULL || pfnColor == NULL)
        return false;
    static const WCHAR wszTaskband[] = {'t', 'a', 's', 'k', 'b', 'a', 'n', 'd', 0};
    HANDLE hTheme = pfnOpen(::GetDesktopWindow(), wszTaskband);
    if (hTheme == NULL)
        return false;
    // TMT_EDGELIGHTCOLOR .. TMT_EDGEFILLCOLOR, TMT_FILLCOLORHINT, TMT_ACCENTCOLORHINT
    static const int props[TaskbandColorCount] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
    bool bAll = true;
    for (int i = 0; i < TaskbandColorCount && bAll; i++)
        bAll = pfnColor(hTheme, 2, 0, props[i], &pColors[i]) == S_OK;
    pfnClose(hTheme);
    return bAll;
}

// ---- the holder ----------------------------------------------------------------------------

CExtPaintManagerHolder::CExtPaintManagerHolder()
    : m_strOsVer("Unknown"),
      m_nOsFlagsA(0),
      m_nOsFlagsB(0),
      m_hUxTheme(NULL),
      m_nUxThemeFlags(UxAllowed),
      m_eLunaScheme(LunaNone),
      m_hMsImg32(NULL),
      m_pfnGradientFill(NULL),
      m_pfnAlphaBlend(NULL),
      m_pfnTransparentBlt(NULL),
      m_pPaintManager(NULL),
      m_pAnswers(&m_answersDefault) {
    memset(&m_osVerData, 0, sizeof m_osVerData);
    memset(m_pfnUxTheme, 0, sizeof m_pfnUxTheme);
    memset(m_clrTaskband, 0, sizeof m_clrTaskband);
    InitOsVersion();
    BindUxTheme();
    m_hMsImg32 = ::LoadLibraryA("msimg32.dll");
    if (m_hMsImg32 != NULL) {
        m_pfnGradientFill = ProcAs<PFNGRADIENTFILL>(::GetProcAddress(m_hMsImg32, "GradientFill"));
        m_pfnAlphaBlend = ProcAs<PFNALPHABLEND>(::GetProcAddress(m_hMsImg32, "AlphaBlend"));
        m_pfnTransparentBlt = ProcAs<PFNTRANSPARENTBLT>(::GetProcAddress(m_hMsImg32, "TransparentBlt"));
    }
    EnsureInstalled();
}

CExtPaintManagerHolder::~CExtPaintManagerHolder() {
    if (m_hMsImg32 != NULL)
        ::FreeLibrary(m_hMsImg32);
    m_hMsImg32 = NULL;
    m_pfnGradientFill = NULL;
    m_pfnAlphaBlend = NULL;
    m_pfnTransparentBlt = NULL;
    delete m_pPaintManager;
    // A window can still get a system message after the static objects have ended (its
    // forwarder then finds no painter). The store goes through a volatile name: the compiler
    // may otherwise drop it as a store into an object whose life ends here.
    *static_cast<CExtPaintManager* volatile*>(&m_pPaintManager) = NULL;
}

void CExtPaintManagerHolder::InitOsVersion() {
    m_nOsFlagsA = 0;
    m_nOsFlagsB = 0;
    memset(&m_osVerData, 0, sizeof m_osVerData);
    m_osVerData.dwOSVersionInfoSize = sizeof m_osVerData;   // 148
    m_pAnswers->GetVersion(m_osVerData);
    const DWORD dwMajor = m_osVerData.dwMajorVersion, dwMinor = m_osVerData.dwMinorVersion;
    CString strName;
    switch (m_osVerData.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        m_nOsFlagsA |= OsWin32s;
        strName = "Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        m_nOsFlagsA |= OsWin9x;
        if (dwMajor == 4 && dwMinor == 0)
            m_nOsFlagsA |= OsWin95;
        if (dwMajor >= 5 || (dwMajor == 4 && dwMinor > 0))
            m_nOsFlagsA |= OsWin98OrLater;
        strName = "Windows ";
        if ((m_nOsFlagsA & OsWin98OrLater) == 0) {
            strName += "95";
        } else if (dwMajor == 4 && dwMinor > 0) {
            m_nOsFlagsA |= OsWin98;
            strName += "98";
        } else {
            strName += "98 or later";
        }
        break;
    case VER_PLATFORM_WIN32_NT:
        m_nOsFlagsA |= OsWinNT;
        if (dwMajor == 4) {
            m_nOsFlagsA |= OsWinNT4;
            strName = "Windows NT";
        } else if (dwMajor == 5) {
            if (dwMinor == 0) {
                m_nOsFlagsA |= OsWin2000;
                strName = "Windows 2000";
            } else if (dwMinor == 1) {
                m_nOsFlagsB |= OsWinXP;
                strName = "Windows XP";
            }   // a later 5.x keeps an empty name
        } else {
            strName = "Windows NT";
        }
        if (dwMajor >= 4)
            m_nOsFlagsB |= OsWinNT4OrLater;
        if (dwMajor >= 5) {
            m_nOsFlagsB |= OsWinNT5OrLater;
            if (!(dwMajor == 5 && dwMinor == 0))
                m_nOsFlagsB |= OsNewerThan2000;
        }
        break;
    }
    char szCsd[sizeof m_osVerData.szCSDVersion + 1] = "";
    memcpy(szCsd, m_osVerData.szCSDVersion, sizeof m_osVerData.szCSDVersion);
    m_strOsVer.Format("%s v.%u.%u (build %u) %s", (LPCTSTR)strName, (unsigned)dwMajor,
                      (unsigned)dwMinor, (unsigned)m_osVerData.dwBuildNumber, szCsd);
}

FARPROC CExtPaintManagerHolder::UxProc(const char* lpszName) const {
    for (int i = 0; i < UxThemeProcCount; i++)
        if (strcmp(g_UxThemeProcNames[i], lpszName) == 0)
            return m_pfnUxTheme[i];
    return NULL;
}

void CExtPaintManagerHolder::BindUxTheme() {
    if ((m_nUxThemeFlags & (UxBound | UxTaskbandColors)) == (UxBound | UxTaskbandColors))
        return;
    m_nUxThemeFlags &= (BYTE) ~(UxBound | UxAppThemed | UxTaskbandColors);
    if (m_hUxTheme == NULL)
        m_hUxTheme = m_pAnswers->BindUxThemeModule();
    int nFound = 0;
    for (int i = 0; i < UxThemeProcCount; i++) {
        m_pfnUxTheme[i] = m_pAnswers->GetUxThemeProc(m_hUxTheme, g_UxThemeProcNames[i]);
        if (m_pfnUxTheme[i] != NULL)
            nFound++;
    }
    m_eLunaScheme = LunaNone;
    if (m_hUxTheme == NULL || nFound == 0 || UxProc("IsAppThemed") == NULL ||
        UxProc("OpenThemeData") == NULL || UxProc("CloseThemeData") == NULL ||
        UxProc("GetThemeColor") == NULL || UxProc("GetCurrentThemeName") == NULL)
        return;
    m_nUxThemeFlags |= UxBound;
    if (m_pAnswers->IsAppThemed(*this))
        m_nUxThemeFlags |= UxAppThemed;
    CString strFile, strColor;
    if (m_pAnswers->GetCurrentThemeName(*this, strFile, strColor)) {
        strFile.MakeLower();
        strColor.MakeLower();
        if (strFile.Find("luna.msstyles") >= 0) {
            if (strColor == "normalcolor")
                m_eLunaScheme = LunaNormalColor;
            else if (strColor == "homestead")
                m_eLunaScheme = LunaHomestead;
            else if (strColor == "metallic")
                m_eLunaScheme = LunaMetallic;
        }
    }
    if (m_pAnswers->GetTaskbandColors(*this, m_clrTaskband))
        m_nUxThemeFlags |= UxTaskbandColors;
}

void CExtPaintManagerHolder::SetSystemAnswers(SystemAnswers* pAnswers) {
    m_pAnswers = pAnswers != NULL ? pAnswers : &m_answersDefault;
    // A module bound through other answers is not ours to keep.
    m_hUxTheme = NULL;
    m_nUxThemeFlags &= (BYTE) ~(UxBound | UxTaskbandColors);
    InitOsVersion();
    BindUxTheme();
}

bool CExtPaintManagerHolder::InstallPaintManager(CExtPaintManager* pPaintManager) {
    if (m_pPaintManager != NULL) {
        if (pPaintManager == m_pPaintManager)
            return true;
        delete m_pPaintManager;
        m_pPaintManager = NULL;
    }
    m_pPaintManager = pPaintManager != NULL ? pPaintManager : new CExtPaintManagerXP;
    m_pPaintManager->InitFonts();
    m_pPaintManager->InitTranslatedColors();
    m_pPaintManager->SyncSysColors();
    return true;
}

bool CExtPaintManagerHolder::EnsureInstalled() {
    return m_pPaintManager != NULL || InstallPaintManager(NULL);
}

namespace {

// The nearest frame window from pWnd up (pWnd itself included), NULL when none.
CWnd* FrameOf(CWnd* pWnd) {
    for (CWnd* p = pWnd; p != NULL && p->m_hWnd != NULL; p = p->GetParent())
        if (p->IsFrameWnd())
            return p;
    return NULL;
}

}  // namespace

bool CExtPaintManagerHolder::IsDesignatedForwarder(CWnd* pWnd) {
    // A frame passes each change on through one window only: its status bar, else its first
    // outer dock bar (top, bottom, left, right); every bar and dock bar of the frame gets the
    // same message, and the painter must re-initialise once. A window without a frame, or in
    // a frame with neither, forwards for itself. The classes are told apart through what the
    // core can see: the status-bar class and the bars' paint query.
    if (pWnd == NULL || pWnd->m_hWnd == NULL || ExtIsStatusBar(pWnd))
        return true;
    CWnd* pFrame = FrameOf(pWnd);
    if (pFrame == NULL)
        return true;
    const CRuntimeClass* pMiniFrameClass = CRuntimeClass::FromName("CMiniFrameWnd");
    if (pMiniFrameClass != NULL && pFrame->IsKindOf(pMiniFrameClass)) {
        pFrame = FrameOf(pFrame->GetParent());
        if (pFrame == NULL || pFrame->IsKindOf(pMiniFrameClass))
            return true;
    }
    CWnd* pStatus = CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, 0xE801));
    if (pStatus != NULL && ExtIsStatusBar(pStatus))
        return pStatus == pWnd;
    static const int kSides[] = {0xE81B, 0xE81E, 0xE81C, 0xE81D};
    for (int nID : kSides) {
        for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (::GetDlgCtrlID(h) != nID)
                continue;
            CWnd* pBar = CWnd::FromHandlePermanent(h);
            const IExtBarPaintQuery* pQuery = ExtBarPaintQueryOf(pBar);
            if (pQuery != NULL && pQuery->QueryBarKind() == IExtBarPaintQuery::kindOuterDockBar)
                return pBar == pWnd;
        }
    }
    return true;
}

LRESULT CExtPaintManagerHolder::OnSysColorChange(CWnd* pWnd) {
    if (m_pPaintManager != NULL && IsDesignatedForwarder(pWnd))
        m_pPaintManager->OnSysColorChange();
    return 0;
}

LRESULT CExtPaintManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection) {
    if (m_pPaintManager != NULL && IsDesignatedForwarder(pWnd))
        m_pPaintManager->OnSettingChange(uFlags, lpszSection);
    return 0;
}

LRESULT CExtPaintManagerHolder::OnDisplayChange(CWnd* pWnd, INT nDepthBPP, INT nResolutionX,
                                                INT nResolutionY) {
    if (m_pPaintManager != NULL && IsDesignatedForwarder(pWnd))
        m_pPaintManager->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
    return 0;
}

LRESULT CExtPaintManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
    if (m_pPaintManager != NULL && IsDesignatedForwarder(pWnd))
        m_pPaintManager->OnThemeChanged(wParam, lParam);
    return 0;
}
