// Composition of whole messages: header lines, the part tree of each export's message shape,
// boundaries, encodings and the files and memory blocks they carry.
#include "orv/gtest.h"
#include <set>
#include "orv/TestEnv.h"
#include "AppOctetStream.h"
#include "Base64.h"
#include "BodyBuffer.h"
#include "MIMEMessage.h"
#include "MIMEPart.h"
#include "MIMETypeManager.h"
#include "Base64.h"
#include "HeaderEncoding.h"
#include "MailBuilder.h"
#include "QuotedPrintable.h"
#include "TextLines.h"

namespace {

// A message with a fixed clock: Thursday 5 March 2026, 14:07:09 local time.
class FixedClockMessage : public CMIMEMessage {
public:
    LONG bias = -60;

protected:
    CTime CurrentTime() const override { return CTime(2026, 3, 5, 14, 7, 9); }
    LONG CurrentZoneBias() const override { return bias; }
    CString NewMessageId() const override { return "<fixed@orvane.test>"; }
};

// The one character set every part names (the system's ANSI code page).
const std::string kCharset = "charset=\"" + CHeaderEncoding::Charset() + "\"";

std::string composed(CMIMEMessage& m)
{
    m.Compose();
    return m.HeaderText().str() + m.Body().Text();
}

const std::string kHeader =
    "From: alarms@orvane.test\r\n"
    "To: <ops@example.test>\r\n"
    "Date: Thu, 05 Mar 2026 14:07:09 +0100\r\n"
    "Message-ID: <fixed@orvane.test>\r\n"
    "Subject: Server down\r\n"
    "X-Mailer: ZEM Mailer\r\n"
    "MIME-Version: 1.0\r\n";
const std::string kB0 = "_0_.__.__ZEM__Mailer__Part_Boundary_";
const std::string kB1 = "_1_.__.__ZEM__Mailer__Part_Boundary_";
const std::string kB2 = "_2_.__.__ZEM__Mailer__Part_Boundary_";

// Writes bytes to a file in the scratch folder; returns its Windows path.
std::string scratchFile(const std::string& name, const std::string& bytes)
{
    std::string path = orvtest::windowsPath(orvtest::fixtureDir() + "/" + name);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD n = 0;
    if (f != INVALID_HANDLE_VALUE) {
        WriteFile(f, bytes.data(), DWORD(bytes.size()), &n, NULL);
        CloseHandle(f);
    }
    return path;
}

}  // namespace

TEST(MimeMessage, PlainMailIsOneTextPart)
{
    FixedClockMessage m;
    BuildTextMail(m, "alarms@orvane.test", "ops@example.test", "Server down", "Line one\r\n.hidden\r\nLast", {});
    EXPECT_EQ(kHeader +
                  "Content-Type: text/plain;\r\n"
                  "\t" + kCharset + "\r\n"
                  "Content-Transfer-Encoding: 7Bit\r\n"
                  "\r\n"
                  "Line one\r\n.hidden\r\nLast\r\n",
              composed(m));
}

TEST(MimeMessage, EmptyPlainMailIsAHeaderAndABlankLine)
{
    FixedClockMessage m;
    BuildTextMail(m, "alarms@orvane.test", "ops@example.test", "Server down", "", {});
    EXPECT_EQ(kHeader + "\r\n", composed(m));
}

TEST(MimeMessage, AttachmentsFollowTheTextAndAnUnreadableOneIsSentEmpty)
{
    std::string report = scratchFile("report.html", "<b>hi</b>");
    std::string missing = orvtest::windowsPath(orvtest::fixtureDir() + "/no such folder/missing.bin");
    FixedClockMessage m;
    BuildTextMail(m, "alarms@orvane.test", "ops@example.test", "Server down", "Body text", {report, missing});
    EXPECT_EQ(kHeader +
                  "Content-Type: multipart/mixed;\r\n"
                  "\tboundary=" + kB0 + "\r\n"
                  "\r\n"
                  "This is a multi-part message in MIME format.\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: text/plain;\r\n"
                  "\t" + kCharset + "\r\n"
                  "Content-Transfer-Encoding: 7Bit\r\n"
                  "\r\n"
                  "Body text\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: application/octet-stream; file=report.html\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "Content-Disposition: attachment; filename=report.html\r\n"
                  "\r\n"
                  "PGI+aGk8L2I+\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: application/octet-stream; file=missing.bin\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "Content-Disposition: attachment; filename=missing.bin\r\n"
                  "\r\n"
                  "--" + kB0 + "--\r\n",
              composed(m));
}

TEST(MimeMessage, HtmlMailNestsRelatedAndAlternativePartsWithOnePreamble)
{
    std::string report = scratchFile("report.html", "<b>hi</b>");
    const unsigned char logo[] = {'P', 'N', 'G', 0, 1};
    FixedClockMessage m;
    BuildHtmlMail(m, "alarms@orvane.test", "ops@example.test", "Server down", "Plain alt",
                  "<p style=\"width=100%\">Down</p>", {{logo, "logo1", 5}}, {report});
    EXPECT_EQ(kHeader +
                  "Content-Type: multipart/mixed;\r\n"
                  "\tboundary=" + kB0 + "\r\n"
                  "\r\n"
                  "This is a multi-part message in MIME format.\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: multipart/related;\r\n"
                  "\tboundary=" + kB1 + "\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB1 + "\r\n"
                  "Content-Type: multipart/alternative;\r\n"
                  "\tboundary=" + kB2 + "\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB2 + "\r\n"
                  "Content-Type: text/plain;\r\n"
                  "\t" + kCharset + "\r\n"
                  "Content-Transfer-Encoding: 7Bit\r\n"
                  "\r\n"
                  "Plain alt\r\n"
                  "\r\n"
                  "--" + kB2 + "\r\n"
                  "Content-Type: text/html;\r\n"
                  "\t" + kCharset + "\r\n"
                  "Content-Transfer-Encoding: quoted-printable\r\n"
                  "\r\n"
                  "<p style=3D\"width=3D100%\">Down</p>\r\n"
                  "--" + kB2 + "--\r\n"
                  "\r\n"
                  "--" + kB1 + "\r\n"
                  "Content-Type: application/octet-stream\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "Content-ID: <logo1>\r\n"
                  "\r\n"
                  "UE5HAAE=\r\n"
                  "\r\n"
                  "--" + kB1 + "--\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: application/octet-stream\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "Content-Disposition: attachment; filename=report.html\r\n"
                  "\r\n"
                  "PGI+aGk8L2I+\r\n"
                  "\r\n"
                  "--" + kB0 + "--\r\n",
              composed(m));
}

TEST(MimeMessage, LongHtmlGoesOutQuotedPrintableWithinTheLineLimit)
{
    std::string html = "<style>\n.alarm{color:red}\n</style><table width=100%><tr>";
    for (int i = 0; i < 500; ++i) html += "<td>" + std::to_string(i) + "</td>";
    html += "</tr></table>";
    FixedClockMessage m;
    BuildHtmlMail(m, "alarms@orvane.test", "ops@example.test", "Server down", "alt", html, {}, {});
    std::string text = composed(m);
    for (const std::string& line : linesOf(text)) ASSERT_LE(line.size(), 78u) << line;
    const std::string marker = "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
    size_t start = text.find(marker);
    ASSERT_NE(std::string::npos, start);
    start += marker.size();
    size_t end = text.find("\r\n--" + kB2 + "--", start);
    std::string decoded;
    CQuotedPrintable().Decode(text.substr(start, end - start), decoded);
    std::string expected = html;
    for (size_t p = 0; (p = expected.find('\n', p)) != std::string::npos; p += 2) expected.replace(p, 1, "\r\n");
    EXPECT_EQ(expected, decoded);
}

TEST(MimeMessage, RecipientKindsGoToTheirOwnLines)
{
    FixedClockMessage m;
    m.SetSender("a@x.test");
    m.AppendRecipient("cc@x.test", "Copy ", CRecipient::Cc);
    m.SetSubject("s");
    std::string text = composed(m);
    EXPECT_EQ(std::string::npos, text.find("To:")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\nCc: Copy <cc@x.test>\r\n")) << text;

    FixedClockMessage two;
    two.AppendRecipient("one@x.test", "", CRecipient::To);
    two.AppendRecipient("two@x.test", "", CRecipient::To);
    text = composed(two);
    EXPECT_NE(std::string::npos, text.find("\r\nTo: <one@x.test>, <two@x.test>\r\n")) << text;

    CString address = "unchanged", name = "unchanged";
    int kind = 7;
    EXPECT_FALSE(two.RecipientAt(2, address, name, kind));
    EXPECT_EQ(CString("unchanged"), address);
    EXPECT_EQ(7, kind);
    EXPECT_TRUE(two.RecipientAt(1, address, name, kind));
    EXPECT_EQ(CString("two@x.test"), address);
}

TEST(MimeMessage, DateCarriesTheZoneOffset)
{
    struct ZoneCase {
        LONG bias;
        const char* text;
    };
    const ZoneCase cases[] = {{-60, "+0100"}, {300, "-0500"}, {-330, "+0530"}, {0, "+0000"},
                              {210, "-0330"}, {-345, "+0545"}, {-840, "+1400"}, {30, "-0030"}};
    for (const ZoneCase& c : cases) EXPECT_EQ(CString(c.text), CMailMessage::ZoneText(c.bias)) << "bias " << c.bias;
    EXPECT_EQ(CString("Thu, 05 Mar 2026 14:07:09 +0530"), CMailMessage::DateText(CTime(2026, 3, 5, 14, 7, 9), -330));
    EXPECT_EQ(CString("Sun, 01 Nov 2026 09:00:00 -0500"), CMailMessage::DateText(CTime(2026, 11, 1, 9, 0, 0), 300));

    FixedClockMessage m;
    m.bias = -330;
    EXPECT_NE(std::string::npos, composed(m).find("\r\nDate: Thu, 05 Mar 2026 14:07:09 +0530\r\n"));
}

TEST(MimeMessage, HeaderLinesAreFoldedAndCannotBeInjected)
{
    struct FoldCase {
        std::string subject;
        std::string expectedLines;   // the Subject line as composed
    };
    std::string words;
    for (int i = 0; i < 30; ++i) words += "word" + std::to_string(i) + " ";
    words += "end";
    const std::string longWord(1500, 'x');
    const FoldCase cases[] = {
        {"short", "Subject: short\r\n"},
        // a line break in a value would start a header of its own
        {"Down\r\nBcc: victim@x.test", "Subject: Down Bcc: victim@x.test\r\n"},
        {"Down\nX: y\rZ", "Subject: Down X: y Z\r\n"},
        {words,
         "Subject: word0 word1 word2 word3 word4 word5 word6 word7 word8 word9 word10\r\n"
         " word11 word12 word13 word14 word15 word16 word17 word18 word19 word20 word21\r\n"
         " word22 word23 word24 word25 word26 word27 word28 word29 end\r\n"},
        {"a " + longWord + " b",
         "Subject: a\r\n " + longWord.substr(0, 997) + "\r\n " + longWord.substr(997) + "\r\n b\r\n"},
    };
    for (const FoldCase& c : cases) {
        FixedClockMessage m;
        m.SetSubject(CString(c.subject));
        std::string header = composed(m);
        size_t start = header.find("Subject: ");
        size_t end = header.find("X-Mailer:");
        EXPECT_EQ(c.expectedLines, header.substr(start, end - start)) << "subject " << c.subject.substr(0, 60);
        for (const std::string& line : linesOf(header)) EXPECT_LE(line.size(), 998u);
    }
}

TEST(MimeMessage, Base64LinesCarry54BytesEach)
{
    struct SizeCase {
        size_t size;
        std::vector<size_t> memoryLines;   // line lengths before the closing empty line
        std::vector<size_t> fileLines;
    };
    const SizeCase cases[] = {
        {0, {0}, {0}},
        {1, {4}, {4}},
        {54, {72}, {72, 0}},   // a file read returns nothing after a full group: one empty line
        {55, {72, 4}, {72, 4}},
        {108, {72, 72}, {72, 72, 0}},
        {1000, {72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 40},
         {72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 72, 40}},
    };
    for (const SizeCase& c : cases) {
        std::string data;
        for (size_t i = 0; i < c.size; ++i) data += char((i * 37 + 11) & 0xFF);
        BodyBuffer memory, file;
        CAppOctetStream::EncodeMemory(data.data(), data.size(), memory, NULL);
        ASSERT_TRUE(CAppOctetStream::EncodeFile(CString(scratchFile("blob.bin", data)), file, NULL));
        for (int pass = 0; pass < 2; ++pass) {
            const std::string& text = pass == 0 ? memory.Text() : file.Text();
            const std::vector<size_t>& expected = pass == 0 ? c.memoryLines : c.fileLines;
            std::vector<std::string> lines = linesOf(text);
            // the lines, the closing empty line, and what follows the last CR LF (nothing)
            ASSERT_EQ(expected.size() + 2, lines.size()) << (pass ? "file " : "memory ") << c.size;
            std::string joined;
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(expected[i], lines[i].size()) << (pass ? "file " : "memory ") << c.size << " line " << i;
                joined += lines[i];
            }
            EXPECT_EQ("", lines[expected.size()]);
            std::string decoded;
            CBase64().Decode(joined, decoded);
            EXPECT_EQ(data, decoded) << (pass ? "file " : "memory ") << c.size;
        }
    }
}

TEST(MimeMessage, AttachmentNamesComeFromThePathAndAreQuotedWhenNeeded)
{
    struct NameCase {
        const char* path;
        const char* name;
    };
    const NameCase cases[] = {{"C:\\dir\\report.html", "report.html"}, {"report.html", "report.html"},
                              {"Z:/a/b/c.txt", "c.txt"},              {"D:file.bin", "file.bin"},
                              {"C:\\dir\\", ""}};
    for (const NameCase& c : cases) EXPECT_EQ(CString(c.name), CAppOctetStream::FileNameOf(c.path)) << c.path;

    std::string spaced = scratchFile("daily report.txt", "x");
    FixedClockMessage m;
    m.AddPart(spaced.c_str(), CMIMEPart::FileAttachment, CString(), 0, true);
    std::string text = composed(m);
    EXPECT_NE(std::string::npos, text.find("Content-Type: application/octet-stream; file=\"daily report.txt\"\r\n"));
    EXPECT_NE(std::string::npos, text.find("Content-Disposition: attachment; filename=\"daily report.txt\"\r\n"));
}

TEST(MimeMessage, AResourceNameCannotBreakItsPartHeader)
{
    const unsigned char dot[] = {'.'};
    FixedClockMessage m;
    BuildHtmlMail(m, "a@x.test", "b@y.test", "s", "t", "<p>h</p>", {{dot, "logo\r\nContent-Type: text/evil", 1}}, {});
    std::string text = composed(m);
    EXPECT_NE(std::string::npos, text.find("\r\nContent-ID: <logoContent-Type: text/evil>\r\n\r\nLg==\r\n")) << text;
}

TEST(MimeMessage, AgentsAreRegisteredOncePerProcess)
{
    for (int i = 0; i < 20; ++i) {
        FixedClockMessage m;
        BuildHtmlMail(m, "a@x.test", "b@y.test", "s", "t", "<p>h</p>", {}, {});
        composed(m);
    }
    EXPECT_EQ(7, CMIMETypeManager::Instance().AgentCount());
    EXPECT_TRUE(CMIMETypeManager::Instance().FindAgent(CMIMEPart::TextHtml) != NULL);
    EXPECT_TRUE(CMIMETypeManager::Instance().FindAgent(4711) == NULL);
}

TEST(MimeMessage, APartOfAnUnknownKindIsLeftOutWithItsDelimiter)
{
    FixedClockMessage m;
    m.SetSender("alarms@orvane.test");
    m.AppendRecipient("ops@example.test", "");
    m.SetSubject("Server down");
    CMIMEPart* root = m.CreateRoot(CMIMEPart::MultipartMixed);
    root->AddChild(4711, "ignored", 0, CString());
    root->AddChild(CMIMEPart::TextPlain, "kept", 0, CString());
    std::string text = composed(m);
    EXPECT_EQ(std::string::npos, text.find("ignored"));
    EXPECT_EQ(kHeader +
                  "Content-Type: multipart/mixed;\r\n"
                  "\tboundary=" + kB0 + "\r\n"
                  "\r\n"
                  "This is a multi-part message in MIME format.\r\n"
                  "\r\n"
                  "\r\n"
                  "--" + kB0 + "\r\n"
                  "Content-Type: text/plain;\r\n"
                  "\t" + kCharset + "\r\n"
                  "Content-Transfer-Encoding: 7Bit\r\n"
                  "\r\n"
                  "kept\r\n"
                  "--" + kB0 + "--\r\n",
              text);
}

TEST(MimeMessage, EightBitSubjectAndTextAreEncodedUnderOneCharset)
{
    FixedClockMessage m;
    // "Störung Küche" in the ANSI code page, and a body with an 8-bit byte
    const std::string subject = "St\xF6rung K\xFC" "che";
    BuildTextMail(m, "alarms@orvane.test", "ops@example.test", subject, "Caf\xE9 down\r\n", {});
    std::string text = composed(m);
    const std::string word = "=?" + CHeaderEncoding::Charset() + "?B?";
    size_t at = text.find("Subject: " + word);
    ASSERT_NE(std::string::npos, at) << text;
    EXPECT_TRUE(CHeaderEncoding::IsPlainAscii(text.substr(0, text.find("\r\n\r\n"))))
        << "no raw 8-bit byte in the header";
    // the encoded word decodes to the subject's bytes
    size_t start = at + 9 + word.size();
    size_t end = text.find("?=", start);
    std::string decoded;
    CBase64().Decode(text.substr(start, end - start), decoded);
    EXPECT_EQ(subject, decoded);
    EXPECT_NE(std::string::npos, text.find("Content-Type: text/plain;\r\n\t" + kCharset + "\r\n"
                                           "Content-Transfer-Encoding: quoted-printable\r\n\r\nCaf=E9 down"))
        << text;
}

TEST(MimeMessage, LongEightBitSubjectsBecomeSeveralShortWords)
{
    std::string subject;
    for (int i = 0; i < 40; ++i) subject += "\xC4\xD6\xDC";
    std::string encoded = CHeaderEncoding::EncodeWords(subject);
    std::string decoded;
    size_t pos = 0;
    int words = 0;
    while (pos < encoded.size()) {
        size_t end = encoded.find(' ', pos);
        if (end == std::string::npos) end = encoded.size();
        std::string word = encoded.substr(pos, end - pos);
        EXPECT_LE(word.size(), 75u) << word;
        size_t q = word.find("?B?");
        ASSERT_NE(std::string::npos, q);
        std::string bytes;
        CBase64().Decode(word.substr(q + 3, word.size() - q - 5), bytes);
        decoded += bytes;
        ++words;
        pos = end + 1;
    }
    EXPECT_GT(words, 1);
    EXPECT_EQ(subject, decoded);
    EXPECT_EQ("plain ASCII stays", CHeaderEncoding::EncodeWords("plain ASCII stays"));
}

TEST(MimeMessage, EveryMessageGetsItsOwnMessageIdInTheSendersDomain)
{
    std::set<std::string> ids;
    for (int i = 0; i < 3; ++i) {
        CMIMEMessage m;
        BuildTextMail(m, "alarms@orvane.test", "ops@example.test", "s", "b", {});
        m.Compose();
        std::string header = m.HeaderText().str();
        size_t at = header.find("\r\nMessage-ID: <");
        ASSERT_NE(std::string::npos, at) << header;
        std::string id = header.substr(at + 14, header.find("\r\n", at + 2) - at - 14);
        EXPECT_EQ("@orvane.test>", id.substr(id.size() - 13)) << id;
        ids.insert(id);
    }
    EXPECT_EQ(3u, ids.size());
}
