// The text transformations a message goes through on its way out: base64, quoted-printable,
// word wrapping of plain text, and dot-stuffing for the SMTP DATA phase.
#include "orv/gtest.h"
#include "Base64.h"
#include "QuotedPrintable.h"
#include "SMTP.h"
#include "TextPlain.h"
#include "TextLines.h"

namespace {

struct Case {
    std::string input;
    std::string expected;
};

}  // namespace

TEST(Base64, EncodesTheStandardVectors)
{
    const Case cases[] = {
        {"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},          {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {std::string("\xFF\xFE\x00", 3), "//4A"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, CBase64().Encode(c.input)) << "input " << c.input;
}

TEST(Base64, DecodesAndRejectsLineEnds)
{
    std::string out;
    EXPECT_EQ(3, CBase64().Decode("QUJD", out));
    EXPECT_EQ("ABC", out);
    EXPECT_EQ(6, CBase64().Decode("Zm9vYmFy", out));
    EXPECT_EQ("foobar", out);
    EXPECT_EQ(4, CBase64().Decode("Zm9vYg==", out));
    EXPECT_EQ("foob", out);
    // a character with its high bit set stands for its 7-bit self
    EXPECT_EQ(3, CBase64().Decode(std::string("QUJ") + char('D' | 0x80), out));
    EXPECT_EQ("ABC", out);
    EXPECT_EQ(0, CBase64().Decode("QUJD\r\nQUJD", out));
    EXPECT_EQ("", out);
    EXPECT_EQ(0, CBase64().Decode("QU*D", out));
}

TEST(QuotedPrintable, EscapesWhatATextLineCannotCarry)
{
    const Case cases[] = {
        {"<td width=100%>", "<td width=3D100%>"},   // "=10" would be read back as byte 0x10
        {"caf\xE9 cr\xE8me", "caf=E9 cr=E8me"},
        {"trailing blank \r\nnext", "trailing blank=20\r\nnext"},
        {"trailing tab\t", "trailing tab=09"},
        {"bare\nline end", "bare\r\nline end"},
        {"lone\rCR", "lone=0DCR"},
        {"ends with a line end\r\n", "ends with a line end\r\n"},
        {".starts with a dot", ".starts with a dot"},
        {std::string("nul\0byte", 8), "nul=00byte"},
        {std::string(76, 'x'), std::string(76, 'x')},
        {std::string(100, 'x'), std::string(75, 'x') + "=\r\n" + std::string(25, 'x')},
        // an escape is never cut by a soft break
        {std::string(74, 'x') + "\xE9y", std::string(74, 'x') + "=\r\n=E9y"},
        {std::string(72, 'x') + "\xE9y", std::string(72, 'x') + "=E9y"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, CQuotedPrintable().Encode(c.input)) << "input " << c.input;
}

TEST(QuotedPrintable, LongHtmlStaysWithinTheLineLimitAndDecodesBack)
{
    std::string html = "<html><body style=\"margin:0\">\n";
    for (int i = 0; i < 40; ++i) html += "<p class=x" + std::to_string(i) + ">" + std::string(size_t(i * 7), 'a') + " ";
    html += std::string(3000, 'z') + "\xE9\r\n.dot{width=50%}\r\n</body></html>";
    std::string encoded = CQuotedPrintable().Encode(html);
    for (const std::string& line : linesOf(encoded)) EXPECT_LE(line.size(), 76u) << line;
    std::string decoded;
    ASSERT_GT(CQuotedPrintable().Decode(encoded, decoded), 0);
    std::string expected = html;
    expected.replace(expected.find('\n'), 1, "\r\n");   // the one bare LF went out as CR LF
    EXPECT_EQ(expected, decoded);
}

TEST(TextWrap, BreaksLongLinesAtTheirLastBlankAndLongWordsHard)
{
    const std::string ten = "abcdefghi ";
    std::string tenWords;
    for (int i = 0; i < 10; ++i) tenWords += ten;
    const Case cases[] = {
        {"hello world", "hello world"},
        {std::string(77, 'y'), std::string(77, 'y')},
        // 100 characters with blanks: broken at the last blank within the first 78 characters
        {tenWords, ten + ten + ten + ten + ten + ten + "abcdefghi" + "\r\n" + ten + ten + ten},
        // a word longer than a line is broken rather than left to pass the SMTP line limit
        {std::string(100, 'w'), std::string(76, 'w') + "\r\n" + std::string(24, 'w')},
        {std::string(200, 'w'), std::string(76, 'w') + "\r\n" + std::string(76, 'w') + "\r\n" + std::string(48, 'w')},
        // the blank of an earlier line is not where a later line breaks
        {"short line\r\n" + std::string(100, 'x'), "short line\r\n" + std::string(76, 'x') + "\r\n" + std::string(24, 'x')},
        {tenWords + "\r\n" + tenWords,
         ten + ten + ten + ten + ten + ten + "abcdefghi\r\n" + ten + ten + ten + "\r\n" + ten + ten + ten + ten + ten +
             ten + "abcdefghi\r\n" + ten + ten + ten},
        {"bare\nline ends\n", "bare\nline ends\n"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, CTextPlain::WrapLines(c.input, 76)) << "input " << c.input;
}

TEST(TextWrap, NoWrappedLineExceedsTheWidth)
{
    std::string text;
    for (int i = 1; i < 300; ++i) text += std::string(size_t(i % 23 + 1), char('a' + i % 26)) + (i % 37 ? " " : "\r\n");
    text += std::string(5000, 'q');
    for (const std::string& line : linesOf(CTextPlain::WrapLines(text, 76))) EXPECT_LE(line.size(), 77u) << line;
}

TEST(DotStuff, DoublesEveryLeadingDotAndEndsLinesWithCrLf)
{
    const Case cases[] = {
        {".\r\n", "..\r\n"},
        {"a\r\n.\r\nb", "a\r\n..\r\nb"},
        {"a\r\n.x{color:red}\r\n", "a\r\n..x{color:red}\r\n"},
        {"..two\r\n", "...two\r\n"},
        {".first line", "..first line"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\n.b", "a\r\n..b"},
        {"mid.line.dots\r\n", "mid.line.dots\r\n"},
        {"lone\r.cr", "lone\r.cr"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, CSMTP::DotStuff(c.input)) << "input " << c.input;
}
