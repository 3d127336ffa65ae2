// CTime: construction from local fields, formatting with English names whatever the locale,
// and time spans. The zone is pinned per test through TZ.
#include "orv/gtest.h"
#include "afx.h"
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

class TimeTest : public ::testing::Test {
protected:
    void SetUp() override { SetZone("UTC0"); }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
    static void SetZone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }
};

TEST_F(TimeTest, FormatTable) {
    // Tuesday, 5 March 2024, 09:07:03 local (UTC here)
    const CTime t(2024, 3, 5, 9, 7, 3);
    EXPECT_EQ((time_t)1709629623, t.GetTime());
    struct Case { const char* format; const char* expected; };
    const Case cases[] = {
        {"%a, %d %b %Y %H:%M:%S ", "Tue, 05 Mar 2024 09:07:03 "},
        {"%A %B", "Tuesday March"},
        {"%#d.%#m.%y", "5.3.24"},
        {"%I %p", "09 AM"},
        {"%j %w %U %W", "065 2 09 10"},
        {"%c", "03/05/24 09:07:03"},
        {"%x|%X", "03/05/24|09:07:03"},
        {"%% literal %q", "% literal %q"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.expected), t.Format(c.format).str()) << c.format;
    EXPECT_EQ("12 PM", CTime(2024, 3, 5, 12, 0, 0).Format("%I %p").str());
    EXPECT_EQ("12 AM", CTime(2024, 3, 5, 0, 0, 0).Format("%I %p").str());
}

TEST_F(TimeTest, NamesStayEnglishUnderAnotherLocale) {
    const char* previous = setlocale(LC_ALL, NULL);
    std::string saved = previous != NULL ? previous : "C";
    // whether or not the German locale is installed, the names must not follow it
    setlocale(LC_ALL, "de_DE.UTF-8");
    const CTime t(2024, 12, 1, 10, 0, 0);  // a Sunday
    EXPECT_EQ("Sun, 01 Dec 2024", t.Format("%a, %d %b %Y").str());
    EXPECT_EQ("Sunday December", t.Format("%A %B").str());
    setlocale(LC_ALL, saved.c_str());
}

TEST_F(TimeTest, LocalFieldsFollowTheZone) {
    SetZone("CET-1CEST,M3.5.0,M10.5.0/3");
    const CTime winter(2024, 1, 15, 12, 0, 0);
    const CTime summer(2024, 7, 15, 12, 0, 0);
    EXPECT_EQ((time_t)1705316400, winter.GetTime());  // 11:00 UTC
    EXPECT_EQ((time_t)1721037600, summer.GetTime());  // 10:00 UTC
    EXPECT_EQ(12, summer.GetHour());
    EXPECT_EQ("+0200", summer.Format("%z").str());
    EXPECT_EQ("10:00", summer.FormatGmt("%H:%M").str());
    struct tm gmt;
    ASSERT_TRUE(summer.GetGmtTm(&gmt) != NULL);
    EXPECT_EQ(10, gmt.tm_hour);
    EXPECT_EQ(2024, summer.GetYear());
    EXPECT_EQ(7, summer.GetMonth());
    EXPECT_EQ(15, summer.GetDay());
    EXPECT_EQ(2, summer.GetDayOfWeek());  // Monday; 1 is Sunday

    SYSTEMTIME st;
    ASSERT_TRUE(summer.GetAsSystemTime(st));
    EXPECT_EQ(2024, st.wYear);
    EXPECT_EQ(12, st.wHour);
    EXPECT_TRUE(CTime(st) == summer);
}

TEST_F(TimeTest, FieldsAreNormalisedAndSpansAddUp) {
    EXPECT_TRUE(CTime(2024, 13, 1, 0, 0, 0) == CTime(2025, 1, 1, 0, 0, 0));
    EXPECT_TRUE(CTime(2024, 3, 0, 0, 0, 0) == CTime(2024, 2, 29, 0, 0, 0));

    const CTime a(2024, 3, 5, 9, 0, 0);
    const CTime b = a + CTimeSpan(1, 2, 3, 4);
    const CTimeSpan d = b - a;
    EXPECT_EQ(93784, d.GetTotalSeconds());
    EXPECT_EQ(1, d.GetDays());
    EXPECT_EQ(2, d.GetHours());
    EXPECT_EQ(3, d.GetMinutes());
    EXPECT_EQ(4, d.GetSeconds());
    EXPECT_EQ(26, d.GetTotalHours());
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b - d == a);
    EXPECT_EQ(-93784, (a - b).GetTotalSeconds());

    const CTime now = CTime::GetCurrentTime();
    EXPECT_LE(std::labs((long)(now.GetTime() - time(NULL))), 1L);
}

}  // namespace
