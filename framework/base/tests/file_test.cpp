// File classes on Windows paths: open failures, the throwing constructor, the CR LF handling of
// CStdioFile, memory files, and the path helpers.
#include "orv/gtest.h"
#include "afx.h"
#include <fstream>
#include <sstream>
#include <string>

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dir = getenv("ORV_FIXTURE_DIR");
        ASSERT_TRUE(dir != NULL);
        m_unixDir = dir;
        m_winDir = CString("Z:") + dir;
        m_winDir.Replace('/', '\\');
    }
    CString WinPath(const char* name) const { return m_winDir + "\\" + name; }
    std::string UnixPath(const char* name) const { return m_unixDir + "/" + name; }
    // Reads a file through glibc by its Unix path: shows what really landed on disk.
    std::string UnixContent(const char* name) const {
        std::ifstream in(UnixPath(name), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string m_unixDir;
    CString m_winDir;
};

TEST_F(FileTest, OpenFailuresReportCauseAndName) {
    CString existing = WinPath("exists.bin");
    {
        CFile f(existing, CFile::modeCreate | CFile::modeWrite);
        f.Write("x", 1);
    }
    CreateDirectoryA(WinPath("folder"), NULL);
    struct Case { const char* what; CString path; UINT flags; int cause; };
    const Case cases[] = {
        {"missing file", WinPath("missing.bin"), CFile::modeRead, CFileException::fileNotFound},
        {"missing folder", WinPath("nofolder\\x.bin"), CFile::modeRead, CFileException::badPath},
        {"create in missing folder", WinPath("nofolder\\x.bin"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {"folder as file", WinPath("folder"), CFile::modeRead, CFileException::accessDenied},
    };
    for (const Case& c : cases) {
        CFile f;
        CFileException e;
        EXPECT_FALSE(f.Open(c.path, c.flags, &e)) << c.what;
        EXPECT_EQ(c.cause, e.m_cause) << c.what << " (os error " << e.m_lOsError << ")";
        EXPECT_EQ(c.path.str(), e.m_strFileName.str()) << c.what;
        EXPECT_FALSE(f.IsOpen()) << c.what;
        EXPECT_FALSE(f.Open(c.path, c.flags)) << c.what << " without an exception object";
    }

    // an exclusive holder makes a second open a sharing violation
    CFile holder(existing, CFile::modeReadWrite | CFile::shareExclusive);
    CFile second;
    CFileException e;
    EXPECT_FALSE(second.Open(existing, CFile::modeRead | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
}

TEST_F(FileTest, ConstructorThrowsAndOpenedFileWorks) {
    try {
        CFile f(WinPath("absent.cfg"), CFile::modeRead);
        ADD_FAILURE() << "opening a missing file in the constructor did not throw";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(WinPath("absent.cfg").str(), e->m_strFileName.str());
        e->Delete();
    }

    CString path = WinPath("data.bin");
    CFile f(path, CFile::modeCreate | CFile::modeReadWrite);
    f.Write("0123456789", 10);
    EXPECT_EQ(10u, f.GetLength());
    EXPECT_EQ(10u, f.GetPosition());
    EXPECT_EQ(4u, f.Seek(4, CFile::begin));
    char buf[16] = {};
    EXPECT_EQ(3u, f.Read(buf, 3));
    EXPECT_STREQ("456", buf);
    EXPECT_EQ(8u, f.Seek(-2, CFile::end));
    EXPECT_EQ(2u, f.Read(buf, 10));  // short read at the end
    f.SetLength(5);
    EXPECT_EQ(5u, f.GetLength());
    EXPECT_EQ("data.bin", f.GetFileName().str());
    EXPECT_EQ(path.str(), f.GetFilePath().str());
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    // the Windows path and the Unix path name the same file
    EXPECT_EQ("01234", UnixContent("data.bin"));
    EXPECT_EQ(UnixPath("data.bin"), AfxGetUnixPath(path).str());

    // modeNoTruncate keeps the content, plain modeCreate empties it
    { CFile keep(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite); }
    EXPECT_EQ("01234", UnixContent("data.bin"));
    { CFile empty(path, CFile::modeCreate | CFile::modeWrite); }
    EXPECT_EQ("", UnixContent("data.bin"));
}

TEST_F(FileTest, ReadOnlyFileRefusesWrites) {
    CString path = WinPath("ro.bin");
    { CFile f(path, CFile::modeCreate | CFile::modeWrite); }
    CFile f(path, CFile::modeRead);
    try {
        f.Write("x", 1);
        ADD_FAILURE() << "writing a file opened for reading did not throw";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        e->Delete();
    }
}

TEST_F(FileTest, StdioFileTranslatesLineEnds) {
    struct Case { const char* what; const char* written; const char* onDisk; };
    const Case cases[] = {
        {"bare LF", "a\nb\n", "a\r\nb\r\n"},
        {"CR LF kept single", "a\r\nb", "a\r\nb"},
        {"lone CR unchanged", "a\rb\n", "a\rb\r\n"},
        {"empty lines", "\n\n", "\r\n\r\n"},
        {"no line end", "tail", "tail"},
    };
    for (const Case& c : cases) {
        CStdioFile out;
        ASSERT_TRUE(out.Open(WinPath("lines.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText)) << c.what;
        out.WriteString(c.written);
        out.Close();
        EXPECT_EQ(std::string(c.onDisk), UnixContent("lines.txt")) << c.what;
    }

    {
        CStdioFile raw(WinPath("read.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        raw.WriteString("first\r\nsecond\nthird\r\n\r\nlast");
        raw.Close();
        EXPECT_EQ("first\r\nsecond\nthird\r\n\r\nlast", UnixContent("read.txt"));  // binary: as given
    }
    CStdioFile in(WinPath("read.txt"), CFile::modeRead | CFile::shareDenyWrite);
    std::vector<std::string> lines;
    CString line;
    while (in.ReadString(line))
        lines.push_back(line.str());
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third", "", "last"}), lines);

    // the buffer form keeps the LF, stops at the buffer size, and says NULL at the end
    in.SeekToBegin();
    char buf[8];
    ASSERT_TRUE(in.ReadString(buf, sizeof buf) != NULL);
    EXPECT_STREQ("first\n", buf);
    ASSERT_TRUE(in.ReadString(buf, 4) != NULL);
    EXPECT_STREQ("sec", buf);
    EXPECT_EQ(10u, in.GetPosition());  // the read-ahead does not move the logical position
    char rest[64] = {};
    EXPECT_EQ(4u, in.Read(rest, 4));
    EXPECT_STREQ("ond\n", rest);
    in.Seek(-4, CFile::end);
    EXPECT_TRUE(in.ReadString(buf, sizeof buf) != NULL);
    EXPECT_STREQ("last", buf);
    EXPECT_TRUE(in.ReadString(buf, sizeof buf) == NULL);

    CStdioFile binaryLines(WinPath("read.txt"), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    ASSERT_TRUE(binaryLines.ReadString(line));
    EXPECT_EQ("first\r", line.str());  // binary mode: no translation
}

TEST_F(FileTest, MemFileGrowsAndAttachedBlocksDoNot) {
    CMemFile mem(16);
    for (int i = 0; i < 10; ++i)
        mem.Write("abcdefghij", 10);
    EXPECT_EQ(100u, mem.GetLength());
    mem.Seek(120, CFile::begin);  // writing past the end leaves zeros in between
    mem.Write("z", 1);
    EXPECT_EQ(121u, mem.GetLength());
    mem.Seek(100, CFile::begin);
    char gap[21];
    EXPECT_EQ(21u, mem.Read(gap, 21));
    EXPECT_EQ(std::string(20, '\0') + "z", std::string(gap, 21));
    EXPECT_EQ(0u, mem.Read(gap, 1));
    try {
        mem.Seek(-1, CFile::begin);
        ADD_FAILURE() << "a seek before the start did not throw";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    mem.SetLength(3);
    EXPECT_EQ(3u, mem.GetLength());
    EXPECT_EQ(3u, mem.GetPosition());
    BYTE* owned = mem.Detach();
    EXPECT_EQ(0, memcmp(owned, "abc", 3));
    free(owned);
    EXPECT_EQ(0u, mem.GetLength());

    BYTE block[4] = {1, 2, 3, 4};
    CMemFile attached(block, sizeof block);
    EXPECT_EQ(4u, attached.GetLength());
    BYTE two[2];
    EXPECT_EQ(2u, attached.Read(two, 2));
    EXPECT_EQ(1, two[0]);
    EXPECT_EQ(2, two[1]);
    attached.Seek(0, CFile::begin);
    attached.Write("\x09", 1);  // inside the block: fine
    EXPECT_EQ(9, block[0]);
    try {
        attached.Seek(0, CFile::end);
        attached.Write("x", 1);
        ADD_FAILURE() << "writing past an attached block did not throw";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::diskFull, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(4u, attached.GetLength());
}

TEST(PathTest, SplitPathTable) {
    struct Case { const char* path; const char* drive; const char* dir; const char* name; const char* ext; };
    const Case cases[] = {
        {"C:\\dir\\report.html", "C:", "\\dir\\", "report", ".html"},
        {"C:\\a.b\\file", "C:", "\\a.b\\", "file", ""},
        {"report.tar.gz", "", "", "report.tar", ".gz"},
        {"\\\\server\\share\\x.txt", "", "\\\\server\\share\\", "x", ".txt"},
        {"Z:/tmp/log.cfg", "Z:", "/tmp/", "log", ".cfg"},
        {"C:", "C:", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        CString drive, dir, name, ext;
        AfxSplitPath(c.path, &drive, &dir, &name, &ext);
        EXPECT_EQ(std::string(c.drive), drive.str()) << c.path;
        EXPECT_EQ(std::string(c.dir), dir.str()) << c.path;
        EXPECT_EQ(std::string(c.name), name.str()) << c.path;
        EXPECT_EQ(std::string(c.ext), ext.str()) << c.path;
    }
    CString nameOnly;
    AfxSplitPath("C:\\x\\y.z", NULL, NULL, &nameOnly, NULL);
    EXPECT_EQ("y", nameOnly.str());
}

TEST_F(FileTest, FileExists) {
    EXPECT_TRUE(AfxFileExists(m_winDir));
    EXPECT_FALSE(AfxFileExists(WinPath("nothing-here")));
    { CFile f(WinPath("here"), CFile::modeCreate | CFile::modeWrite); }
    EXPECT_TRUE(AfxFileExists(WinPath("here")));
    EXPECT_FALSE(AfxFileExists(NULL));
}

}  // namespace
