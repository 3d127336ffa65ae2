// Reports of an item with a history: the three output types written to their files, with a
// hostile server response read back escaped (the XML through a real parser), the filters, the
// alert page, and the report definitions kept by the manager.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/xerces.h"

#include <memory>

#include "Monitor/MonitorItemManager.h"
#include "reports/Report.h"
#include "reports/ReportMaker.h"
#include "reports/ReportManager.h"

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

const char kHostile[] = "<script>alert(\"x\")</script> ]]> & 'q' |pipe| =cmd";

class ReportMakerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = orvtest::makeScratchFolder("report-data");
        store_ = MonitorItemManager::instance();
        store_->load(folder_);
        item_ = store_->createItem();
        item_->getGeneral().name = "Shop <b>\"&'";
        item_->getGeneral().address = "shop.example.test";
        item_->getGeneral().type = ItemHttp;
        item_->addResult(1000, 200, "fine", 120, true);
        item_->addResult(1060, 500, kHostile, 900, false);
        item_->addResult(1120, 503, "down again", 950, false);
        item_->addResult(1300, 200, "back", 130, true);
    }
    void TearDown() override
    {
        store_->unloadAll();
        store_->release();
    }

    Report report(int type, const std::string& file)
    {
        Report r;
        r.name = "Test report";
        r.outputType = type;
        r.outputPath = folder_ + "\\" + file;
        r.columns = {ColumnLine,           ColumnDate,           ColumnDowntime,
                     ColumnResponseTime,   ColumnMonitorType,    ColumnHttpStatusCode,
                     ColumnHttpStatusText, ColumnLastResponseText};
        return r;
    }

    std::string folder_;
    MonitorItemManager* store_ = nullptr;
    MonitorItemSettings* item_ = nullptr;
};

std::string text(const XMLCh* xml)
{
    char* narrow = xercesc::XMLString::transcode(xml);
    std::string result(narrow);
    xercesc::XMLString::release(&narrow);
    return result;
}

struct XmlPlatform {
    XmlPlatform() { xercesc::XMLPlatformUtils::Initialize(); }
    ~XmlPlatform() { xercesc::XMLPlatformUtils::Terminate(); }
};

}  // namespace

TEST_F(ReportMakerTest, HtmlReportEscapesEveryItemTextAndShowsTheChosenColumns)
{
    Report r = report(OutputHtml, "report.html");
    ReportMaker maker(&r, item_);
    const std::string path = maker.runReport();
    ASSERT_EQ(r.outputPath, path);
    const std::string html = orvtest::readFile(path);

    EXPECT_THAT(html, StartsWith("<!DOCTYPE html>"));
    EXPECT_THAT(html, Not(HasSubstr("<script>")));
    EXPECT_THAT(html, Not(HasSubstr("<b>")));
    EXPECT_THAT(html, HasSubstr("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; ]]&gt; &amp; "
                                "&#39;q&#39; |pipe| =cmd"));
    EXPECT_THAT(html, HasSubstr("Shop &lt;b&gt;&quot;&amp;&#39;"));
    EXPECT_THAT(html, HasSubstr("<th>Http status code(descriptive)</th>"));
    EXPECT_THAT(html, HasSubstr("<td>Internal Server Error</td>"));
    EXPECT_THAT(html, HasSubstr("<td>240 s</td>")) << "downtime from 1060 to the success at 1300";
    EXPECT_EQ(html, maker.getReportString());
}

TEST_F(ReportMakerTest, DelimitedReportQuotesFieldsThatHoldTheDelimiterOrQuotes)
{
    Report r = report(OutputDelimited, "report.csv");
    r.columns = {ColumnLine, ColumnHttpStatusCode, ColumnLastResponseText};
    ASSERT_EQ(r.outputPath, ReportMaker(&r, item_).runReport());
    const std::string csv = orvtest::readFile(r.outputPath);

    EXPECT_EQ("Line|Http status code|Last response text\r\n"
              "1|200|fine\r\n"
              "2|500|\"<script>alert(\"\"x\"\")</script> ]]> & 'q' |pipe| =cmd\"\r\n"
              "3|503|down again\r\n"
              "4|200|back\r\n",
              csv);

    // A text a spreadsheet would run as a formula is written as text.
    item_->addResult(1400, 500, "=HYPERLINK(\"http://x\")", 1, false);
    ASSERT_FALSE(ReportMaker(&r, item_).runReport().empty());
    EXPECT_THAT(orvtest::readFile(r.outputPath), HasSubstr("5|500|\"'=HYPERLINK(\"\"http://x\"\")\"\r\n"));
}

TEST_F(ReportMakerTest, XmlReportIsReadByAnXmlParserWithEveryTextIntact)
{
    item_->addResult(1400, 0, "ctl\x01\x1f chars and caf\xe9", 5, false);
    Report r = report(OutputXml, "report.xml");
    ASSERT_EQ(r.outputPath, ReportMaker(&r, item_).runReport());

    XmlPlatform platform;
    std::unique_ptr<xercesc::XercesDOMParser> parser(new xercesc::XercesDOMParser());
    parser->setDoNamespaces(false);
    std::unique_ptr<xercesc::ErrorHandler> errors(new xercesc::HandlerBase());
    parser->setErrorHandler(errors.get());   // a malformed document throws
    const std::string unixPath = orvtest::fixtureDir() + "/report-data/report.xml";
    ASSERT_NO_THROW(parser->parse(unixPath.c_str()));
    ASSERT_EQ(0u, parser->getErrorCount());

    xercesc::DOMElement* root = parser->getDocument()->getDocumentElement();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("report", text(root->getTagName()));
    XMLCh* nameAttribute = xercesc::XMLString::transcode("name");
    XMLCh* entryTag = xercesc::XMLString::transcode("entry");
    XMLCh* itemTag = xercesc::XMLString::transcode("item");
    XMLCh* messageTag = xercesc::XMLString::transcode("lastResponseText");
    xercesc::DOMElement* item =
        static_cast<xercesc::DOMElement*>(root->getElementsByTagName(itemTag)->item(0));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ("Shop <b>\"&'", text(item->getAttribute(nameAttribute)));

    xercesc::DOMNodeList* entries = root->getElementsByTagName(entryTag);
    ASSERT_EQ(5u, entries->getLength());
    std::vector<std::string> messages;
    for (XMLSize_t i = 0; i < entries->getLength(); ++i) {
        xercesc::DOMElement* entry = static_cast<xercesc::DOMElement*>(entries->item(i));
        messages.push_back(text(entry->getElementsByTagName(messageTag)->item(0)->getTextContent()));
    }
    EXPECT_EQ("fine", messages[0]);
    EXPECT_EQ(kHostile, messages[1]);
    // Characters XML cannot hold are dropped; the ANSI e-acute arrives as its character.
    const XMLCh* last = entries->item(4)->getTextContent();
    std::u16string lastText(reinterpret_cast<const char16_t*>(last));
    EXPECT_NE(std::u16string::npos, lastText.find(u"ctl chars and caf\u00e9"));
    for (XMLCh* p : {nameAttribute, entryTag, itemTag, messageTag})
        xercesc::XMLString::release(&p);
    parser.reset();
}

TEST_F(ReportMakerTest, FailuresSuccessesAndTheDateRangeChooseTheRows)
{
    struct Case {
        bool failures, successes, useRange;
        std::time_t start, end;
        const char* rows;   // the messages shown, '/'-separated
    } cases[] = {
        {true, false, false, 0, 0, "1|<script>|2|down again|"},
        {false, true, false, 0, 0, "1|fine|2|back|"},
        {true, true, true, 1060, 1120, "1|<script>|2|down again|"},
        {false, false, false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        Report r = report(OutputDelimited, "filtered.csv");
        r.columns = {ColumnLine, ColumnLastResponseText};
        r.failures = c.failures;
        r.successes = c.successes;
        r.useRange = c.useRange;
        r.start = c.start;
        r.end = c.end;
        ASSERT_FALSE(ReportMaker(&r, item_).runReport().empty());
        std::string csv = orvtest::readFile(r.outputPath);
        csv = csv.substr(csv.find("\r\n") + 2);
        std::string rows;
        for (size_t at = 0; at < csv.size();) {
            size_t end = csv.find("\r\n", at);
            std::string line = csv.substr(at, end - at);
            size_t bar = line.find('|');
            std::string message = line.substr(bar + 1);
            if (message[0] == '"')
                message = message.substr(1, 8);
            rows += line.substr(0, bar) + "|" + message + "|";
            at = end + 2;
        }
        EXPECT_EQ(c.rows, rows) << c.failures << c.successes << c.useRange;
    }
}

TEST_F(ReportMakerTest, AlertPageNamesTheItemInPlaceOfTheMarkerAndEscapesEverything)
{
    ReportMaker maker(item_);
    const std::string path =
        maker.runAlertReport("Site <%WEBSITE_NAME%> is down!\n<img src=x onerror=alert(1)>");
    ASSERT_FALSE(path.empty());
    const std::string html = orvtest::readFile(path);
    EXPECT_THAT(html, HasSubstr("Site Shop &lt;b&gt;&quot;&amp;&#39; (shop.example.test) is down!<br>"));
    EXPECT_THAT(html, HasSubstr("&lt;img src=x onerror=alert(1)&gt;"));
    EXPECT_THAT(html, Not(HasSubstr("<img")));
    EXPECT_THAT(html, Not(HasSubstr("<%WEBSITE_NAME%>")));
}

TEST(ReportMakerWithoutItem, ANullItemOrDefinitionGivesADocumentNotACrash)
{
    Report r;
    r.name = "Empty";
    r.outputPath = orvtest::windowsPath(orvtest::fixtureDir() + "/empty.html");
    EXPECT_EQ(r.outputPath, ReportMaker(&r, nullptr).runReport());
    EXPECT_THAT(orvtest::readFile(r.outputPath), HasSubstr("No item was given"));
    EXPECT_THAT(ReportMaker(nullptr, nullptr).getReportString(), HasSubstr("</html>"));
}

TEST(ReportManager, BuiltInsDefaultCreateRenameDeleteAndStorage)
{
    ReportManager manager;
    ASSERT_EQ(4u, manager.size());
    for (const char* name : {"Downtime report", "Failure report", "Sucess report", "Summary report"})
        EXPECT_NE(nullptr, manager.getReport(name)) << name;
    EXPECT_EQ(manager.getReport("Downtime report"), manager.getDefaultReport());
    EXPECT_EQ(nullptr, manager.getReport("downtime report"));

    const Report* weekly = manager.createReport("Weekly|odd%name");
    EXPECT_EQ(weekly, manager.createReport("Weekly|odd%name")) << "a duplicate name";
    ASSERT_TRUE(manager.editReport("Weekly|odd%name", [](Report& r) {
        r.outputType = OutputXml;
        r.useRange = true;
        r.start = 100;
        r.end = 200;
    }));
    EXPECT_FALSE(manager.editReport("no such report", [](Report& r) { r.start = 1; }));
    manager.setDefaultReport("Weekly|odd%name");
    manager.setDefaultReport("no such report");
    EXPECT_EQ(weekly, manager.getDefaultReport());

    ASSERT_TRUE(manager.editReport("Weekly|odd%name", [](Report& r) { r.name = "Weekly"; }));
    EXPECT_EQ(weekly, manager.getReport("Weekly"));
    EXPECT_EQ(nullptr, manager.getReport("Weekly|odd%name"));
    EXPECT_EQ("Weekly", (manager.endReports() - 1)->first);

    const std::string folder = orvtest::makeScratchFolder("reports-store") + "\\";
    ASSERT_TRUE(manager.setDataFolder(folder));   // nothing stored yet: nothing changes
    EXPECT_EQ(5u, manager.size());
    ASSERT_TRUE(manager.flushReports());

    Report copy;
    ASSERT_TRUE(manager.copyDefaultReport(copy));
    EXPECT_EQ("Weekly", copy.name);
    EXPECT_EQ(OutputXml, copy.outputType);

    manager.deleteReport("Weekly");
    EXPECT_EQ(manager.getReport("Downtime report"), manager.getDefaultReport())
        << "a deleted default passes to the first left";
    for (const char* name : {"Downtime report", "Failure report", "Sucess report", "Summary report"})
        manager.deleteReport(name);
    EXPECT_EQ(0u, manager.size());
    EXPECT_EQ(nullptr, manager.getDefaultReport());
    EXPECT_FALSE(manager.copyDefaultReport(copy));

    ReportManager reread;
    ASSERT_TRUE(reread.setDataFolder(folder));
    ASSERT_EQ(5u, reread.size());
    const Report* stored = reread.getReport("Weekly");
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ(stored, reread.getDefaultReport());
    EXPECT_EQ(OutputXml, stored->outputType);
    EXPECT_TRUE(stored->useRange);
    EXPECT_EQ(100, stored->start);
    EXPECT_EQ(200, stored->end);
    EXPECT_EQ(std::vector<int>({ColumnLine, ColumnDate, ColumnResponseTime, ColumnLastResponseText}),
              stored->columns);
    EXPECT_FALSE(reread.getReport("Failure report")->successes);
}
