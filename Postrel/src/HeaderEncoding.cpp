#include "HeaderEncoding.h"
#include "Base64.h"
#include <windows.h>
#include <objbase.h>
#include <stdio.h>

std::string CHeaderEncoding::Charset()
{
    UINT codePage = GetACP();
    if (codePage == CP_UTF8) return "utf-8";
    return "windows-" + std::to_string(codePage);
}

bool CHeaderEncoding::IsPlainAscii(const std::string& text)
{
    for (unsigned char c : text)
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c > 0x7E) return false;
    return true;
}

std::string CHeaderEncoding::EncodeWords(const std::string& text)
{
    if (IsPlainAscii(text)) return text;
    const std::string charset = Charset();
    const std::string prefix = "=?" + charset + "?B?";
    const std::string suffix = "?=";
    // Base64 turns 3 bytes into 4 characters; an encoded word may be 75 characters long.
    const size_t room = 75 > prefix.size() + suffix.size() ? 75 - prefix.size() - suffix.size() : 4;
    const size_t bytesPerWord = room / 4 * 3 > 0 ? room / 4 * 3 : 3;
    const bool utf8 = charset == "utf-8";
    CBase64 base64;
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start + bytesPerWord < text.size() ? start + bytesPerWord : text.size();
        // never cut a UTF-8 character: back off to the start of the one the cut would split
        while (utf8 && end < text.size() && end > start + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        if (!out.empty()) out += ' ';
        out += prefix +
               base64.Encode(reinterpret_cast<const unsigned char*>(text.data()) + start, end - start) + suffix;
        start = end;
    }
    return out;
}

std::string CHeaderEncoding::NewMessageId(const std::string& domain)
{
    GUID guid;
    char unique[64];
    if (CoCreateGuid(&guid) == S_OK) {
        snprintf(unique, sizeof unique, "%08lx%04x%04x%02x%02x%02x%02x%02x%02x%02x%02x",
                 static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                 guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    } else {
        // without a GUID: the time, the process and a counter of this process
        static volatile LONG counter = 0;
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        snprintf(unique, sizeof unique, "%08lx%08lx.%lx.%lx", static_cast<unsigned long>(now.dwHighDateTime),
                 static_cast<unsigned long>(now.dwLowDateTime), static_cast<unsigned long>(GetCurrentProcessId()),
                 static_cast<unsigned long>(InterlockedIncrement(&counter)));
    }
    return "<" + std::string(unique) + "@" + (domain.empty() ? std::string("localhost") : domain) + ">";
}
