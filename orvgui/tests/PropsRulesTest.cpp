// The general-settings rules the properties page and the new-item wizard share: the check
// interval's bounds in every unit, the port a picked protocol takes, the captions of units and
// protocols and the cleaned address.
#include "orv/gtest.h"

#include "ItemSettingsRules.h"

namespace {

typedef ItemSettingsRules R;

TEST(ItemSettingsRules, TheIntervalIsAtLeast30SecondsAndAtMost24DaysInEveryUnit)
{
    const struct {
        long long frequency;
        int unit;
        const char* refusal;   // nullptr: kept
    } cases[] = {
        {29, R::UnitSeconds, R::kTooShort},
        {30, R::UnitSeconds, nullptr},
        {0, R::UnitSeconds, R::kTooShort},
        // zero in a larger unit used to pass, and the worker then checked without pause
        {0, R::UnitMinutes, R::kTooShort},
        {0, R::UnitHours, R::kTooShort},
        {0, R::UnitDays, R::kTooShort},
        {1, R::UnitMinutes, nullptr},
        {29, R::UnitMinutes, nullptr},
        {1, R::UnitHours, nullptr},
        {1, R::UnitDays, nullptr},
        // the upper bound, 24 days, in each unit
        {24, R::UnitDays, nullptr},
        {25, R::UnitDays, R::kTooLong},
        {576, R::UnitHours, nullptr},
        {577, R::UnitHours, R::kTooLong},
        {34560, R::UnitMinutes, nullptr},
        {34561, R::UnitMinutes, R::kTooLong},
        {2073600, R::UnitSeconds, nullptr},
        {2073601, R::UnitSeconds, R::kTooLong},
        // figures that overflow 32-bit seconds once multiplied
        {65535, R::UnitDays, R::kTooLong},
        {100000, R::UnitDays, R::kTooLong},
        {65535, R::UnitHours, R::kTooLong},
        {100000, R::UnitMinutes, R::kTooLong},
        {65535, R::UnitSeconds, nullptr},
        // a unit that matched no caption
        {30, 0, R::kNoUnit},
        {30, 5, R::kNoUnit},
        {-1, R::UnitSeconds, R::kTooShort},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.frequency) + " in unit " + std::to_string(c.unit));
        const char* got = R::intervalError(c.frequency, c.unit);
        EXPECT_STREQ(c.refusal, got);
    }
    EXPECT_STREQ("You cannot select a frequency lower than 30 seconds.", R::kTooShort);
}

TEST(ItemSettingsRules, APickedProtocolTakesItsUsualPortAndPortKeepsTheTypedOne)
{
    const struct {
        int type;
        int port;
    } cases[] = {
        {R::TypePing, 0}, {R::TypeHttp, 80}, {R::TypeHttps, 443}, {R::TypeSmtp, 25},
        {R::TypePop3, 110}, {R::TypeFtp, 21}, {R::TypePort, 8080},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(c.port, R::defaultPort(c.type, 8080));
    }
}

TEST(ItemSettingsRules, CaptionsMapToTheirNumbersExactly)
{
    const char* units[] = {"Seconds", "Minutes", "Hours", "Days"};
    for (int u = 1; u <= 4; ++u) {
        EXPECT_EQ(units[u - 1], R::unitCaption(u));
        EXPECT_EQ(u, R::unitFromCaption(units[u - 1]));
    }
    const char* types[] = {"Ping", "HTTP (Page download)", "HTTPS (Secure page download)", "SMTP", "POP3", "FTP", "Port"};
    for (int t = 0; t <= 6; ++t) {
        EXPECT_EQ(types[t], R::typeCaption(t));
        EXPECT_EQ(t, R::typeFromCaption(types[t]));
    }
    // texts that match no caption
    const struct {
        const char* text;
        int unit;
        int type;
    } misses[] = {{"", 0, -1}, {"seconds", 0, -1}, {"HTTP", 0, -1}, {"Ping ", 0, -1}, {"Weeks", 0, -1}};
    for (const auto& m : misses) {
        SCOPED_TRACE(m.text);
        EXPECT_EQ(m.unit, R::unitFromCaption(m.text));
        EXPECT_EQ(m.type, R::typeFromCaption(m.text));
    }
}

TEST(ItemSettingsRules, EverySpaceLeavesTheAddress)
{
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {" www.example.com ", "www.example.com"},
        {"www.exa mple.com", "www.example.com"},
        {"http://host/a b/c", "http://host/ab/c"},
        {"   ", ""},
        {"host\tname", "host\tname"},   // only the space character
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kept, R::withoutSpaces(c.typed)) << c.typed;
}

}  // namespace
