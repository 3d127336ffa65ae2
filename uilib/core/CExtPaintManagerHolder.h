// The process-wide holder of the current painter (g_PaintManager), with what the looks need to
// know about the system: the OS version flags, the visual-style (uxtheme) entry points with the
// Luna colour scheme and taskband colours, and the msimg32 drawing entry points.
//
// Everything the holder asks the system about its version and visual style goes through one
// seam, CExtPaintManagerHolder::SystemAnswers. The default answers call the system; a test
// installs its own (SetSystemAnswers) to give, say, Windows XP with the blue Luna style, which
// Wine never reports, and so reach the branches that depend on it.
#pragma once
#include "CExtPaintManager.h"

class CExtPaintManagerHolder {
public:
    // What the system says about itself. Override any of these in a test.
    class SystemAnswers {
    public:
        virtual ~SystemAnswers() = default;
        // Fills the record as GetVersionExA does (size field already set).
        virtual BOOL GetVersion(OSVERSIONINFOA& osvi);
        // Binds the visual-style library: its module, or NULL when there is none.
        virtual HMODULE BindUxThemeModule();
        // Looks up one visual-style entry point.
        virtual FARPROC GetUxThemeProc(HMODULE hModule, LPCSTR lpszName);
        // The running visual style, answered through the bound entry points by default.
        virtual BOOL IsAppThemed(CExtPaintManagerHolder& holder);
        virtual BOOL GetCurrentThemeName(CExtPaintManagerHolder& holder, CString& strFile,
                                         CString& strColor);
        // The seven taskband colours; false when they cannot all be read.
        virtual bool GetTaskbandColors(CExtPaintManagerHolder& holder, COLORREF* pColors);
    };

    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    CExtPaintManager* operator->() const { return m_pPaintManager; }
    CExtPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // Installs pPaintManager (NULL: a new XP painter); the holder owns it from now on and
    // deletes the one it replaces. Installing the installed painter again changes nothing.
    bool InstallPaintManager(CExtPaintManager* pPaintManager);
    bool EnsureInstalled();

    // Whether pWnd's notice of a system change is the one passed on to the painter, so that
    // a change reaches it once per frame. The forwarders do nothing without a painter (a late
    // message after the holder has ended).
    static bool IsDesignatedForwarder(CWnd* pWnd);
    LRESULT OnSysColorChange(CWnd* pWnd);
    LRESULT OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnDisplayChange(CWnd* pWnd, INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    LRESULT OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    // Replaces the system answers (NULL: the real system; the holder does not own them), then
    // reads the OS version and binds the visual styles again. The painter is not re-initialised:
    // install one, or call its OnThemeChanged, to see the change.
    void SetSystemAnswers(SystemAnswers* pAnswers);
    SystemAnswers& GetSystemAnswers() { return *m_pAnswers; }

    // Reads the OS version into the flags and the description.
    void InitOsVersion();
    // Binds the visual-style entry points and reads the Luna scheme and the taskband colours.
    void BindUxTheme();

    // OS flags A
    enum {
        OsWin32s = 0x01, OsWin9x = 0x02, OsWin95 = 0x04, OsWin98 = 0x08, OsWin98OrLater = 0x10,
        OsWinNT = 0x20, OsWinNT4 = 0x40, OsWin2000 = 0x80
    };
    // OS flags B
    enum { OsWinXP = 0x01, OsWinNT4OrLater = 0x02, OsWinNT5OrLater = 0x04, OsNewerThan2000 = 0x08 };
    // Visual-style flags
    enum { UxBound = 0x01, UxAppThemed = 0x02, UxTaskbandColors = 0x04, UxAllowed = 0x08 };
    enum { LunaNone = 0, LunaNormalColor = 1, LunaHomestead = 2, LunaMetallic = 3 };
    enum { TaskbandColorCount = 7, UxThemeProcCount = 48 };

    CString m_strOsVer;
    OSVERSIONINFOA m_osVerData;
    BYTE m_nOsFlagsA;
    BYTE m_nOsFlagsB;
    FARPROC m_pfnUxTheme[UxThemeProcCount];
    HMODULE m_hUxTheme;
    BYTE m_nUxThemeFlags;
    COLORREF m_clrTaskband[TaskbandColorCount];
    int m_eLunaScheme;
    HMODULE m_hMsImg32;
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int,
                                        BLENDFUNCTION);
    typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    PFNGRADIENTFILL m_pfnGradientFill;
    PFNALPHABLEND m_pfnAlphaBlend;
    PFNTRANSPARENTBLT m_pfnTransparentBlt;

    bool IsWinNT() const { return (m_nOsFlagsA & OsWinNT) != 0; }
    bool IsWinNT5OrLater() const { return (m_nOsFlagsB & OsWinNT5OrLater) != 0; }
    bool IsWinXPOrLater() const { return (m_nOsFlagsB & OsNewerThan2000) != 0; }
    bool IsUxBound() const { return (m_nUxThemeFlags & UxBound) != 0; }

    // Names of the visual-style entry points, in the order of m_pfnUxTheme.
    static const char* const g_UxThemeProcNames[UxThemeProcCount];
    FARPROC UxProc(const char* lpszName) const;

private:
    CExtPaintManager* m_pPaintManager;
    SystemAnswers m_answersDefault;
    SystemAnswers* m_pAnswers;
};

extern CExtPaintManagerHolder g_PaintManager;
