// The registry archive: layout of the values, round trips, integrity, rewrites.
#include <orv/gtest.h>
#include <afx.h>
#include <vector>
#include "ExtRegistryArchive.h"
#include "TestRegistryKey.h"

namespace {

std::vector<BYTE> Pattern(size_t n)
{
    std::vector<BYTE> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = (BYTE)(i * 7 + 3);
    return v;
}

bool Write(const std::vector<BYTE>& bytes, const CString& key)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    return RegistryArchiveWrite(file, key, HKEY_CURRENT_USER);
}

bool Read(std::vector<BYTE>& out, const CString& key)
{
    CMemFile file;
    const bool ok = RegistryArchiveRead(file, key, HKEY_CURRENT_USER);
    out.resize((size_t)file.GetLength());
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), (UINT)out.size());
    return ok;
}

DWORD SubKeyCount(const CString& key)
{
    HKEY h = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return (DWORD)-1;
    DWORD n = 0;
    ::RegQueryInfoKeyA(h, NULL, NULL, NULL, &n, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    ::RegCloseKey(h);
    return n;
}

DWORD ValueCount(const CString& key)
{
    HKEY h = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return (DWORD)-1;
    DWORD n = 0;
    ::RegQueryInfoKeyA(h, NULL, NULL, NULL, NULL, NULL, NULL, &n, NULL, NULL, NULL, NULL);
    ::RegCloseKey(h);
    return n;
}

DWORD BinarySize(const CString& key, LPCTSTR value)
{
    BYTE buf[64];
    DWORD n = 0;
    return RegistryReadBinary(HKEY_CURRENT_USER, key, value, buf, sizeof(buf), n) ? n : (DWORD)-1;
}

}  // namespace

TEST(RegistryArchive, SizesRoundTripWithTheirBlockLayout)
{
    TestRegistryKey reg;
    const CString key = RegistryKeyPath("CommandManager", "default", reg.company(), "App");
    struct Case {
        size_t size;
        DWORD blocks;       // block subkeys
        DWORD valuesLast;   // values in the last block
        DWORD lastChunk;    // bytes in the last chunk
    } cases[] = {
        {0, 0, 0, 0}, {16, 1, 1, 16}, {17, 1, 2, 1}, {2048, 1, 128, 16}, {2049, 2, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::vector<BYTE> bytes = Pattern(c.size);
        ASSERT_TRUE(Write(bytes, key));
        DWORD size = 0xDEAD;
        ASSERT_TRUE(RegistryReadDword(HKEY_CURRENT_USER, key, "data_size", size));
        EXPECT_EQ(c.size, size);
        EXPECT_EQ(c.blocks, SubKeyCount(key));
        if (c.blocks > 0) {
            CString block, value;
            block.Format("%s\\block_0x%08X", (LPCTSTR)key, (unsigned)(c.blocks - 1));
            EXPECT_EQ(c.valuesLast, ValueCount(block));
            value.Format("data_0x%08X", (unsigned)((c.size + 15) / 16 - 1));
            EXPECT_EQ(c.lastChunk, BinarySize(block, value));
        }
        char text[64] = "";
        ASSERT_TRUE(RegistryReadString(HKEY_CURRENT_USER, key, "data_integrity", text, sizeof(text)));
        EXPECT_EQ(47u, strlen(text));
        ASSERT_TRUE(RegistryReadString(HKEY_CURRENT_USER, key, "data_generator", text, sizeof(text)));
        EXPECT_STREQ("Orvel-UI v. 2.2.7.1 registry archiver", text);
        std::vector<BYTE> back;
        ASSERT_TRUE(Read(back, key));
        EXPECT_EQ(bytes, back);
    }
    // chunk 128 is value 0x00000080 in block 0x00000001
    EXPECT_EQ(1u, BinarySize(key + "\\block_0x00000001", "data_0x00000080"));
}

TEST(RegistryArchive, IntegrityTextOfKnownStreams)
{
    EXPECT_STREQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", RegistryIntegrityText(NULL, 0));
    // lane k mod 4: bytes 1 and 5 go to lane 0 ((1 << 4) + 5 = 0x15); 2 to lane 1, 3 to lane 2
    const BYTE five[] = {1, 2, 3, 0, 5};
    EXPECT_STREQ("00 00 00 15 00 00 00 02 00 00 00 03 00 00 00 00", RegistryIntegrityText(five, 5));
    // the high nibble folds back: nine steps of 0xFF on one lane
    std::vector<BYTE> v(4 * 9, 0);
    for (size_t i = 0; i < v.size(); i += 4)
        v[i] = 0xFF;
    DWORD h = 0;
    for (int i = 0; i < 9; ++i) {
        h = (h << 4) + 0xFF;
        const DWORD g = h & 0xF0000000u;
        if (g)
            h = h ^ (g >> 24) ^ g;
    }
    CString expected;
    expected.Format("%02X %02X %02X %02X 00 00 00 00 00 00 00 00 00 00 00 00", h >> 24, (h >> 16) & 0xFF,
                    (h >> 8) & 0xFF, h & 0xFF);
    EXPECT_EQ(expected, RegistryIntegrityText(v.data(), v.size()));
    EXPECT_EQ(0u, h & 0xF0000000u);
}

TEST(RegistryArchive, AlteredBytesAreRefusedAndTheGeneratorIsNotChecked)
{
    TestRegistryKey reg;
    const CString key = RegistryKeyPath("CommandManager", "p", reg.company(), "App");
    const std::vector<BYTE> bytes = Pattern(40);
    ASSERT_TRUE(Write(bytes, key));

    ASSERT_TRUE(RegistryWriteString(HKEY_CURRENT_USER, key, "data_generator", "someone else"));
    std::vector<BYTE> back;
    EXPECT_TRUE(Read(back, key));

    // one byte of chunk 1 changed
    std::vector<BYTE> chunk(bytes.begin() + 16, bytes.begin() + 32);
    chunk[5] ^= 0x01;
    const CString block = key + "\\block_0x00000000";
    ASSERT_TRUE(RegistryWriteBinary(HKEY_CURRENT_USER, block, "data_0x00000001", chunk.data(), 16));
    EXPECT_FALSE(Read(back, key));

    // a chunk shorter than its place in the stream is refused, not read past its end
    ASSERT_TRUE(Write(bytes, key));
    ASSERT_TRUE(RegistryWriteBinary(HKEY_CURRENT_USER, block, "data_0x00000001", bytes.data() + 16, 15));
    EXPECT_FALSE(Read(back, key));

    // wrong types
    ASSERT_TRUE(Write(bytes, key));
    ASSERT_TRUE(RegistryWriteString(HKEY_CURRENT_USER, key, "data_size", "40"));
    EXPECT_FALSE(Read(back, key));
    ASSERT_TRUE(Write(bytes, key));
    ASSERT_TRUE(RegistryWriteDword(HKEY_CURRENT_USER, key, "data_integrity", 0));
    EXPECT_FALSE(Read(back, key));

    EXPECT_FALSE(Read(back, key + "\\nothing here"));
    CMemFile file;
    EXPECT_FALSE(RegistryArchiveWrite(file, NULL, HKEY_CURRENT_USER));
    EXPECT_FALSE(RegistryArchiveRead(file, NULL, HKEY_CURRENT_USER));
}

TEST(RegistryArchive, AShorterRewriteLeavesNothingStale)
{
    TestRegistryKey reg;
    const CString key = RegistryKeyPath("CommandManager", "p", reg.company(), "App");
    ASSERT_TRUE(Write(Pattern(2049), key));
    ASSERT_EQ(2u, SubKeyCount(key));
    const std::vector<BYTE> shorter = {9, 8, 7};
    ASSERT_TRUE(Write(shorter, key));
    EXPECT_EQ(1u, SubKeyCount(key));
    EXPECT_EQ(1u, ValueCount(key + "\\block_0x00000000"));
    EXPECT_EQ(3u, ValueCount(key));  // size, integrity, generator
    std::vector<BYTE> back;
    ASSERT_TRUE(Read(back, key));
    EXPECT_EQ(shorter, back);
    // an empty stream leaves no block at all and reads as nothing
    ASSERT_TRUE(Write({}, key));
    EXPECT_EQ(0u, SubKeyCount(key));
    EXPECT_TRUE(Read(back, key));
    EXPECT_TRUE(back.empty());
}

TEST(RegistryArchive, ReadingAppendsToTheStreamAndRewindsIt)
{
    TestRegistryKey reg;
    const CString key = RegistryKeyPath("S", "p", reg.company(), "App");
    ASSERT_TRUE(Write({4, 5, 6}, key));
    CMemFile file;
    const BYTE head[] = {1, 2, 3};
    file.Write(head, 3);
    ASSERT_TRUE(RegistryArchiveRead(file, key, HKEY_CURRENT_USER));
    EXPECT_EQ(0u, file.GetPosition());
    BYTE all[8] = {};
    ASSERT_EQ(6u, file.Read(all, sizeof(all)));
    EXPECT_EQ(0, memcmp(all, "\1\2\3\4\5\6", 6));
}

TEST(RegistryArchive, KeyPathReplacesControlAndWildcardCharacters)
{
    EXPECT_STREQ("Software\\Co\\App\\OrvelUI227\\Profiles\\default\\CommandManager",
                 RegistryKeyPath("CommandManager", "default", "Co", "App"));
    EXPECT_STREQ("Software\\C_o\\A_p\\OrvelUI227\\Profiles\\a_b_c_d\\S_",
                 RegistryKeyPath("S*", "a\tb?c\rd", "C\no", "A?p"));
}
