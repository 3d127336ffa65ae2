#include "CExtResourceManager.h"
#include "ExtBitmapUtil.h"
#include <vector>

CExtResourceManagerHolder g_ResourceManager;

namespace {

template <class T>
void InitOut(T* p, T v)
{
    if (p != NULL)
        *p = v;
}

// Language used when custom languages are off and a raw resource is wanted: the system's pick.
const WORD kLangSystemDefault = 0x0800;

}  // namespace

// ---------------------------------------------------------------- ResourceMemoryBuffer

void CExtResourceManager::ResourceMemoryBuffer::Empty()
{
    if (m_pData != NULL)
        ::free(m_pData);
    m_pData = NULL;
    m_nSize = 0;
}

bool CExtResourceManager::ResourceMemoryBuffer::Alloc(DWORD nSize, bool bZero)
{
    if (nSize == 0)
        return false;
    Empty();
    m_pData = (BYTE*)::malloc(nSize);
    if (m_pData == NULL)
        return false;
    m_nSize = nSize;
    if (bZero)
        memset(m_pData, 0, nSize);
    return true;
}

bool CExtResourceManager::ResourceMemoryBuffer::LoadFromResourceInfo(HINSTANCE hModule, HRSRC hRsrc)
{
    Empty();
    if (hRsrc == NULL)
        return false;
    HGLOBAL hGlobal = ::LoadResource(hModule, hRsrc);
    if (hGlobal == NULL)
        return false;
    const DWORD nSize = ::SizeofResource(hModule, hRsrc);
    if (nSize == 0)
        return true;
    const void* p = ::LockResource(hGlobal);
    if (p == NULL || !Alloc(nSize, true))
        return false;
    memcpy(m_pData, p, nSize);
    return true;
}

bool CExtResourceManager::ResourceMemoryBuffer::LoadFromModule(HINSTANCE hModule, LPCTSTR lpszType,
                                                               LPCTSTR lpszName, WORD nLangId)
{
    Empty();
    HRSRC hRsrc = ::FindResourceExA(hModule, lpszType, lpszName, nLangId);
    if (hRsrc == NULL)
        return false;
    return LoadFromResourceInfo(hModule, hRsrc);
}

// ---------------------------------------------------------------- CExtResourceManager

CExtResourceManager::CExtResourceManager(bool bAllowCustomLang, WORD nLangIdDesired)
    : m_nFlags(bAllowCustomLang ? 1 : 0), m_nLangIdDesired(nLangIdDesired)
{
}

bool CExtResourceManager::IsCustomLangAllowed() const { return (m_nFlags & 1) != 0; }

BYTE CExtResourceManager::AllowCustomLang(bool bAllow)
{
    const BYTE old = m_nFlags;
    if (bAllow)
        m_nFlags |= 1;
    else
        m_nFlags &= (BYTE)~1;
    return old;
}

WORD CExtResourceManager::GetLangIdDesired() const { return m_nLangIdDesired; }

WORD CExtResourceManager::SetLangIdDesired(WORD nLangId)
{
    m_nLangIdDesired = nLangId;
    return m_nLangIdDesired;
}

WORD CExtResourceManager::GetLangIdNeutral() const { return s_nLangIdNeutral; }

int CExtResourceManager::GetLocaleInfo(LCTYPE lcType, LPTSTR lpData, int cchData)
{
    std::vector<LCID> locales;
    if (IsCustomLangAllowed()) {
        locales.push_back(MAKELCID(GetLangIdDesired(), SORT_DEFAULT));
        locales.push_back(MAKELCID(GetLangIdNeutral(), SORT_DEFAULT));
    }
    locales.push_back(::GetSystemDefaultLCID());
    locales.push_back(::GetUserDefaultLCID());
    locales.push_back(0);
    for (LCID lcid : locales) {
        const int n = ::GetLocaleInfoA(lcid, lcType, lpData, cchData);
        if (n > 0)
            return n;
    }
    return 0;
}

HINSTANCE CExtResourceManager::FindResourceAnyLang(LPCTSTR lpszType, LPCTSTR lpszName, HRSRC* phRsrcOut)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, lpszType);
    HRSRC hRsrc = hInst != NULL ? ::FindResourceA(hInst, lpszName, lpszType) : NULL;
    if (hRsrc == NULL)
        return NULL;
    InitOut(phRsrcOut, hRsrc);
    return hInst;
}

HINSTANCE CExtResourceManager::FindResourceExact(LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangId,
                                                 WORD* pnLangIdOut, HRSRC* phRsrcOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phRsrcOut, (HRSRC)NULL);
    if (!IsCustomLangAllowed())
        return FindResourceAnyLang(lpszType, lpszName, phRsrcOut);
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceExA(hInst, lpszType, lpszName, nLangId);
    if (hRsrc == NULL)
        return NULL;
    InitOut(pnLangIdOut, nLangId);
    InitOut(phRsrcOut, hRsrc);
    return hInst;
}

HINSTANCE CExtResourceManager::FindResourceWithFallback(LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangIdDesired,
                                                        WORD nLangIdFallback, WORD* pnLangIdOut,
                                                        HRSRC* phRsrcOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phRsrcOut, (HRSRC)NULL);
    if (!IsCustomLangAllowed())
        return FindResourceAnyLang(lpszType, lpszName, phRsrcOut);
    HINSTANCE h = FindResourceExact(lpszType, lpszName, nLangIdDesired, pnLangIdOut, phRsrcOut);
    if (h == NULL && nLangIdFallback != nLangIdDesired)
        h = FindResourceExact(lpszType, lpszName, nLangIdFallback, pnLangIdOut, phRsrcOut);
    return h;
}

HINSTANCE CExtResourceManager::FindResourceDefault(LPCTSTR lpszType, LPCTSTR lpszName, WORD* pnLangIdOut,
                                                   HRSRC* phRsrcOut)
{
    return FindResourceWithFallback(lpszType, lpszName, GetLangIdDesired(), GetLangIdNeutral(), pnLangIdOut,
                                    phRsrcOut);
}

bool CExtResourceManager::LoadResourceBufferExact(ResourceMemoryBuffer& buffer, LPCTSTR lpszType,
                                                  LPCTSTR lpszName, WORD nLangId, WORD* pnLangIdOut,
                                                  HINSTANCE* phModuleOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phModuleOut, (HINSTANCE)NULL);
    if (!IsCustomLangAllowed()) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, lpszType);
        if (hInst == NULL || !buffer.LoadFromModule(hInst, lpszType, lpszName, kLangSystemDefault))
            return false;
        InitOut(phModuleOut, hInst);
        return true;
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    if (!buffer.LoadFromModule(hInst, lpszType, lpszName, nLangId))
        return false;
    InitOut(pnLangIdOut, nLangId);
    InitOut(phModuleOut, hInst);
    return true;
}

bool CExtResourceManager::LoadResourceBufferWithFallback(ResourceMemoryBuffer& buffer, LPCTSTR lpszType,
                                                         LPCTSTR lpszName, WORD nLangIdDesired,
                                                         WORD nLangIdFallback, WORD* pnLangIdOut,
                                                         HINSTANCE* phModuleOut)
{
    if (!IsCustomLangAllowed())
        return LoadResourceBufferExact(buffer, lpszType, lpszName, nLangIdDesired, pnLangIdOut, phModuleOut);
    if (LoadResourceBufferExact(buffer, lpszType, lpszName, nLangIdDesired, pnLangIdOut, phModuleOut))
        return true;
    if (nLangIdFallback == nLangIdDesired)
        return false;
    return LoadResourceBufferExact(buffer, lpszType, lpszName, nLangIdFallback, pnLangIdOut, phModuleOut);
}

bool CExtResourceManager::LoadResourceBufferDefault(ResourceMemoryBuffer& buffer, LPCTSTR lpszType,
                                                    LPCTSTR lpszName, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadResourceBufferWithFallback(buffer, lpszType, lpszName, GetLangIdDesired(), GetLangIdNeutral(),
                                          pnLangIdOut, phModuleOut);
}

namespace {

// Entry (nID & 15) of a string-table block: false when the block is too short to hold it;
// otherwise the entry's characters (possibly none) in the program's code page.
bool StringFromBlock(const BYTE* p, DWORD nSize, UINT nID, CString& strOut)
{
    strOut.Empty();
    const BYTE* end = p + nSize;
    const BYTE* cur = p;
    for (UINT i = 0; i <= (nID & 15); ++i) {
        if (end - cur < 2)
            return false;
        WORD len;
        memcpy(&len, cur, 2);
        cur += 2;
        if ((size_t)(end - cur) < (size_t)len * 2)
            return false;
        if (i == (nID & 15)) {
            if (len == 0)
                return true;
            std::vector<WCHAR> wide(len);
            memcpy(wide.data(), cur, (size_t)len * 2);
            const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), len, NULL, 0, NULL, NULL);
            if (n <= 0)
                return true;
            LPTSTR buf = strOut.GetBuffer(n);
            ::WideCharToMultiByte(CP_ACP, 0, wide.data(), len, buf, n, NULL, NULL);
            strOut.ReleaseBuffer(n);
            return true;
        }
        cur += (size_t)len * 2;
    }
    return false;
}

}  // namespace

bool CExtResourceManager::LoadStringWithFallback(CString& strOut, UINT nID, WORD nLangIdDesired,
                                                 WORD nLangIdFallback, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phModuleOut, (HINSTANCE)NULL);
    strOut.Empty();
    if (!IsCustomLangAllowed()) {
        HINSTANCE hInst = AfxGetResourceHandle();
        char buf[4096];
        const int n = ::LoadStringA(hInst, nID, buf, sizeof(buf));
        if (n <= 0)
            return false;
        strOut = CString(buf, n);
        InitOut(phModuleOut, hInst);
        return true;
    }
    LPCTSTR lpszBlock = MAKEINTRESOURCEA((nID >> 4) + 1);
    // The resource compiler writes a whole block of 16 entries even when the translation has
    // only some of them: an empty entry in the desired language is taken as missing there, so
    // the fallback language is asked before the empty text is answered.
    bool bFoundEmpty = false;
    WORD nLangEmpty = GetLangIdNeutral();
    HINSTANCE hModuleEmpty = NULL;
    const WORD langs[2] = {nLangIdDesired, nLangIdFallback};
    for (int i = 0; i < 2; ++i) {
        if (i == 1 && nLangIdFallback == nLangIdDesired)
            break;
        ResourceMemoryBuffer buffer;
        WORD nLang = 0;
        HINSTANCE hModule = NULL;
        if (!LoadResourceBufferExact(buffer, RT_STRING, lpszBlock, langs[i], &nLang, &hModule))
            continue;
        CString text;
        if (!StringFromBlock(buffer.GetBuffer(), buffer.GetSize(), nID, text))
            continue;
        if (text.IsEmpty()) {
            if (!bFoundEmpty) {
                bFoundEmpty = true;
                nLangEmpty = nLang;
                hModuleEmpty = hModule;
            }
            continue;
        }
        strOut = text;
        InitOut(pnLangIdOut, nLang);
        InitOut(phModuleOut, hModule);
        return true;
    }
    if (bFoundEmpty) {
        InitOut(pnLangIdOut, nLangEmpty);
        InitOut(phModuleOut, hModuleEmpty);
        return true;
    }
    return false;
}

bool CExtResourceManager::LoadStringDefault(CString& strOut, UINT nID, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadStringWithFallback(strOut, nID, GetLangIdDesired(), GetLangIdNeutral(), pnLangIdOut, phModuleOut);
}

bool CExtResourceManager::LoadMenuWithFallback(CMenu& menu, LPCTSTR lpszName, WORD nLangIdDesired,
                                               WORD nLangIdFallback, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phModuleOut, (HINSTANCE)NULL);
    if (menu.GetSafeHmenu() != NULL)
        menu.DestroyMenu();
    if (!IsCustomLangAllowed()) {
        HINSTANCE hInst = FindResourceAnyLang(RT_MENU, lpszName, NULL);
        if (hInst == NULL)
            return false;
        HMENU hMenu = ::LoadMenuA(hInst, lpszName);
        if (hMenu == NULL)
            return false;
        menu.Attach(hMenu);
        InitOut(phModuleOut, hInst);
        return true;
    }
    ResourceMemoryBuffer buffer;
    if (!LoadResourceBufferWithFallback(buffer, RT_MENU, lpszName, nLangIdDesired, nLangIdFallback, pnLangIdOut,
                                        phModuleOut))
        return false;
    HMENU hMenu = buffer.GetSize() > 0 ? ::LoadMenuIndirectA(buffer.GetBuffer()) : NULL;
    if (hMenu == NULL)
        return false;
    menu.Attach(hMenu);
    return true;
}

bool CExtResourceManager::LoadMenuDefault(CMenu& menu, LPCTSTR lpszName, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadMenuWithFallback(menu, lpszName, GetLangIdDesired(), GetLangIdNeutral(), pnLangIdOut, phModuleOut);
}

HACCEL CExtResourceManager::LoadAcceleratorsWithFallback(LPCTSTR lpszName, WORD nLangIdDesired,
                                                         WORD nLangIdFallback, WORD* pnLangIdOut,
                                                         HINSTANCE* phModuleOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phModuleOut, (HINSTANCE)NULL);
    if (!IsCustomLangAllowed()) {
        HINSTANCE hInst = FindResourceAnyLang(RT_ACCELERATOR, lpszName, NULL);
        if (hInst == NULL)
            return NULL;
        HACCEL h = ::LoadAcceleratorsA(hInst, lpszName);
        if (h != NULL)
            InitOut(phModuleOut, hInst);
        return h;
    }
    ResourceMemoryBuffer buffer;
    if (!LoadResourceBufferWithFallback(buffer, RT_ACCELERATOR, lpszName, nLangIdDesired, nLangIdFallback,
                                        pnLangIdOut, phModuleOut))
        return NULL;
    const DWORD nCount = buffer.GetSize() / 8;
    if (nCount == 0)
        return NULL;
    std::vector<ACCEL> accels(nCount);
    const BYTE* p = buffer.GetBuffer();
    for (DWORD i = 0; i < nCount; ++i, p += 8) {
        WORD flags, key, cmd;
        memcpy(&flags, p, 2);
        memcpy(&key, p + 2, 2);
        memcpy(&cmd, p + 4, 2);
        accels[i].fVirt = (BYTE)(flags & 0xFF);
        accels[i].key = key;
        accels[i].cmd = cmd;
    }
    return ::CreateAcceleratorTableA(accels.data(), (int)nCount);
}

HACCEL CExtResourceManager::LoadAcceleratorsDefault(LPCTSTR lpszName, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadAcceleratorsWithFallback(lpszName, GetLangIdDesired(), GetLangIdNeutral(), pnLangIdOut,
                                        phModuleOut);
}

HBITMAP CExtResourceManager::LoadBitmapWithFallback(LPCTSTR lpszName, WORD nLangIdDesired, WORD nLangIdFallback,
                                                    WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    InitOut(pnLangIdOut, GetLangIdNeutral());
    InitOut(phModuleOut, (HINSTANCE)NULL);
    if (!IsCustomLangAllowed()) {
        HINSTANCE hInst = FindResourceAnyLang(RT_BITMAP, lpszName, NULL);
        if (hInst == NULL)
            return NULL;
        HBITMAP h = ::LoadBitmapA(hInst, lpszName);
        if (h != NULL)
            InitOut(phModuleOut, hInst);
        return h;
    }
    HRSRC hRsrc = NULL;
    HINSTANCE hInst = FindResourceWithFallback(RT_BITMAP, lpszName, nLangIdDesired, nLangIdFallback, pnLangIdOut,
                                               &hRsrc);
    if (hInst == NULL)
        return NULL;
    HBITMAP h = CExtBitmapUtil::LoadBitmapResource(hInst, hRsrc);
    if (h != NULL)
        InitOut(phModuleOut, hInst);
    return h;
}

HBITMAP CExtResourceManager::LoadBitmapDefault(LPCTSTR lpszName, WORD* pnLangIdOut, HINSTANCE* phModuleOut)
{
    return LoadBitmapWithFallback(lpszName, GetLangIdDesired(), GetLangIdNeutral(), pnLangIdOut, phModuleOut);
}

// ---------------------------------------------------------------- holder

CExtResourceManager* CExtResourceManagerHolder::operator->()
{
    if (m_pManager == NULL)
        InstallResourceManager(NULL);
    return m_pManager;
}

void CExtResourceManagerHolder::InstallResourceManager(CExtResourceManager* pManager)
{
    // Installing the manager already installed must not delete it and keep a dangling pointer.
    if (pManager != NULL && pManager == m_pManager)
        return;
    delete m_pManager;
    m_pManager = pManager != NULL ? pManager : new CExtResourceManager(false, 0x0409);
}

CExtResourceManagerHolder::~CExtResourceManagerHolder()
{
    delete m_pManager;
    m_pManager = NULL;
}
