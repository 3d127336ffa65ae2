// ANSI text with value semantics. The length is counted, so a CString may hold NUL bytes (binary
// blocks travel in CStrings); the C-string view (operator LPCTSTR) ends at the first NUL.
#pragma once
#include "AfxDefs.h"
#include <string>

class CString {
public:
    CString() = default;
    CString(const CString& stringSrc) = default;
    CString(CString&& stringSrc) noexcept = default;
    // NULL gives an empty string; a MAKEINTRESOURCE value loads that string resource.
    CString(LPCTSTR lpsz);
    CString(LPCTSTR lpch, int nLength);
    CString(const unsigned char* lpsz);
    CString(TCHAR ch, int nRepeat = 1);
    ~CString() = default;

    CString& operator=(const CString& stringSrc) = default;
    CString& operator=(CString&& stringSrc) noexcept = default;
    CString& operator=(LPCTSTR lpsz);
    CString& operator=(TCHAR ch);
    CString& operator=(const unsigned char* lpsz);

    CString& operator+=(const CString& string);
    CString& operator+=(LPCTSTR lpsz);
    CString& operator+=(TCHAR ch);

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_str.c_str(); }

    // Byte-wise comparison of the whole counted text (a NUL byte compares like any other);
    // the LPCTSTR forms take the argument up to its terminating NUL.
    int Compare(LPCTSTR lpsz) const;
    int Compare(const CString& string) const;
    // As Compare, with ASCII letters folded to lower case (no locale is consulted).
    int CompareNoCase(LPCTSTR lpsz) const;
    int CompareNoCase(const CString& string) const;
    int Collate(LPCTSTR lpsz) const { return Compare(lpsz); }

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    // ASCII only, like the C locale: code-page letters above 0x7F stay as they are.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Without an argument: blank, tab, CR, LF, vertical tab and form feed.
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void Trim() { TrimRight(); TrimLeft(); }
    void Trim(TCHAR chTarget) { TrimRight(chTarget); TrimLeft(chTarget); }
    void Trim(LPCTSTR lpszTargets) { TrimRight(lpszTargets); TrimLeft(lpszTargets); }

    // Each returns the number of replacements or removals.
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    // Each returns the new length.
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // Searches cover the whole counted text; -1 when not found.
    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    void Format(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCTSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
    void AppendFormat(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // Looks in the resource module first, then in the program. FALSE (string unchanged) when
    // the id is missing.
    BOOL LoadString(UINT nID);

    // Direct access to the characters: the buffer holds the current text and room for at
    // least nMinBufLength characters plus a NUL. It stays valid until ReleaseBuffer or the
    // next change of the string.
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBuffer() { return GetBuffer(0); }
    // Sets the length: nNewLength, or up to the first NUL when -1.
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra() { m_str.shrink_to_fit(); }

    // The counted text for code that works with std:: (the mail library's exports take these).
    const std::string& str() const { return m_str; }
    CString(const std::string& s) : m_str(s) {}

private:
    std::string m_str;
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCTSTR lpsz);
CString operator+(LPCTSTR lpsz, const CString& string);
CString operator+(const CString& string, TCHAR ch);
CString operator+(TCHAR ch, const CString& string);

inline bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
