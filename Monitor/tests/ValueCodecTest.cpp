// Text forms of single values: numbers, flags, escaped texts, recipient lists and history.
#include "orv/gtest.h"

#include <climits>
#include <random>

#include "ValueCodec.h"

namespace {

// 1. Decimal prefix: whatever a hand-edited or damaged file holds reads as a number.
TEST(ValueCodec, ReadsNumbersByTheirDecimalPrefix)
{
    struct Case {
        const char* text;
        std::int64_t expected;
    } cases[] = {
        {"", 0},        {"42", 42},      {"  42", 42},  {"\t-7", -7},   {"+5", 5},
        {"12abc", 12},  {"abc", 0},      {"N/A", 0},    {"-", 0},       {"- 3", 0},
        {"0007", 7},    {"3 4", 3},      {"1e3", 1},
        {"99999999999999999999", INT64_MAX}, {"-99999999999999999999", INT64_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ValueCodec::readDecimal(c.text)) << "text \"" << c.text << "\"";

    EXPECT_EQ(INT_MAX, ValueCodec::readInt("3000000000"));
    EXPECT_EQ(INT_MIN, ValueCodec::readInt("-3000000000"));
    EXPECT_EQ(-12, ValueCodec::readInt(ValueCodec::writeInt(-12)));
}

TEST(ValueCodec, ReadsFlagsAsNonZero)
{
    struct Case {
        const char* text;
        bool expected;
    } cases[] = {{"0", false}, {"1", true}, {"2", true}, {"-1", true}, {"", false},
                 {"x", false}, {" 1", true}, {"00", false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ValueCodec::readFlag(c.text)) << "text \"" << c.text << "\"";
    EXPECT_EQ("1", ValueCodec::writeFlag(true));
    EXPECT_EQ("0", ValueCodec::writeFlag(false));
}

// 2. Texts: only the separator and the escape character change; everything else is kept.
TEST(ValueCodec, EscapesOnlyTheValueSeparator)
{
    const std::string esc(1, ValueCodec::kEscape);
    struct Case {
        std::string text;
        std::string encoded;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"100% $5 ^x] [y]", "100% $5 ^x] [y]"},  // other files' separators stay in a text value
        {"line1\r\nline2\n", "line1\r\nline2\n"},
        {"a|b", "a" + esc + "7Cb"},
        {"||", esc + "7C" + esc + "7C"},
        {esc + "7C", esc + "1B7C"},  // the escape itself, so a literal survives
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.encoded, ValueCodec::encodeText(c.text)) << "text \"" << c.text << "\"";
        EXPECT_EQ(c.text, ValueCodec::decodeText(c.encoded)) << "text \"" << c.text << "\"";
    }
}

TEST(ValueCodec, KeepsEscapeCharactersThatStartNoEscape)
{
    const std::string esc(1, ValueCodec::kEscape);
    const std::string texts[] = {esc, "a" + esc, esc + "7", esc + "7c", esc + "G1", esc + "x|"};
    for (const std::string& text : texts)
        EXPECT_EQ(text, ValueCodec::decodeText(text));
}

// 3. Recipients: trimmed words, empty pieces and a tail without '$' dropped.
TEST(ValueCodec, ReadsRecipientLists)
{
    typedef std::vector<std::string> List;
    struct Case {
        const char* value;
        List expected;
    } cases[] = {
        {"", List{}},
        {"a@x.org$", List{"a@x.org"}},
        {"a@x.org$ b@y.org extra$", List{"a@x.org", "b@y.org"}},
        {"a@x.org$$b@y.org$", List{"a@x.org", "b@y.org"}},
        {"a@x.org$   $", List{"a@x.org"}},
        {"a@x.org$tail@z.org", List{"a@x.org"}},
        {"\ta@x.org\t$", List{"a@x.org"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ValueCodec::decodeRecipients(c.value)) << "value \"" << c.value
                                                                     << "\"";
}

TEST(ValueCodec, RecipientListsRoundTrip)
{
    typedef std::vector<std::string> List;
    const List lists[] = {List{}, List{"a@x.org"}, List{"a@x.org", "b@y.org", "c@z.org"},
                          List{"odd$name@x.org", "pipe|d@y.org"},
                          List{"two words@x.org", "\tcr\r\nlf\vvt\fff ", " "}};
    for (const List& list : lists)
        EXPECT_EQ(list, ValueCodec::decodeRecipients(ValueCodec::encodeRecipients(list)));
    EXPECT_EQ("a@x.org$b@y.org$", ValueCodec::encodeRecipients(List{"a@x.org", "b@y.org"}));
    const std::string esc(1, ValueCodec::kEscape);
    EXPECT_EQ("a" + esc + "20b" + esc + "09c" + esc + "0Dd" + esc + "0Be$",
              ValueCodec::encodeRecipients(List{"a b\tc\rd\ve"}));
}

// 4. History.
TEST(ValueCodec, ReadsHistoryEntries)
{
    MonitorItemSettings::History history =
        ValueCodec::decodeHistory("1000^200^Success^312^1^]1060^404^Not found^0^0^]5^7]tail^1");
    ASSERT_EQ(3u, history.size());
    EXPECT_EQ(1000, history[0].time);
    EXPECT_EQ(200, history[0].code);
    EXPECT_EQ("Success", history[0].message);
    EXPECT_EQ(312, history[0].responseMs);
    EXPECT_TRUE(history[0].ok);
    EXPECT_EQ(1060, history[1].time);
    EXPECT_EQ(404, history[1].code);
    EXPECT_EQ("Not found", history[1].message);
    EXPECT_FALSE(history[1].ok);
    // An entry short of fields reads the missing ones as 0 or empty.
    EXPECT_EQ(5, history[2].time);
    EXPECT_EQ(7, history[2].code);
    EXPECT_EQ("", history[2].message);
    EXPECT_EQ(0, history[2].responseMs);
    EXPECT_FALSE(history[2].ok);
}

TEST(ValueCodec, HistoryMessagesWithSeparatorsReadBackAsWritten)
{
    const std::string messages[] = {
        "Success",
        "-ERR [AUTH] Authentication failed.",
        "550 <unknown[127.0.0.1]>: rejected",
        "a^b^c",
        "pipe | in text",
        std::string("escape ") + ValueCodec::kEscape + "41",
        "",
    };
    MonitorItemSettings::History history;
    std::time_t time = 1700000000;
    for (const std::string& message : messages) {
        ResultRecord record;
        record.time = time++;
        record.code = 200;
        record.message = message;
        record.responseMs = 12;
        record.ok = true;
        history.push_back(record);
    }
    const std::string text = ValueCodec::encodeHistory(history);
    EXPECT_EQ(std::string::npos, text.find('|'));
    MonitorItemSettings::History back = ValueCodec::decodeHistory(text);
    ASSERT_EQ(history.size(), back.size());
    for (std::size_t i = 0; i < history.size(); ++i) {
        EXPECT_EQ(history[i].message, back[i].message) << "entry " << i;
        EXPECT_EQ(history[i].time, back[i].time) << "entry " << i;
        EXPECT_EQ(12, back[i].responseMs) << "entry " << i;
    }
}

TEST(ValueCodec, WritesHistoryInTheStoredForm)
{
    MonitorItemSettings::History history(2);
    history[0].time = 1000;
    history[0].code = 200;
    history[0].message = "Success";
    history[0].responseMs = 312;
    history[0].ok = true;
    history[1].time = -1;
    history[1].code = 1;
    history[1].message = "Timed out";
    history[1].responseMs = 0;
    history[1].ok = false;
    EXPECT_EQ("1000^200^Success^312^1^]-1^1^Timed out^0^0^]", ValueCodec::encodeHistory(history));
}

// 5. Every value comes back byte for byte, however often it is loaded and saved: random values of
// every byte, with the separators and blanks over-represented.
TEST(ValueCodec, EveryValueSurvivesAnyNumberOfLoadsAndSaves)
{
    const unsigned seed = 20251211;
    std::mt19937 random(seed);
    const std::string specials = std::string("|$^]\x1b \t\n\v\f\r%~") + std::string(1, '\0');
    auto randomText = [&](std::size_t maxLength) {
        std::string text(random() % (maxLength + 1), ' ');
        for (char& c : text)
            c = random() % 2 ? specials[random() % specials.size()]
                             : static_cast<char>(random() % 256);
        return text;
    };
    for (int round = 0; round < 1000; ++round) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", round " << round);
        // A stored value holds no value separator: the value file splits at it.
        const std::string text = randomText(40);
        std::string stored = ValueCodec::encodeText(text);
        for (int load = 0; load < 3; ++load) {
            ASSERT_EQ(std::string::npos, stored.find('|'));
            const std::string loaded = ValueCodec::decodeText(stored);
            ASSERT_EQ(text, loaded);
            ASSERT_EQ(stored, ValueCodec::encodeText(loaded));
        }

        std::vector<std::string> recipients(random() % 4);
        for (std::string& recipient : recipients) {
            do
                recipient = randomText(20);
            while (recipient.empty());   // an empty recipient names nobody and is dropped
        }
        stored = ValueCodec::encodeRecipients(recipients);
        for (int load = 0; load < 3; ++load) {
            ASSERT_EQ(std::string::npos, stored.find('|'));
            const std::vector<std::string> loaded = ValueCodec::decodeRecipients(stored);
            ASSERT_EQ(recipients, loaded);
            ASSERT_EQ(stored, ValueCodec::encodeRecipients(loaded));
        }

        MonitorItemSettings::History history(random() % 3);
        for (ResultRecord& record : history) {
            record.time = static_cast<std::time_t>(random());
            record.code = static_cast<int>(random() % 600);
            record.message = randomText(40);
            record.responseMs = static_cast<int>(random() % 10000);
            record.ok = random() % 2 != 0;
        }
        stored = ValueCodec::encodeHistory(history);
        for (int load = 0; load < 3; ++load) {
            ASSERT_EQ(std::string::npos, stored.find('|'));
            const MonitorItemSettings::History loaded = ValueCodec::decodeHistory(stored);
            ASSERT_EQ(history.size(), loaded.size());
            for (std::size_t i = 0; i < history.size(); ++i) {
                ASSERT_EQ(history[i].message, loaded[i].message) << "entry " << i;
                ASSERT_EQ(history[i].time, loaded[i].time) << "entry " << i;
                ASSERT_EQ(history[i].code, loaded[i].code) << "entry " << i;
                ASSERT_EQ(history[i].responseMs, loaded[i].responseMs) << "entry " << i;
                ASSERT_EQ(history[i].ok, loaded[i].ok) << "entry " << i;
            }
            ASSERT_EQ(stored, ValueCodec::encodeHistory(loaded));
        }
    }
}

}  // namespace
