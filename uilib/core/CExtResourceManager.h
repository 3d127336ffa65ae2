// The UI library's one entry for loading resources: strings, menus, accelerator tables, bitmaps
// and raw resource data. By default it uses the framework's resource search in any language.
// With custom languages allowed it looks in the framework's current resource module for the
// desired language exactly and falls back to the neutral language (0x0409), reading string
// tables, menus and accelerators itself so that the language of each is under its control.
#pragma once
#include <afxwin.h>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEA(241)  // not in the platform headers
#endif

class CExtResourceManager {
public:
    // A private heap copy of one resource's bytes.
    class ResourceMemoryBuffer {
    public:
        ResourceMemoryBuffer() = default;
        ~ResourceMemoryBuffer() { Empty(); }
        ResourceMemoryBuffer(const ResourceMemoryBuffer&) = delete;
        ResourceMemoryBuffer& operator=(const ResourceMemoryBuffer&) = delete;

        void Empty();
        bool Alloc(DWORD nSize, bool bZero = false);
        bool LoadFromResourceInfo(HINSTANCE hModule, HRSRC hRsrc);
        // Only a resource of exactly that language.
        bool LoadFromModule(HINSTANCE hModule, LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangId);
        BYTE* GetBuffer() const { return m_pData; }
        DWORD GetSize() const { return m_nSize; }

    private:
        BYTE* m_pData = NULL;
        DWORD m_nSize = 0;
    };

    explicit CExtResourceManager(bool bAllowCustomLang = false, WORD nLangIdDesired = 0x0409);
    virtual ~CExtResourceManager() = default;

    virtual bool IsCustomLangAllowed() const;
    virtual BYTE AllowCustomLang(bool bAllow = true);
    virtual WORD GetLangIdDesired() const;
    virtual WORD SetLangIdDesired(WORD nLangId);
    virtual WORD GetLangIdNeutral() const;
    virtual int GetLocaleInfo(LCTYPE lcType, LPTSTR lpData, int cchData);

    // Each Find answers the module the resource was found in (NULL: not found); pnLangIdOut gets
    // the language found (neutral when not found), phRsrcOut the resource handle.
    virtual HINSTANCE FindResourceExact(LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangId,
                                        WORD* pnLangIdOut = NULL, HRSRC* phRsrcOut = NULL);
    virtual HINSTANCE FindResourceWithFallback(LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangIdDesired,
                                               WORD nLangIdFallback, WORD* pnLangIdOut = NULL,
                                               HRSRC* phRsrcOut = NULL);
    virtual HINSTANCE FindResourceDefault(LPCTSTR lpszType, LPCTSTR lpszName, WORD* pnLangIdOut = NULL,
                                          HRSRC* phRsrcOut = NULL);

    virtual bool LoadResourceBufferExact(ResourceMemoryBuffer& buffer, LPCTSTR lpszType, LPCTSTR lpszName,
                                         WORD nLangId, WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual bool LoadResourceBufferWithFallback(ResourceMemoryBuffer& buffer, LPCTSTR lpszType,
                                                LPCTSTR lpszName, WORD nLangIdDesired, WORD nLangIdFallback,
                                                WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual bool LoadResourceBufferDefault(ResourceMemoryBuffer& buffer, LPCTSTR lpszType, LPCTSTR lpszName,
                                           WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);

    virtual bool LoadStringWithFallback(CString& strOut, UINT nID, WORD nLangIdDesired, WORD nLangIdFallback,
                                        WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual bool LoadStringDefault(CString& strOut, UINT nID, WORD* pnLangIdOut = NULL,
                                   HINSTANCE* phModuleOut = NULL);

    virtual bool LoadMenuWithFallback(CMenu& menu, LPCTSTR lpszName, WORD nLangIdDesired, WORD nLangIdFallback,
                                      WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual bool LoadMenuDefault(CMenu& menu, LPCTSTR lpszName, WORD* pnLangIdOut = NULL,
                                 HINSTANCE* phModuleOut = NULL);
    bool LoadMenuDefault(CMenu& menu, UINT nID, WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL)
    {
        return LoadMenuDefault(menu, MAKEINTRESOURCEA(nID), pnLangIdOut, phModuleOut);
    }

    virtual HACCEL LoadAcceleratorsWithFallback(LPCTSTR lpszName, WORD nLangIdDesired, WORD nLangIdFallback,
                                                WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual HACCEL LoadAcceleratorsDefault(LPCTSTR lpszName, WORD* pnLangIdOut = NULL,
                                           HINSTANCE* phModuleOut = NULL);
    HACCEL LoadAcceleratorsDefault(UINT nID, WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL)
    {
        return LoadAcceleratorsDefault(MAKEINTRESOURCEA(nID), pnLangIdOut, phModuleOut);
    }

    virtual HBITMAP LoadBitmapWithFallback(LPCTSTR lpszName, WORD nLangIdDesired, WORD nLangIdFallback,
                                           WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    virtual HBITMAP LoadBitmapDefault(LPCTSTR lpszName, WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL);
    HBITMAP LoadBitmapDefault(UINT nID, WORD* pnLangIdOut = NULL, HINSTANCE* phModuleOut = NULL)
    {
        return LoadBitmapDefault(MAKEINTRESOURCEA(nID), pnLangIdOut, phModuleOut);
    }

    static constexpr WORD s_nLangIdNeutral = 0x0409;

private:
    // framework search in any language
    HINSTANCE FindResourceAnyLang(LPCTSTR lpszType, LPCTSTR lpszName, HRSRC* phRsrcOut);

    BYTE m_nFlags;
    WORD m_nLangIdDesired;
};

// The global holder of the one resource manager, made on first use.
class CExtResourceManagerHolder {
public:
    CExtResourceManager* operator->();
    CExtResourceManager* GetManager() { return operator->(); }
    // Deletes the current manager and installs the given one (NULL: a default one). Installing
    // the manager that is already installed keeps it.
    void InstallResourceManager(CExtResourceManager* pManager = NULL);
    ~CExtResourceManagerHolder();

private:
    CExtResourceManager* m_pManager = NULL;
};

extern CExtResourceManagerHolder g_ResourceManager;
