// Stored files read and written back: byte-exact where the file is in its canonical form, and
// the normalisation of the format where it is not (missing values, "N/A" times, extra values).
#include "orv/gtest.h"

#include "ItemFiles.h"
#include "MonitorItemSettingsImpl.h"
#include "ValueFile.h"

using itemtest::readBytes;
using itemtest::writeBytes;

namespace {

const char kMissing[] = "<missing>";

typedef std::vector<std::string> Values;

std::string joinValues(const Values& values)
{
    std::string text;
    for (const std::string& value : values)
        text += value + "|";
    return text;
}

// options.cfg values of a new item as this code writes them: flags and numbers spelled out.
Values newItemValues()
{
    Values values(51);
    for (int position : {2, 8, 9, 10, 13, 14, 18, 20, 21, 22, 23, 24, 25, 27, 28, 30, 41, 46,
                         3, 4, 5, 6, 15, 16, 32})
        values[position] = "0";
    values[3] = "20";
    values[6] = "5000";
    values[13] = "1";
    values[14] = "1";
    values[15] = "3";
    values[16] = "1";
    return values;
}

std::string newItemWith(std::initializer_list<std::pair<int, std::string>> changes)
{
    Values values = newItemValues();
    for (const auto& change : changes)
        values[change.first] = change.second;
    return joinValues(values);
}

// The defaults as a hand-written file states them: only the values that are not empty.
std::string handWrittenDefaults()
{
    return "|||20|||5000|||||||1|1|3|1|" + std::string(34, '|');
}

// A full options.cfg in written form: every kind of value, odd bytes in the texts.
std::string canonicalOptions()
{
    return joinValues({"Web shop", "http://shop.example.org:8080/a%20b?x=1&y=2", "1", "5", "2",
                       "1", "2500", "Welcome", "1", "1", "0", "r1", "r2", "1", "0", "7", "2",
                       "C:\\tools\\page.bat", "1", "http://alert.example.org/", "0", "1", "1",
                       "0", "1", "0", "a@x.org$b@y.org$", "1", "1", "C:\\sounds\\ding.wav", "1",
                       "Line one\r\nLine two\n", "443", "ftpuser", "ftp pass ^]$", "C:\\in.txt",
                       "/out.txt", "C:\\up.txt", "/up.txt", "popuser", "pop$pass", "1",
                       "Body words", "Subject: x", "smtpuser", "smtppass", "1",
                       "Dear\r\n.\r\nBye", "Test [1]", "from@x.org", "to@y.org"});
}

std::string canonicalStatistics()
{
    return "3|1700000000^200^Success^312^1^]1700000060^1^Timed out^0^0^]"
           "1700000120^404^HTTP/1.1 404 Not Found^95^0^]|2|1700000120|1700000000|95|"
           "HTTP/1.1 404 Not Found|";
}

struct RoundTripCase {
    const char* name;
    std::string optionsIn;      // kMissing: no file
    std::string statisticsIn;   // kMissing: no file
    std::string optionsOut;
    std::string statisticsOut;
};

class ItemRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Read -> save -> compare bytes, then read that output and save again: the second save must not
// change a byte (the written form is a fixed point).
TEST_P(ItemRoundTrip, SavesTheExpectedBytes)
{
    const RoundTripCase& c = GetParam();
    const std::string folder = itemtest::scratch(std::string("roundtrip_") + c.name);
    const std::string options = folder + "\\options.cfg";
    const std::string statistics = folder + "\\statistics.cfg";
    if (c.optionsIn != kMissing)
        writeBytes(options, c.optionsIn);
    if (c.statisticsIn != kMissing)
        writeBytes(statistics, c.statisticsIn);

    for (int pass = 0; pass < 2; ++pass) {
        {
            MonitorItemSettingsImpl item(folder + "\\");
            item.save();
            EXPECT_EQ(c.optionsOut, readBytes(options)) << "pass " << pass;
            EXPECT_EQ(c.statisticsOut, readBytes(statistics)) << "pass " << pass;
        }  // the destructor saves once more: still the same bytes
        EXPECT_EQ(c.optionsOut, readBytes(options)) << "after delete, pass " << pass;
        EXPECT_EQ(c.statisticsOut, readBytes(statistics)) << "after delete, pass " << pass;
    }
    EXPECT_FALSE(itemtest::pathExists(options + ".tmp"));
    EXPECT_FALSE(itemtest::pathExists(statistics + ".tmp"));
}

const std::string kNewStatistics = "0||0|0|0|0||";

INSTANTIATE_TEST_SUITE_P(
    Files, ItemRoundTrip,
    ::testing::Values(
        RoundTripCase{"canonical", canonicalOptions(), canonicalStatistics(), canonicalOptions(),
                      canonicalStatistics()},
        RoundTripCase{"no_files", kMissing, kMissing, newItemWith({}), kNewStatistics},
        RoundTripCase{"empty_files", "", "", newItemWith({}), kNewStatistics},
        RoundTripCase{"hand_written_defaults", handWrittenDefaults(), kMissing, newItemWith({}),
                      kNewStatistics},
        // A never-saved statistics file: "N/A" times become numbers.
        RoundTripCase{"na_times", newItemWith({}), "0||0|N/A|N/A|0||", newItemWith({}),
                      kNewStatistics},
        // Name and address only: the other 49 positions take their defaults.
        RoundTripCase{"two_values", "Router|192.168.0.1|", kMissing,
                      newItemWith({{0, "Router"}, {1, "192.168.0.1"}}), kNewStatistics},
        // The last value lacks its '|' and is lost to its default.
        RoundTripCase{"unterminated", "Router|192.168.0.1|1|45", kMissing,
                      newItemWith({{0, "Router"}, {1, "192.168.0.1"}, {2, "1"}}),
                      kNewStatistics},
        // Numbers and flags are rewritten in their plain form; a present but empty number is 0.
        RoundTripCase{"odd_numbers", "a|b| 7|0030|x|+6||", "00012||x|N/A|1e9|-5||",
                      newItemWith({{0, "a"}, {1, "b"}, {2, "1"}, {3, "30"}, {5, "6"}, {6, "0"}}),
                      "12||0|0|1|-5||"},
        // Values beyond the last position are dropped.
        RoundTripCase{"extra_values", handWrittenDefaults() + "x|y|",
                      canonicalStatistics() + "extra|", newItemWith({}), canonicalStatistics()},
        // Recipients trimmed to one word each; an empty piece is no recipient.
        RoundTripCase{"recipient_words", std::string(26, '|') + "a@x.org$ b@y.org extra$$|",
                      kMissing,
                      newItemWith({{3, "0"}, {6, "0"}, {13, "0"}, {14, "0"}, {15, "0"}, {16, "0"},
                                   {26, "a@x.org$b@y.org$"}}),
                      kNewStatistics},
        // Separators kept inside texts by an escape; such a file reads and writes unchanged.
        RoundTripCase{"escaped_texts", "pipe\x1b" "7Cname" + handWrittenDefaults(),
                      "1|1^200^a\x1b" "5Eb\x1b" "5Dc^5^1^]|0|0|1|5|x\x1b" "7Cy|",
                      newItemWith({{0, "pipe\x1b" "7Cname"}}),
                      "1|1^200^a\x1b" "5Eb\x1b" "5Dc^5^1^]|0|0|1|5|x\x1b" "7Cy|"},
        // Blanks kept inside a recipient by an escape: the address is not cut at the next load.
        RoundTripCase{"escaped_blanks",
                      newItemWith({{26, "a\x1b" "20b@x.org$c\x1b" "09d\x1b" "0De\x1b" "0B@y.org$"}}),
                      kMissing,
                      newItemWith({{26, "a\x1b" "20b@x.org$c\x1b" "09d\x1b" "0De\x1b" "0B@y.org$"}}),
                      kNewStatistics}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

// The value-file layer keeps bytes it does not understand, CR LF and NUL included.
TEST(ValueFile, KeepsValuesByteForByte)
{
    const std::string folder = itemtest::scratch("valuefile_bytes");
    const std::string path = folder + "\\values.cfg";
    const std::string text = std::string("a\r\nb|\0\x01\xff|\r|\n|", 13) + "|";
    writeBytes(path, text);
    ValueFile file(path, std::vector<std::string>(5, "d"));
    EXPECT_EQ(std::string("a\r\nb"), file.get(0));
    EXPECT_EQ(std::string("\0\x01\xff", 3), file.get(1));
    EXPECT_EQ("\r", file.get(2));
    EXPECT_EQ("\n", file.get(3));
    EXPECT_EQ("", file.get(4));
    EXPECT_EQ("", file.get(99));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(text, readBytes(path));
}

TEST(ValueFile, FillsDefaultsAndIgnoresPositionsBeyondTheList)
{
    const std::string folder = itemtest::scratch("valuefile_defaults");
    const std::string path = folder + "\\values.cfg";
    writeBytes(path, "one|two|three|four|tail");
    ValueFile file(path, {"d0", "d1", "d2"});
    EXPECT_EQ(4u, file.size());   // the extra value stays in the list
    EXPECT_EQ("four", file.get(3));
    file.set(1, "TWO");
    file.set(7, "ignored");
    EXPECT_EQ("one|TWO|three|", file.contents());

    writeBytes(path, "x|");
    file.load();
    EXPECT_EQ("x|d1|d2|", file.contents());
}

}  // namespace
