// service_helper.txt: its first line, whatever line end the writer used.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <windows.h>

#include "ServiceHelperFile.h"

using ::testing::EndsWith;

namespace {

void writeBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f) << path;
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

}  // namespace

TEST(ServiceHelperFile, ReadsTheFirstLineWithoutItsLineEnd)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string line;
    } cases[] = {
        {"CR LF, as the GUI writes it", "C:\\Orvane Data\\\r\n", "C:\\Orvane Data\\"},
        {"LF only", "C:\\data\n", "C:\\data"},
        {"a lone CR", "C:\\data\rrest", "C:\\data"},
        {"no line end", "Z:\\srv\\data", "Z:\\srv\\data"},
        {"further lines are ignored", "D:\\one\r\nD:\\two\r\n", "D:\\one"},
        {"an empty first line", "\r\nD:\\two\r\n", ""},
        {"an empty file", "", ""},
        {"a line longer than one read", std::string(1500, 'x') + "\r\nnext", std::string(1500, 'x')},
    };
    const std::string folder = orvtest::makeScratchFolder("helper");
    for (const Case& c : cases) {
        const std::string path = folder + "\\service_helper.txt";
        writeBytes(path, c.bytes);
        std::string line = "unchanged";
        EXPECT_TRUE(ServiceHelperFile::readFirstLine(path, line)) << c.what;
        EXPECT_EQ(c.line, line) << c.what;
    }
}

TEST(ServiceHelperFile, AMissingFileCannotBeRead)
{
    std::string line = "unchanged";
    EXPECT_FALSE(ServiceHelperFile::readFirstLine(
        orvtest::makeScratchFolder("nohelper") + "\\service_helper.txt", line));
    EXPECT_EQ("unchanged", line);
}

TEST(ServiceHelperFile, LiesBesideTheRunningProgram)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder = program;
    folder.erase(folder.find_last_of('\\') + 1);
    EXPECT_EQ(folder + "service_helper.txt", ServiceHelperFile::pathBesideProgram());
    EXPECT_THAT(ServiceHelperFile::pathBesideProgram(), EndsWith("\\service_helper.txt"));
}
