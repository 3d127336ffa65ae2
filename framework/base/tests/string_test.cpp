// CString: counted text with embedded NULs, slicing, searching, editing, formatting, the raw
// buffer protocol and string resources.
#include "orv/gtest.h"
#include "afx.h"
#include "test_resources.h"
#include <string>

namespace {

std::string Bytes(const CString& s) { return s.str(); }

TEST(CStringTest, EmbeddedNulsAreCountedEverywhere) {
    const char raw[] = {'a', '\0', 'b', '\0', 'c'};
    CString s(raw, 5);
    EXPECT_EQ(5, s.GetLength());
    EXPECT_EQ(std::string(raw, 5), Bytes(s));
    // the C-string view ends at the first NUL, the counted text does not
    EXPECT_STREQ("a", (LPCTSTR)s);
    EXPECT_EQ(2, s.Find('b'));
    EXPECT_EQ(3, s.Find('\0', 2));
    EXPECT_EQ(4, s.ReverseFind('c'));
    EXPECT_EQ(std::string("b\0c", 3), Bytes(s.Mid(2)));
    EXPECT_EQ(std::string("\0c", 2), Bytes(s.Right(2)));

    CString copy = s;
    copy += CString("\0z", 2);
    EXPECT_EQ(7, copy.GetLength());
    EXPECT_TRUE(copy != s);
    EXPECT_TRUE(CString(raw, 3) != CString("a"));  // "a\0b" differs from "a"
    EXPECT_EQ(3, copy.Remove('\0'));
    EXPECT_EQ("abcz", Bytes(copy));
}

TEST(CStringTest, SlicingClampsOutOfRangeArguments) {
    struct Case { const char* what; CString got; const char* expected; };
    const CString s("Hello, world");
    const Case cases[] = {
        {"Left inside", s.Left(5), "Hello"},
        {"Left beyond", s.Left(99), "Hello, world"},
        {"Left negative", s.Left(-1), ""},
        {"Mid from", s.Mid(7), "world"},
        {"Mid count", s.Mid(7, 3), "wor"},
        {"Mid past end", s.Mid(20), ""},
        {"Mid negative start", s.Mid(-3, 2), "He"},
        {"Mid count beyond", s.Mid(10, 50), "ld"},
        {"Right inside", s.Right(5), "world"},
        {"Right beyond", s.Right(40), "Hello, world"},
        {"Right zero", s.Right(0), ""},
        {"SpanIncluding", CString("aabbcx").SpanIncluding("ab"), "aabb"},
        {"SpanExcluding", CString("key=value").SpanExcluding("=;"), "key"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.expected), Bytes(c.got)) << c.what;
}

TEST(CStringTest, SearchFunctions) {
    const CString s("one two one");
    struct Case { const char* what; int got; int expected; };
    const Case cases[] = {
        {"Find char", s.Find('o'), 0},
        {"Find char from", s.Find('o', 1), 6},
        {"Find char absent", s.Find('z'), -1},
        {"Find char start past end", s.Find('o', 50), -1},
        {"Find text", s.Find("one"), 0},
        {"Find text from", s.Find("one", 1), 8},
        {"Find text absent", s.Find("three"), -1},
        {"Find empty text", s.Find(""), 0},
        {"ReverseFind", s.ReverseFind('o'), 8},
        {"ReverseFind absent", s.ReverseFind('x'), -1},
        {"FindOneOf", s.FindOneOf("wt"), 4},
        {"FindOneOf none", s.FindOneOf("xyz"), -1},
        {"FindOneOf empty set", s.FindOneOf(""), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
}

TEST(CStringTest, EditingOperations) {
    struct Case { const char* what; const char* input; void (*edit)(CString&, int&); const char* expected; int result; };
    const Case cases[] = {
        {"Trim both", " \t\r\nabc \r\n", [](CString& s, int& r) { s.Trim(); r = 0; }, "abc", 0},
        {"TrimLeft only", "  x  ", [](CString& s, int& r) { s.TrimLeft(); r = 0; }, "x  ", 0},
        {"TrimRight set", "x;;,", [](CString& s, int& r) { s.TrimRight(";,"); r = 0; }, "x", 0},
        {"TrimLeft char", "000120", [](CString& s, int& r) { s.TrimLeft('0'); r = 0; }, "120", 0},
        {"Trim all blank", "   ", [](CString& s, int& r) { s.Trim(); r = 0; }, "", 0},
        {"Replace chars", "a.b.c", [](CString& s, int& r) { r = s.Replace('.', '/'); }, "a/b/c", 2},
        {"Replace text longer", "a-b-c", [](CString& s, int& r) { r = s.Replace("-", "--"); }, "a--b--c", 2},
        {"Replace text shorter", "aaaa", [](CString& s, int& r) { r = s.Replace("aa", "b"); }, "bb", 2},
        {"Replace by nothing", "x\r\ny\r\n", [](CString& s, int& r) { r = s.Replace("\r\n", ""); }, "xy", 2},
        {"Replace absent", "abc", [](CString& s, int& r) { r = s.Replace("zz", "y"); }, "abc", 0},
        {"Replace empty old", "abc", [](CString& s, int& r) { r = s.Replace("", "y"); }, "abc", 0},
        {"Remove", "a b c", [](CString& s, int& r) { r = s.Remove(' '); }, "abc", 2},
        {"Insert text", "ac", [](CString& s, int& r) { r = s.Insert(1, "b"); }, "abc", 3},
        {"Insert char past end", "ab", [](CString& s, int& r) { r = s.Insert(10, 'c'); }, "abc", 3},
        {"Delete", "abcdef", [](CString& s, int& r) { r = s.Delete(1, 2); }, "adef", 4},
        {"Delete beyond end", "abc", [](CString& s, int& r) { r = s.Delete(2, 10); }, "ab", 2},
        {"Delete past end", "abc", [](CString& s, int& r) { r = s.Delete(5, 1); }, "abc", 3},
        {"MakeUpper ASCII only", "abc\xe9z", [](CString& s, int& r) { s.MakeUpper(); r = 0; }, "ABC\xe9Z", 0},
        {"MakeLower", "MiXeD", [](CString& s, int& r) { s.MakeLower(); r = 0; }, "mixed", 0},
        {"MakeReverse", "abc", [](CString& s, int& r) { s.MakeReverse(); r = 0; }, "cba", 0},
        {"SetAt", "abc", [](CString& s, int& r) { s.SetAt(1, 'X'); r = 0; }, "aXc", 0},
    };
    for (const Case& c : cases) {
        CString s(c.input);
        int result = -99;
        c.edit(s, result);
        EXPECT_EQ(std::string(c.expected), Bytes(s)) << c.what;
        EXPECT_EQ(c.result, result) << c.what;
    }
}

TEST(CStringTest, ComparisonsAreByteWiseAndCaseFoldingIsAscii) {
    struct Case { const char* a; const char* b; int sign; int signNoCase; };
    const Case cases[] = {
        {"abc", "abc", 0, 0},   {"abc", "abd", -1, -1}, {"abc", "ab", 1, 1},
        {"ABC", "abc", -1, 0},  {"", "", 0, 0},         {"", "a", -1, -1},
        {"\xe9", "e", 1, 1},    // bytes compare unsigned, like strcmp
        {"Zeta", "alpha", -1, 1},
    };
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const Case& c : cases) {
        EXPECT_EQ(c.sign, sign(CString(c.a).Compare(c.b))) << c.a << " vs " << c.b;
        EXPECT_EQ(c.signNoCase, sign(CString(c.a).CompareNoCase(c.b))) << c.a << " vs " << c.b;
        EXPECT_EQ(c.sign == 0, CString(c.a) == c.b) << c.a << " vs " << c.b;
        EXPECT_EQ(c.sign < 0, CString(c.a) < CString(c.b)) << c.a << " vs " << c.b;
    }
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString() == (LPCTSTR)NULL);
}

TEST(CStringTest, FormatTable) {
    struct Case { const char* what; CString got; const char* expected; };
    auto fmt = [](auto... args) { CString s; s.Format(args...); return s; };
    const DWORD dw = 0xDEADBEEF;
    const Case cases[] = {
        {"unsigned", fmt("%u", (UINT)4000000000u), "4000000000"},
        {"hex padded", fmt("%08X", (DWORD)0xBEEF), "0000BEEF"},
        {"reply text", fmt("%d:%s", 550, "SMTP server error"), "550:SMTP server error"},
        {"zone east", fmt("%+.2d%.2d", 5, 30), "+0530"},
        {"zone west", fmt("%+.2d%.2d", -5, 0), "-0500"},
        {"zone zero", fmt("%+.2d%.2d", 0, 0), "+0000"},
        {"dword hex", fmt("%08X", dw), "DEADBEEF"},
        {"HELO", fmt("HELO %s\r\n", "orvhost"), "HELO orvhost\r\n"},
        {"placement", fmt("%d,%d,%d,%d,%d,%d", -8, 0, 1280, 1024, 3, 0), "-8,0,1280,1024,3,0"},
        {"version", fmt("%d%c%d%c%d%c%d", 2, '.', 2, '.', 7, '.', 1), "2.2.7.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.expected), Bytes(c.got)) << c.what;

    // longer than any internal first-try buffer
    CString big;
    big.Format("%s|%0600d|%s", "start", 7, "end");
    EXPECT_EQ(5 + 1 + 600 + 1 + 3, big.GetLength());
    EXPECT_EQ(0, big.Find("start|000"));
    EXPECT_EQ(big.GetLength() - 5, big.Find("7|end"));

    CString appended("x=");
    appended.AppendFormat("%d", 42);
    EXPECT_EQ("x=42", Bytes(appended));
}

// The growth pattern of a bulk writer: reserve length + step, write into the raw buffer,
// release at the used length, reserve again when full.
TEST(CStringTest, GetBufferReleaseBufferGrowthKeepsContent) {
    CString s("head:");
    int used = s.GetLength();
    const int step = 7;
    char* buf = s.GetBuffer(used + step);
    int capacity = used + step;
    std::string expected = "head:";
    for (int i = 0; i < 100; ++i) {
        char c = (char)('a' + i % 26);
        if (used + 1 >= capacity) {
            s.ReleaseBuffer(used);
            capacity = used + step;
            buf = s.GetBuffer(capacity);
        }
        buf[used++] = c;
        expected.push_back(c);
    }
    s.ReleaseBuffer(used);
    EXPECT_EQ(expected, Bytes(s));

    // -1 takes the text up to the first NUL written into the buffer
    CString t;
    strcpy(t.GetBuffer(32), "abc");
    t.ReleaseBuffer();
    EXPECT_EQ("abc", Bytes(t));
    EXPECT_EQ(3, t.GetLength());

    // a buffer smaller than the text still holds the whole text
    CString u("keep all of me");
    EXPECT_STREQ("keep all of me", u.GetBuffer(2));
    u.ReleaseBuffer(4);
    EXPECT_EQ("keep", Bytes(u));

    char* fixed = u.GetBufferSetLength(3);
    fixed[2] = 'Z';
    u.ReleaseBuffer(3);
    EXPECT_EQ("keZ", Bytes(u));
}

TEST(CStringTest, LoadStringFindsProgramResources) {
    CString s("unchanged");
    EXPECT_TRUE(s.LoadString(IDS_TEST_GREETING));
    EXPECT_EQ("Hello from the string table", Bytes(s));
    EXPECT_TRUE(s.LoadString(IDS_TEST_LONG));
    EXPECT_EQ(280, s.GetLength());  // longer than a 255-character buffer takes
    CString t("unchanged");
    EXPECT_FALSE(t.LoadString(IDS_TEST_MISSING));
    EXPECT_EQ("unchanged", Bytes(t));
    EXPECT_EQ("Hello from the string table", Bytes(CString(MAKEINTRESOURCEA(IDS_TEST_GREETING))));
}

TEST(CStringTest, OutOfRangeCharacterAccessThrows) {
    CString s("ab");
    EXPECT_EQ('b', s[1]);
    for (int bad : {-1, 2, 100}) {
        try {
            (void)s.GetAt(bad);
            ADD_FAILURE() << "no exception for index " << bad;
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException))) << bad;
            e->Delete();
        }
    }
}

TEST(CStringTest, ConstructionForms) {
    EXPECT_EQ("", Bytes(CString((LPCTSTR)NULL)));
    EXPECT_EQ("xxx", Bytes(CString('x', 3)));
    EXPECT_EQ("", Bytes(CString('x', 0)));
    EXPECT_EQ("ab", Bytes(CString("abc", 2)));
    EXPECT_EQ("ab", Bytes(CString("a") + 'b'));
    EXPECT_EQ("ab", Bytes('a' + CString("b")));
    EXPECT_EQ("ab", Bytes("a" + CString("b")));
    CString self("self");
    self = (LPCTSTR)self + 1;  // assigning from its own characters
    EXPECT_EQ("elf", Bytes(self));
}

}  // namespace
