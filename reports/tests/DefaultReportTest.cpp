// The default report: a complete HTML document whose every text from the user or a peer is
// escaped, with the item's statistics and its newest history entries first.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <boost/format.hpp>

#include "Monitor/MonitorItemManager.h"
#include "reports/DefaultReport.h"
#include "reports/HtmlEscape.h"

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

class DefaultReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store_ = MonitorItemManager::instance();
        store_->load(orvtest::makeScratchFolder("report-data"));
        item_ = store_->createItem();
        ItemGeneralSettings& general = item_->getGeneral();
        general.name = "Shop <front>";
        general.address = "shop.example.test";
        general.type = ItemPort;
        general.port = 8443;
        general.interval = 5;
        general.intervalUnit = UnitMinutes;
        general.timeoutMs = 4000;
    }
    void TearDown() override
    {
        store_->unloadAll();
        store_->release();
    }

    MonitorItemManager* store_ = nullptr;
    MonitorItemSettings* item_ = nullptr;
};

}  // namespace

TEST(HtmlEscape, WritesMarkupCharactersAsReferencesAndDropsControlCharacters)
{
    struct Case {
        std::string text;
        std::string html;
    } cases[] = {
        {"plain text", "plain text"},
        {"<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
        {"a&b \"c\"", "a&amp;b &quot;c&quot;"},
        {"&amp;", "&amp;amp;"},
        {std::string("nul\0byte", 8), "nulbyte"},
        {"bell\x07 tab\t line\r\n", "bell tab\t line\r\n"},
        {"caf\xe9", "caf\xe9"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.html, HtmlEscape::escape(c.text)) << "text: " << c.text;
}

TEST_F(DefaultReportTest, EscapesEveryTextThatComesFromTheUserOrAPeer)
{
    item_->getGeneral().address = "a&b\"c";
    item_->addResult(1700000000, 200, "550 <unknown[127.0.0.1]> & 'quoted'", 12, false);

    const std::string html = generateDefaultReport(item_, "C:\\data\\");

    EXPECT_THAT(html, Not(HasSubstr("<front>")));
    EXPECT_THAT(html, Not(HasSubstr("<unknown")));
    EXPECT_THAT(html, HasSubstr("<title>Orvane report: Shop &lt;front&gt;</title>"));
    EXPECT_THAT(html, HasSubstr("<h1>Shop &lt;front&gt;</h1>"));
    EXPECT_THAT(html, HasSubstr("a&amp;b&quot;c"));
    EXPECT_THAT(html, HasSubstr("550 &lt;unknown[127.0.0.1]&gt; &amp; &#39;quoted&#39;"));
}

TEST_F(DefaultReportTest, IsACompleteDocumentWithTheItemAndItsStatistics)
{
    item_->addResult(1700000000, 200, "Connected", 10, true);
    item_->addResult(1700000060, 200, "Refused", 0, false);
    item_->addResult(1700000120, 200, "Refused", 0, false);
    item_->addResult(1700000180, 200, "Connected", 30, true);

    const std::string html = generateDefaultReport(item_, "C:\\data\\");

    EXPECT_THAT(html, StartsWith("<!DOCTYPE html>\n<html>\n<head>\n"));
    EXPECT_THAT(html, EndsWith("</body>\n</html>\n"));
    EXPECT_THAT(html, HasSubstr("charset=windows-1252"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Address</th><td>shop.example.test</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Type</th><td>Port</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Port</th><td>8443</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Check every</th><td>5 minutes</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Response-time limit</th><td>4000 ms</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Total checks</th><td>4</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Failed checks</th><td>2</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Availability</th><td>50.0 %</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Last message</th><td>Connected</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr class=\"failed\"><td>"));
    EXPECT_THAT(html, HasSubstr("<td>Failure</td><td>200</td><td>0 ms</td><td>Refused</td></tr>"));
}

TEST_F(DefaultReportTest, ShowsTheNewestHistoryEntriesFirstAndNoMoreThanTheLimit)
{
    const int total = static_cast<int>(DefaultReport::kHistoryRows) + 5;
    for (int i = 1; i <= total; ++i)
        item_->addResult(1700000000 + i * 60, 200, (boost::format("check %03d") % i).str(), i, true);

    const std::string html = generateDefaultReport(item_, "C:\\data\\");

    const std::string newest = (boost::format("check %03d") % total).str();
    const int shown = static_cast<int>(DefaultReport::kHistoryRows);
    const std::string oldestShown = (boost::format("check %03d") % (total - shown + 1)).str();
    const std::string firstHidden = (boost::format("check %03d") % (total - shown)).str();
    ASSERT_THAT(html, HasSubstr(newest));
    ASSERT_THAT(html, HasSubstr(oldestShown));
    EXPECT_THAT(html, Not(HasSubstr(firstHidden)));
    EXPECT_LT(html.find(newest), html.find(oldestShown));
}

TEST_F(DefaultReportTest, AnItemWithoutChecksSaysSo)
{
    const std::string html = generateDefaultReport(item_, "C:\\data\\");

    EXPECT_THAT(html, HasSubstr("<tr><th>Availability</th><td>n/a</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<tr><th>Last success</th><td>never</td></tr>"));
    EXPECT_THAT(html, HasSubstr("<p>No check has been recorded yet.</p>"));
}

TEST(DefaultReport, ANullItemGivesACompleteDocument)
{
    const std::string html = generateDefaultReport(nullptr, "C:\\data\\");
    EXPECT_THAT(html, StartsWith("<!DOCTYPE html>"));
    EXPECT_THAT(html, HasSubstr("No item was given"));
    EXPECT_THAT(html, EndsWith("</html>\n"));
}

TEST(DefaultReport, NamesTypesUnitsAndTimes)
{
    struct TypeCase {
        int type;
        const char* name;
    } types[] = {{ItemPing, "Ping"}, {ItemHttps, "HTTPS"}, {ItemPort, "Port"}, {7, "unknown (7)"},
                 {-1, "unknown (-1)"}};
    for (const TypeCase& c : types)
        EXPECT_EQ(c.name, DefaultReport::typeName(c.type)) << "type " << c.type;

    struct IntervalCase {
        int interval;
        int unit;
        const char* text;
    } intervals[] = {{30, UnitSeconds, "30 seconds"}, {2, UnitHours, "2 hours"},
                     {1, UnitDays, "1 day"}, {20, 0, "20"}, {20, 5, "20"}};
    for (const IntervalCase& c : intervals)
        EXPECT_EQ(c.text, DefaultReport::intervalText(c.interval, c.unit))
            << c.interval << " in unit " << c.unit;

    EXPECT_EQ("never", DefaultReport::formatTime(0));
    EXPECT_THAT(DefaultReport::formatTime(1700000000),
                MatchesRegex("2023-11-1[45] [0-9][0-9]:[0-9][0-9]:20"));
}
