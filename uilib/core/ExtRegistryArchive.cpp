#include "ExtRegistryArchive.h"
#include "CExtCmdManager.h"

namespace {

const DWORD kChunkSize = 16;

// Four ELF-hash lanes; byte k of the stream goes to lane k mod 4.
struct IntegrityLanes {
    DWORD lane[4] = {0, 0, 0, 0};
    ULONGLONG count = 0;
    void add(const BYTE* p, size_t n)
    {
        for (size_t i = 0; i < n; ++i, ++count) {
            DWORD& h = lane[count & 3];
            h = (h << 4) + p[i];
            const DWORD g = h & 0xF0000000u;
            if (g != 0)
                h = h ^ (g >> 24) ^ g;
        }
    }
    CString text() const
    {
        CString s;
        for (int i = 0; i < 4; ++i)
            s.AppendFormat("%s%02X %02X %02X %02X", i == 0 ? "" : " ", (lane[i] >> 24) & 0xFF,
                           (lane[i] >> 16) & 0xFF, (lane[i] >> 8) & 0xFF, lane[i] & 0xFF);
        return s;
    }
};

// Closes a key on every path.
struct KeyHolder {
    HKEY h = NULL;
    ~KeyHolder()
    {
        if (h != NULL)
            ::RegCloseKey(h);
    }
};

CString BlockKeyPath(LPCTSTR lpszKeyPath, DWORD nChunk)
{
    CString s;
    s.Format("%s\\block_0x%08X", lpszKeyPath, (unsigned)(nChunk >> 7));
    return s;
}

CString ChunkValueName(DWORD nChunk)
{
    CString s;
    s.Format("data_0x%08X", (unsigned)nChunk);
    return s;
}

}  // namespace

CString RegistryKeyPath(LPCTSTR lpszSection, LPCTSTR lpszProfileName, LPCTSTR lpszCompany,
                        LPCTSTR lpszApplication)
{
    auto safe = [](LPCTSTR s) { return s != NULL ? s : ""; };
    CString s;
    s.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", safe(lpszCompany), safe(lpszApplication), "OrvelUI227",
             "Profiles", safe(lpszProfileName), safe(lpszSection));
    for (char ch : {'\r', '\t', '\n', '?', '*'})
        s.Replace(ch, '_');
    return s;
}

CString RegistryIntegrityText(const BYTE* pData, size_t nSize)
{
    IntegrityLanes lanes;
    lanes.add(pData, nSize);
    return lanes.text();
}

bool RegistryWriteString(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszText)
{
    KeyHolder key;
    if (::RegCreateKeyExA(hRoot, lpszKey, 0, NULL, 0, KEY_WRITE, NULL, &key.h, NULL) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.h, lpszValue, 0, REG_SZ, (const BYTE*)lpszText,
                            (DWORD)lstrlenA(lpszText) + 1) == ERROR_SUCCESS;
}

bool RegistryWriteDword(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD dwValue)
{
    KeyHolder key;
    if (::RegCreateKeyExA(hRoot, lpszKey, 0, NULL, 0, KEY_WRITE, NULL, &key.h, NULL) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.h, lpszValue, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue)) ==
           ERROR_SUCCESS;
}

bool RegistryWriteBinary(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, const void* pData, DWORD nSize)
{
    KeyHolder key;
    if (::RegCreateKeyExA(hRoot, lpszKey, 0, NULL, 0, KEY_WRITE, NULL, &key.h, NULL) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.h, lpszValue, 0, REG_BINARY, (const BYTE*)pData, nSize) == ERROR_SUCCESS;
}

bool RegistryReadString(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, char* pBuf, DWORD nBufSize)
{
    KeyHolder key;
    if (pBuf == NULL || nBufSize == 0 ||
        ::RegOpenKeyExA(hRoot, lpszKey, 0, KEY_READ, &key.h) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.h, lpszValue, NULL, &type, NULL, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_LINK && type != REG_MULTI_SZ)
        return false;
    if (size > nBufSize)
        return false;
    size = nBufSize;
    if (::RegQueryValueExA(key.h, lpszValue, NULL, &type, (BYTE*)pBuf, &size) != ERROR_SUCCESS)
        return false;
    pBuf[size < nBufSize ? size : nBufSize - 1] = '\0';
    return true;
}

bool RegistryReadDword(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD& dwValue)
{
    KeyHolder key;
    if (::RegOpenKeyExA(hRoot, lpszKey, 0, KEY_READ, &key.h) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof(DWORD), value = 0;
    if (::RegQueryValueExA(key.h, lpszValue, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD))
        return false;
    dwValue = value;
    return true;
}

bool RegistryReadBinary(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, void* pBuf, DWORD nBufSize, DWORD& nRead)
{
    KeyHolder key;
    nRead = 0;
    if (::RegOpenKeyExA(hRoot, lpszKey, 0, KEY_READ, &key.h) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.h, lpszValue, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size > nBufSize)
        return false;
    size = nBufSize;
    if (::RegQueryValueExA(key.h, lpszValue, NULL, &type, (BYTE*)pBuf, &size) != ERROR_SUCCESS)
        return false;
    nRead = size;
    return true;
}

bool RegistryDeleteSubKeys(HKEY hKey)
{
    DWORD nSubKeys = 0;
    if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (DWORD i = nSubKeys; i-- > 0;) {
        char name[256];
        DWORD nameLen = sizeof(name);
        if (::RegEnumKeyExA(hKey, i, name, &nameLen, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) {
            ok = false;
            continue;
        }
        {
            KeyHolder sub;
            if (::RegOpenKeyExA(hKey, name, 0, KEY_READ | KEY_WRITE, &sub.h) == ERROR_SUCCESS) {
                if (!RegistryDeleteSubKeys(sub.h))
                    ok = false;
            } else {
                ok = false;
            }
        }
        if (::RegDeleteKeyA(hKey, name) != ERROR_SUCCESS)
            ok = false;
    }
    return ok;
}

bool RegistryArchiveWrite(CFile& stream, LPCTSTR lpszKeyPath, HKEY hRootKey)
{
    if (lpszKeyPath == NULL)
        return false;
    {
        KeyHolder old;
        if (::RegOpenKeyExA(hRootKey, lpszKeyPath, 0, KEY_READ | KEY_WRITE, &old.h) == ERROR_SUCCESS) {
            RegistryDeleteSubKeys(old.h);
            ::RegCloseKey(old.h);
            old.h = NULL;
            ::RegDeleteKeyA(hRootKey, lpszKeyPath);
        }
    }
    try {
        stream.SeekToBegin();
        const ULONGLONG nLength = stream.GetLength();
        if (nLength > 0xFFFFFFFFull)
            return false;
        {
            KeyHolder key;
            if (::RegCreateKeyExA(hRootKey, lpszKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key.h, NULL) !=
                ERROR_SUCCESS)
                return false;
            const DWORD dwSize = (DWORD)nLength;
            if (::RegSetValueExA(key.h, "data_size", 0, REG_DWORD, (const BYTE*)&dwSize, sizeof(dwSize)) !=
                ERROR_SUCCESS)
                return false;
        }
        IntegrityLanes lanes;
        BYTE chunk[kChunkSize];
        for (DWORD n = 0;; ++n) {
            const UINT nRead = stream.Read(chunk, kChunkSize);
            if (nRead == 0)
                break;
            KeyHolder block;
            if (::RegCreateKeyExA(hRootKey, BlockKeyPath(lpszKeyPath, n), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &block.h, NULL) != ERROR_SUCCESS)
                return false;
            if (::RegSetValueExA(block.h, ChunkValueName(n), 0, REG_BINARY, chunk, nRead) != ERROR_SUCCESS)
                return false;
            lanes.add(chunk, nRead);
        }
        if (!RegistryWriteString(hRootKey, lpszKeyPath, "data_integrity", lanes.text()))
            return false;
        CString version, generator;
        GetUILibraryVersionString(version, '.');
        generator.Format("Orvel-UI v. %s registry archiver", (LPCTSTR)version);
        RegistryWriteString(hRootKey, lpszKeyPath, "data_generator", generator);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool RegistryArchiveRead(CFile& stream, LPCTSTR lpszKeyPath, HKEY hRootKey)
{
    if (lpszKeyPath == NULL)
        return false;
    DWORD dwSize = 0;
    {
        KeyHolder key;
        if (::RegOpenKeyExA(hRootKey, lpszKeyPath, 0, KEY_READ, &key.h) != ERROR_SUCCESS)
            return false;
    }
    if (!RegistryReadDword(hRootKey, lpszKeyPath, "data_size", dwSize))
        return false;
    if (dwSize == 0)
        return true;
    try {
        stream.SeekToEnd();
        IntegrityLanes lanes;
        DWORD nDone = 0;
        BYTE chunk[kChunkSize];
        for (DWORD n = 0; nDone < dwSize; ++n) {
            const DWORD nExpected = (dwSize - nDone) < kChunkSize ? dwSize - nDone : kChunkSize;
            DWORD nRead = 0;
            if (!RegistryReadBinary(hRootKey, BlockKeyPath(lpszKeyPath, n), ChunkValueName(n), chunk, nExpected,
                                    nRead))
                return false;
            // A chunk shorter than its place in the stream cannot be whole: refuse it rather than
            // hash and keep bytes that were never stored.
            if (nRead != nExpected)
                return false;
            nDone += nExpected;
            lanes.add(chunk, nExpected);
            stream.Write(chunk, nExpected);
        }
        const CString expected = lanes.text();
        char stored[64];
        if (!RegistryReadString(hRootKey, lpszKeyPath, "data_integrity", stored,
                                (DWORD)expected.GetLength() + 1))
            return false;
        if (expected != stored)
            return false;
        stream.SeekToBegin();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}
