// Stores a byte stream in the registry below one key, in 16-byte binary values grouped 128 to a
// subkey, with the stream's size and an integrity text that the reader checks before it takes
// the data. Command profiles keep their usage statistics this way.
//
// Layout under the key:
//   "data_size"       REG_DWORD   length of the stream
//   "block_0x%08X"    subkey      chunks 128m .. 128m+127 (m = chunk >> 7)
//     "data_0x%08X"   REG_BINARY  chunk n (bytes 16n .. 16n+15; the last one 1 to 16 bytes)
//   "data_integrity"  REG_SZ      four ELF-hash lanes over the bytes, 47 characters
//   "data_generator"  REG_SZ      "Orvel-UI v. 2.2.7.1 registry archiver" (never read)
#pragma once
#include <afx.h>

// "Software\company\application\OrvelUI227\Profiles\profile\section", with every CR, TAB, LF,
// '?' and '*' replaced by '_'.
CString RegistryKeyPath(LPCTSTR lpszSection, LPCTSTR lpszProfileName, LPCTSTR lpszCompany,
                        LPCTSTR lpszApplication);

// Replaces whatever is stored under the key (the whole old tree goes first) by the stream's
// bytes, from its start. False on any registry or file failure.
bool RegistryArchiveWrite(CFile& stream, LPCTSTR lpszKeyPath, HKEY hRootKey = HKEY_CURRENT_USER);
// Appends the stored bytes to the stream and rewinds it. False when the key, its size, a chunk
// or the integrity text is missing, of the wrong type or size, or does not match the bytes.
bool RegistryArchiveRead(CFile& stream, LPCTSTR lpszKeyPath, HKEY hRootKey = HKEY_CURRENT_USER);

// The integrity text of a byte stream (exposed for the tests and for the writer and reader).
CString RegistryIntegrityText(const BYTE* pData, size_t nSize);

// Value routines: each opens (or creates, for writing) the key below the root, handles one
// value and closes the key.
bool RegistryWriteString(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszText);
bool RegistryWriteDword(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD dwValue);
bool RegistryWriteBinary(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, const void* pData, DWORD nSize);
// Accepts REG_SZ, REG_EXPAND_SZ, REG_LINK and REG_MULTI_SZ no larger than nBufSize bytes.
bool RegistryReadString(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, char* pBuf, DWORD nBufSize);
// Accepts REG_DWORD only.
bool RegistryReadDword(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD& dwValue);
// Accepts REG_BINARY no larger than nBufSize; nRead receives the stored length.
bool RegistryReadBinary(HKEY hRoot, LPCTSTR lpszKey, LPCTSTR lpszValue, void* pBuf, DWORD nBufSize, DWORD& nRead);
// Deletes every subkey of an open key, deepest first (RegDeleteKey refuses keys with subkeys).
bool RegistryDeleteSubKeys(HKEY hKey);
