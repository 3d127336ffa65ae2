// Pages through the HTML-to-text conversion the HTTP check uses for its search text.
#include <string>
#include <vector>

#include "FuzzTarget.h"
#include "workers/HtmlText.h"

std::vector<FuzzTarget> htmlTargets()
{
    FuzzTarget html;
    html.name = "html";
    html.seeds = {
        "<html><head><title>Orvane test page</title></head><body><p>Hello from the fixture</p></body></html>",
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><style>p{color:red}</style>"
        "<script>if (a < b && c > d) { document.write('</p>'); }</script></head>\n<body>\n"
        "<h1>Status &amp; health</h1><p>All systems <b>up</b> &mdash; 99.9&#37; &#x2713; caf\xC3\xA9</p>"
        "<table><tr><th>Service</th><th>State</th></tr><tr><td>mail</td><td>ok</td></tr></table>"
        "<pre>  two  spaces\n  kept</pre><ul><li>one<li>two</ul><br/>end<!-- a comment --></body></html>",
        "<div><div><span>nested <i>text</i></span></div><textarea>raw <b>tags</b></textarea>"
        "<template><p>hidden</p></template><noscript>no script</noscript>&lt;&gt;&quot;&nbsp;&copy&eacute;"
        "<img alt=\"pic\" src=x><p>para one<p>para two</div>",
        "plain text without markup, \xE9t\xE9 in the ANSI code page\r\n",
        "<a href='/x?a=1&b=2'>link</a><![CDATA[ data ]]><?xml version=\"1.0\"?><p>after</p>"
        "<select><option>1<option>2</select>&#0;&#x110000;&#xD800;&#65535;&#9999999999;&unknown;",
    };
    html.tokens = {"<",       ">",       "</",      "<!--",     "-->",      "<script>", "</script>", "<pre>",
                   "</pre>",  "<p>",     "<br>",    "<table>",  "<td>",     "&",        "&#",       "&#x",
                   ";",       "\"",      "'",       "<style>",  "<title>",  "<template>", "</template>",
                   "<textarea>", "\xC3", "\xF4\x8F\xBF\xBF", "<![CDATA[", "<?", "=", " "};
    html.maxInput = 256 * 1024;
    html.memoryPerByte = 48;
    html.run = [](const std::string& input) {
        std::string text = getHtmlText(input);
        // each byte of the page gives at most a few of the text (a line break for a short tag)
        if (text.size() > 4 * input.size() + 16)
            throw FuzzFailure("text of " + std::to_string(text.size()) + " bytes from a page of " +
                              std::to_string(input.size()));
    };
    return {html};
}
