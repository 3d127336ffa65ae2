// CArchive: the exact stored bytes of every primitive, string and count form, round trips,
// truncation at every offset, and the file position after loading.
#include "orv/gtest.h"
#include "afx.h"
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

// Runs a storing function into a memory file and returns the bytes it wrote.
template <class F>
Bytes Store(F write, int bufSize = 4096) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, bufSize);
        write(ar);
        ar.Close();
    }
    Bytes out((size_t)file.GetLength());
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), (UINT)out.size());
    return out;
}

// A memory file holding a copy of the bytes, for loading.
struct LoadFile {
    explicit LoadFile(const Bytes& b) : data(b) {
        if (data.empty())
            data.push_back(0);  // Attach needs a block; the length below says 0
        file.Attach(data.data(), (UINT)b.size());
    }
    Bytes data;
    CMemFile file;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(CArchiveTest, PrimitivesAreLittleEndianWithFixedSizes) {
    POINT pt = {-2, 3};
    SIZE sz = {200, -200};
    RECT rc = {1, -1, 0x01020304, -0x01020304};
    Bytes got = Store([&](CArchive& ar) {
        ar << (BYTE)0xAB << (WORD)0x1234 << (DWORD)0xDEADBEEF << (int)-2 << (LONG)0x7FFFFFFF << pt << sz << rc;
    });
    Bytes expected = {
        0xAB,                                       // BYTE
        0x34, 0x12,                                 // WORD
        0xEF, 0xBE, 0xAD, 0xDE,                     // DWORD
        0xFE, 0xFF, 0xFF, 0xFF,                     // int -2
        0xFF, 0xFF, 0xFF, 0x7F,                     // LONG
        0xFE, 0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00,  // POINT
        0xC8, 0x00, 0x00, 0x00, 0x38, 0xFF, 0xFF, 0xFF,  // SIZE
        0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,  // RECT left, top
        0x04, 0x03, 0x02, 0x01, 0xFC, 0xFC, 0xFD, 0xFE,  // RECT right, bottom
    };
    EXPECT_EQ(expected, got);

    LoadFile in(got);
    CArchive ar(&in.file, CArchive::load);
    BYTE b; WORD w; DWORD dw; int i; LONG l; POINT p2; SIZE s2; RECT r2;
    ar >> b >> w >> dw >> i >> l >> p2 >> s2 >> r2;
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(-2, i);
    EXPECT_EQ(0x7FFFFFFF, l);
    EXPECT_EQ(-2, p2.x);
    EXPECT_EQ(3, p2.y);
    EXPECT_EQ(200, s2.cx);
    EXPECT_EQ(-200, s2.cy);
    EXPECT_TRUE(CRect(r2) == rc);
}

TEST(CArchiveTest, StringLengthPrefixes) {
    struct Case { int length; Bytes prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {39, {0x27}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text((size_t)c.length, 'x');
        if (c.length > 2)
            text[1] = '\0';  // NUL bytes are stored like any other
        Bytes got = Store([&](CArchive& ar) { ar << CString(text); }, 512);
        EXPECT_EQ(Concat({c.prefix, Text(text)}), got) << "length " << c.length;

        LoadFile in(got);
        CArchive ar(&in.file, CArchive::load, 512);
        CString back("previous");
        ar >> back;
        EXPECT_EQ(text, back.str()) << "length " << c.length;
        EXPECT_TRUE(ar.IsBufferEmpty()) << "length " << c.length;
    }
}

TEST(CArchiveTest, HeaderTextOfTheBarStateLayout) {
    CString header;
    header.Format("Orvel-UI (v. %s) control bar state", "2.2.7.1");
    Bytes got = Store([&](CArchive& ar) { ar << header << (DWORD)0x02020701 << (DWORD)0x202; });
    ASSERT_EQ(1u + 39 + 8, got.size());
    EXPECT_EQ(0x27, got[0]);
    EXPECT_EQ(Text("Orvel-UI (v. 2.2.7.1) control bar state"), Bytes(got.begin() + 1, got.begin() + 40));
    EXPECT_EQ((Bytes{0x01, 0x07, 0x02, 0x02, 0x02, 0x02, 0x00, 0x00}), Bytes(got.begin() + 40, got.end()));
}

TEST(CArchiveTest, CountsUseAWordWithAnEscape) {
    struct Case { DWORD_PTR count; Bytes bytes; };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const Case& c : cases) {
        Bytes got = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(c.bytes, got) << c.count;
        LoadFile in(got);
        CArchive ar(&in.file, CArchive::load);
        EXPECT_EQ(c.count, ar.ReadCount());
    }
}

// A stored record of every kind the stored files use, cut short at every length: each cut
// load fails with endOfFile, never with garbage or a crash.
TEST(CArchiveTest, TruncationAtEveryOffsetRaisesEndOfFile) {
    CString longText('y', 300);
    POINT pt = {5, 6};
    RECT rc = {1, 2, 3, 4};
    auto writeAll = [&](CArchive& ar) {
        ar << CString("short") << (BYTE)1 << (WORD)2 << (DWORD)3 << (int)-4 << pt << rc << longText;
        ar.WriteCount(0x10000);
    };
    Bytes full = Store(writeAll);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        LoadFile in(Bytes(full.begin(), full.begin() + (long)cut));
        CArchive ar(&in.file, CArchive::load, 128);
        int cause = -1;
        try {
            CString s1, s2; BYTE b; WORD w; DWORD dw; int i; POINT p; RECT r;
            ar >> s1 >> b >> w >> dw >> i >> p >> r >> s2;
            (void)ar.ReadCount();
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut << " of " << full.size();
    }
}

TEST(CArchiveTest, BadStringMarkersAreRejected) {
    struct Case { const char* what; Bytes bytes; int cause; };
    const Case cases[] = {
        {"wide-string marker", {0xFF, 0xFE, 0xFF, 0x01, 'a', 0}, CArchiveException::genericException},
        {"64-bit length marker", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, CArchiveException::genericException},
        // a corrupt length of almost 4 GB with 3 bytes behind it: fails at the end of the
        // data instead of reserving gigabytes first
        {"huge length, little data", {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        LoadFile in(c.bytes);
        CArchive ar(&in.file, CArchive::load);
        int cause = -1;
        try {
            CString s;
            ar >> s;
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(c.cause, cause) << c.what;
    }
}

TEST(CArchiveTest, DirectionIsEnforced) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    EXPECT_TRUE(storing.IsStoring());
    try {
        BYTE b;
        storing >> b;
        ADD_FAILURE() << "reading a storing archive did not throw";
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
        e->Delete();
    }
    storing.Abort();

    Bytes one = {1};
    LoadFile in(one);
    CArchive loading(&in.file, CArchive::load);
    EXPECT_TRUE(loading.IsLoading());
    try {
        loading << (BYTE)1;
        ADD_FAILURE() << "writing a loading archive did not throw";
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::readOnly, e->m_cause);
        e->Delete();
    }
}

TEST(CArchiveTest, LoadingLeavesTheFileRightAfterWhatWasRead) {
    Bytes data = Store([](CArchive& ar) { ar << (DWORD)1 << (DWORD)2 << CString("rest"); });
    LoadFile in(data);
    {
        CArchive ar(&in.file, CArchive::load);
        DWORD first;
        ar >> first;
        ar.Close();
    }
    EXPECT_EQ(4u, in.file.GetPosition());
    BYTE next[4];
    ASSERT_EQ(4u, in.file.Read(next, 4));
    EXPECT_EQ(2, next[0]);
}

// What is left counts the buffered bytes as well as those still in the file, at every point.
TEST(CArchiveTest, BytesLeftCountsBufferedAndUnreadBytes) {
    Bytes data(1000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (BYTE)i;
    LoadFile in(data);
    CArchive ar(&in.file, CArchive::load, 128);
    EXPECT_EQ(1000u, ar.GetBytesLeft());
    BYTE b;
    ar >> b;
    EXPECT_EQ(999u, ar.GetBytesLeft());
    BYTE block[300];
    ASSERT_EQ(300u, ar.Read(block, 300));
    EXPECT_EQ(699u, ar.GetBytesLeft());
    BYTE rest[800];
    EXPECT_EQ(699u, ar.Read(rest, 800));
    EXPECT_EQ(0u, ar.GetBytesLeft());
}

TEST(CArchiveTest, LargeBlocksAndSmallBuffersRoundTrip) {
    Bytes block(100000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = (BYTE)(i * 7 + i / 256);
    Bytes got = Store([&](CArchive& ar) {
        ar << (WORD)7;
        ar.Write(block.data(), (UINT)block.size());
        ar << (BYTE)9;
    }, 128);
    ASSERT_EQ(2 + block.size() + 1, got.size());

    LoadFile in(got);
    CArchive ar(&in.file, CArchive::load, 128);
    WORD w;
    ar >> w;
    Bytes back(block.size());
    EXPECT_EQ((UINT)back.size(), ar.Read(back.data(), (UINT)back.size()));
    BYTE last;
    ar >> last;
    EXPECT_EQ(7, w);
    EXPECT_TRUE(back == block);
    EXPECT_EQ(9, last);
    BYTE beyond[4];
    EXPECT_EQ(0u, ar.Read(beyond, 4));  // Read itself reports the end by its count
}

TEST(CArchiveTest, ArchiveOnADiskFileWithWindowsPath) {
    CString unixDir(getenv("ORV_FIXTURE_DIR"));
    ASSERT_FALSE(unixDir.IsEmpty());
    CString path = "Z:" + unixDir + "/layout.cfg";
    path.Replace('/', '\\');
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("layout") << (DWORD)42;
        ar.Close();
        file.Close();
    }
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(1u + 6 + 4, file.GetLength());
    CArchive ar(&file, CArchive::load);
    CString name;
    DWORD value = 0;
    ar >> name >> value;
    EXPECT_EQ("layout", name.str());
    EXPECT_EQ(42u, value);
}

}  // namespace
