// getHtmlText: the visible text of a page, in the ANSI code page (1252 in the test prefix).
#include "orv/gtest.h"

#include <string>

#include "workers/HtmlText.h"

namespace {

struct TextCase {
    const char* what;
    std::string html;
    std::string text;
};

class HtmlTextCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(HtmlTextCases, GivesTheVisibleText)
{
    EXPECT_EQ(GetParam().text, getHtmlText(GetParam().html)) << GetParam().what;
}

const TextCase kCases[] = {
    // what a page without markup and an empty page give
    {"plain text", "Hello world", "Hello world"},
    {"plain text with outer blanks", "  Hello world \r\n", "Hello world"},
    {"empty input", "", ""},
    {"empty body", "<html><head><title>T</title></head><body></body></html>", ""},

    // markup removed; what never shows is dropped
    {"inline tags join their text", "Hel<b>lo</b> wor<i class=\"x\">ld</i>", "Hello world"},
    {"head, style and script dropped",
     "<head><title>T</title><style>p{}</style></head><body><p>Hello <b>world</b></p>"
     "<script>var x=1;</script><div>Line&nbsp;2 &amp; more</div></body>",
     "Hello world\r\n\r\nLine\xA0" "2 & more"},
    {"script ends only at its own end tag", "<script>if (a</b) s='</scr'+'ipt>';</script >shown", "shown"},
    {"upper-case tags", "<SCRIPT>x</SCRIPT>y<BR>z", "y\r\nz"},
    {"noscript and template dropped", "a<noscript>enable scripts</noscript><template><p>t</p></template>b", "ab"},
    {"unclosed script hides the rest", "a<script>var x", "a"},
    {"comments dropped", "a<!-- hidden <b>x</b> -->b<!---->c<!-->d", "abcd"},
    {"doctype and processing instruction dropped", "<!DOCTYPE html><?xml version=\"1.0\"?>text", "text"},
    {"quoted '>' inside an attribute", "<a title=\"x>y\" href='z>w'>link</a>", "link"},
    {"a tag cut off by the end of the page", "text <b class=\"x", "text"},
    {"'<' that starts no tag", "a < b and c<5", "a < b and c<5"},

    // white space and lines
    {"white space collapses", "<p>  a \n\t b  </p>", "a b"},
    {"br breaks lines", "one<br>two<br/>three</br>four", "one\r\ntwo\r\nthree\r\nfour"},
    {"divs and list items are lines", "<div>one</div><div>two</div><ul><li>a</li><li>b</li></ul>",
     "one\r\ntwo\r\na\r\nb"},
    {"paragraphs are set apart", "<p>one</p><p>two</p>", "one\r\n\r\ntwo"},
    {"heading then text", "<h1>Title</h1>text", "Title\r\ntext"},
    {"table cells by tabs, rows by lines",
     "<table><tr><td>a</td><td>b</td></tr><tr><th>c</th><td>d</td></tr></table>", "a\tb\r\nc\td"},
    {"pre keeps its white space", "<pre>\n  x\n  y</pre>after", "  x\r\n  y\r\nafter"},
    {"textarea shows its text decoded", "<textarea>a &lt;  b</textarea>", "a <  b"},

    // character references
    {"named references", "&lt;tag&gt; &amp;amp; &quot;q&quot; &apos;", "<tag> &amp; \"q\" '"},
    {"numeric references", "&#65;&#x42;&#X43;&#100", "ABCd"},
    {"numbers 128 to 159 are Windows characters", "&#150;&#128;", "\x96\x80"},
    {"Latin-1 and other names", "&eacute;&Uuml;&euro;&trade;&hellip;", "\xE9\xDC\x80\x99\x85"},
    {"old names without semicolon", "&copy2024 &ampx &lt3", "\xA9" "2024 &x <3"},
    {"new names need their semicolon", "&euro &bogus; & alone &#; &#xZ", "&euro &bogus; & alone &#; &#xZ"},
    {"a character the code page lacks", "&#x4E2D;!", "?!"},
    {"out-of-range numbers", "&#0;&#x110000;&#xD800;", "???"},

    // the page's own encoding
    {"UTF-8 page", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
    {"ANSI page", "caf\xE9 \x80", "caf\xE9 \x80"},
};

INSTANTIATE_TEST_SUITE_P(Pages, HtmlTextCases, ::testing::ValuesIn(kCases));

// The reader keeps no tree and does not recurse: nesting as deep as a broken page may have costs
// nothing special and cannot exhaust the stack.
TEST(HtmlText, DeepNestingIsReadInOnePass)
{
    std::string html;
    for (int i = 0; i < 200000; ++i)
        html += "<div><span>";
    html += "deep";
    for (int i = 0; i < 200000; ++i)
        html += "</span></div>";
    EXPECT_EQ("deep", getHtmlText(html));
}

}  // namespace
