#include "CString.h"
#include "AfxState.h"
#include "CException.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// memcmp-style result over two counted texts, bytes taken unsigned like strcmp does
int CompareCounted(const char* a, size_t na, const char* b, size_t nb, bool foldCase) {
    size_t n = std::min(na, nb);
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = (unsigned char)(foldCase ? AsciiLower(a[i]) : a[i]);
        unsigned char cb = (unsigned char)(foldCase ? AsciiLower(b[i]) : b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

bool IsResourceId(LPCTSTR lpsz) { return lpsz != NULL && ((UINT_PTR)lpsz >> 16) == 0; }

// The string resource nID of one module, converted from the stored UTF-16 to the ANSI code page.
bool LoadStringFrom(HINSTANCE hInst, UINT nID, std::string& out) {
    const WCHAR* text = NULL;
    // A zero buffer size returns a pointer to the resource itself and its exact length.
    int len = LoadStringW(hInst, nID, (LPWSTR)&text, 0);
    if (len <= 0 || text == NULL)
        return false;
    int n = WideCharToMultiByte(CP_ACP, 0, text, len, NULL, 0, NULL, NULL);
    if (n <= 0)
        return false;
    out.assign((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, &out[0], n, NULL, NULL);
    return true;
}

}  // namespace

CString::CString(LPCTSTR lpsz) {
    if (IsResourceId(lpsz))
        LoadString((UINT)(UINT_PTR)lpsz);
    else if (lpsz != NULL)
        m_str.assign(lpsz);
}

CString::CString(LPCTSTR lpch, int nLength) {
    if (lpch != NULL && nLength > 0)
        m_str.assign(lpch, (size_t)nLength);
}

CString::CString(const unsigned char* lpsz) : CString((LPCTSTR)lpsz) {}

CString::CString(TCHAR ch, int nRepeat) {
    if (nRepeat > 0)
        m_str.assign((size_t)nRepeat, ch);
}

CString& CString::operator=(LPCTSTR lpsz) {
    if (IsResourceId(lpsz)) {
        Empty();
        LoadString((UINT)(UINT_PTR)lpsz);
    } else if (lpsz == NULL) {
        m_str.clear();
    } else {
        m_str.assign(lpsz);  // also right when lpsz points into this string
    }
    return *this;
}

CString& CString::operator=(TCHAR ch) {
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator=(const unsigned char* lpsz) { return *this = (LPCTSTR)lpsz; }

CString& CString::operator+=(const CString& string) {
    m_str.append(string.m_str);
    return *this;
}

CString& CString::operator+=(LPCTSTR lpsz) {
    if (lpsz != NULL)
        m_str.append(lpsz);
    return *this;
}

CString& CString::operator+=(TCHAR ch) {
    m_str.push_back(ch);
    return *this;
}

CString operator+(const CString& string1, const CString& string2) {
    CString s(string1);
    s += string2;
    return s;
}
CString operator+(const CString& string, LPCTSTR lpsz) {
    CString s(string);
    s += lpsz;
    return s;
}
CString operator+(LPCTSTR lpsz, const CString& string) {
    CString s(lpsz);
    s += string;
    return s;
}
CString operator+(const CString& string, TCHAR ch) {
    CString s(string);
    s += ch;
    return s;
}
CString operator+(TCHAR ch, const CString& string) {
    CString s(ch);
    s += string;
    return s;
}

TCHAR CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[(size_t)nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch) {
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[(size_t)nIndex] = ch;
}

int CString::Compare(LPCTSTR lpsz) const {
    const char* s = lpsz != NULL ? lpsz : "";
    return CompareCounted(m_str.data(), m_str.size(), s, strlen(s), false);
}

int CString::Compare(const CString& string) const {
    return CompareCounted(m_str.data(), m_str.size(), string.m_str.data(), string.m_str.size(), false);
}

int CString::CompareNoCase(LPCTSTR lpsz) const {
    const char* s = lpsz != NULL ? lpsz : "";
    return CompareCounted(m_str.data(), m_str.size(), s, strlen(s), true);
}

int CString::CompareNoCase(const CString& string) const {
    return CompareCounted(m_str.data(), m_str.size(), string.m_str.data(), string.m_str.size(), true);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
    // Out-of-range arguments are clamped, as callers slicing parsed text expect.
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    int len = GetLength();
    if (nFirst >= len)
        return CString();
    if (nCount > len - nFirst)
        nCount = len - nFirst;
    return CString(m_str.substr((size_t)nFirst, (size_t)nCount));
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
    if (nCount < 0)
        nCount = 0;
    int len = GetLength();
    if (nCount >= len)
        return *this;
    return CString(m_str.substr((size_t)(len - nCount)));
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
    size_t n = m_str.find_first_not_of(lpszCharSet != NULL ? lpszCharSet : "");
    return CString(n == std::string::npos ? m_str : m_str.substr(0, n));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
    size_t n = m_str.find_first_of(lpszCharSet != NULL ? lpszCharSet : "");
    return CString(n == std::string::npos ? m_str : m_str.substr(0, n));
}

void CString::MakeUpper() {
    for (char& c : m_str)
        c = AsciiUpper(c);
}

void CString::MakeLower() {
    for (char& c : m_str)
        c = AsciiLower(c);
}

void CString::MakeReverse() { std::reverse(m_str.begin(), m_str.end()); }

void CString::TrimLeft() { TrimLeft(kWhiteSpace); }
void CString::TrimRight() { TrimRight(kWhiteSpace); }

void CString::TrimLeft(TCHAR chTarget) {
    size_t n = m_str.find_first_not_of(chTarget);
    m_str.erase(0, n == std::string::npos ? m_str.size() : n);
}

void CString::TrimRight(TCHAR chTarget) {
    size_t n = m_str.find_last_not_of(chTarget);
    m_str.erase(n == std::string::npos ? 0 : n + 1);
}

void CString::TrimLeft(LPCTSTR lpszTargets) {
    if (lpszTargets == NULL)
        return;
    size_t n = m_str.find_first_not_of(lpszTargets);
    m_str.erase(0, n == std::string::npos ? m_str.size() : n);
}

void CString::TrimRight(LPCTSTR lpszTargets) {
    if (lpszTargets == NULL)
        return;
    size_t n = m_str.find_last_not_of(lpszTargets);
    m_str.erase(n == std::string::npos ? 0 : n + 1);
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
    int count = 0;
    for (char& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
    if (lpszOld == NULL || *lpszOld == '\0')
        return 0;
    const std::string oldText(lpszOld), newText(lpszNew != NULL ? lpszNew : "");
    std::string result;
    int count = 0;
    size_t start = 0, hit;
    while ((hit = m_str.find(oldText, start)) != std::string::npos) {
        result.append(m_str, start, hit - start);
        result.append(newText);
        start = hit + oldText.size();
        ++count;
    }
    if (count > 0) {
        result.append(m_str, start, std::string::npos);
        m_str.swap(result);
    }
    return count;
}

int CString::Remove(TCHAR chRemove) {
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, TCHAR ch) {
    nIndex = std::max(0, std::min(nIndex, GetLength()));
    m_str.insert((size_t)nIndex, 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR pstr) {
    nIndex = std::max(0, std::min(nIndex, GetLength()));
    if (pstr != NULL)
        m_str.insert((size_t)nIndex, pstr);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

int CString::Find(TCHAR ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t n = m_str.find(ch, (size_t)nStart);
    return n == std::string::npos ? -1 : (int)n;
}

int CString::Find(LPCTSTR lpszSub, int nStart) const {
    if (lpszSub == NULL || nStart < 0 || nStart > GetLength())
        return -1;
    size_t n = m_str.find(lpszSub, (size_t)nStart);
    return n == std::string::npos ? -1 : (int)n;
}

int CString::ReverseFind(TCHAR ch) const {
    size_t n = m_str.rfind(ch);
    return n == std::string::npos ? -1 : (int)n;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
    if (lpszCharSet == NULL || *lpszCharSet == '\0')
        return -1;
    size_t n = m_str.find_first_of(lpszCharSet);
    return n == std::string::npos ? -1 : (int)n;
}

void CString::Format(LPCTSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...) {
    CString more;
    va_list args;
    va_start(args, lpszFormat);
    more.FormatV(lpszFormat, args);
    va_end(args);
    m_str.append(more.m_str);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
    // glibc's vsnprintf, never wvsprintfA: a glibc va_list must not reach an ms_abi function.
    char shortText[256];
    va_list copy;
    va_copy(copy, argList);
    int n = vsnprintf(shortText, sizeof shortText, lpszFormat != NULL ? lpszFormat : "", copy);
    va_end(copy);
    if (n < 0)
        AfxThrowInvalidArgException();
    if ((size_t)n < sizeof shortText) {
        m_str.assign(shortText, (size_t)n);
        return;
    }
    std::string big((size_t)n + 1, '\0');
    vsnprintf(&big[0], big.size(), lpszFormat, argList);
    big.resize((size_t)n);
    m_str.swap(big);
}

BOOL CString::LoadString(UINT nID) {
    std::string text;
    HINSTANCE hRes = AfxGetResourceHandle();
    HINSTANCE hApp = AfxGetInstanceHandle();
    if (!LoadStringFrom(hRes, nID, text) && (hApp == hRes || !LoadStringFrom(hApp, nID, text)))
        return FALSE;
    m_str.swap(text);
    return TRUE;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength())
        m_str.resize((size_t)nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    if (nNewLength > GetLength())
        nNewLength = GetLength();
    m_str.resize((size_t)nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    m_str.resize((size_t)std::max(0, nNewLength));
    return &m_str[0];
}

void CString::Preallocate(int nLength) {
    if (nLength > 0)
        m_str.reserve((size_t)nLength);
}
