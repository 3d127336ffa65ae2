#!/usr/bin/python3
# html_page.py FILE MEGABYTES : writes a page of about that size for the HTML-to-text benchmark:
# a head with style and script, then blocks of headings, paragraphs with inline markup and
# character references, lists, tables and embedded scripts, the mix of a large real page.
import sys

path, size = sys.argv[1], float(sys.argv[2]) * 1024 * 1024
head = ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Large page</title>\n"
        "<style>body { font: 12px sans-serif } .x > p { margin: 0 }</style>\n"
        "<script>var data = '<p>not text</p>'; function f(a) { return a < 3 && a > 1; }</script>\n"
        "</head><body>\n")
block = ("<div class=\"x\" id=\"b{n}\"><h2>Section {n}</h2>\n"
         "<p>Status of service <b>{n}</b> &amp; its <i>neighbours</i>: caf&eacute; &#233; &#x263A; &lt;ok&gt;. "
         "<a href=\"/item?id={n}&amp;view=full\">details</a><br>second line with   extra   blanks\n"
         "and a line break.</p>\n"
         "<ul><li>first</li><li>second <span>item</span></li></ul>\n"
         "<table><tr><th>name</th><th>value</th></tr><tr><td>checks</td><td>{n}</td></tr></table>\n"
         "<pre>  kept   as\n  written</pre><!-- a comment <p> -->\n"
         "<script type=\"text/javascript\">document.write('<div>' + {n} + '</div>');</script></div>\n")
with open(path, "w", encoding="utf-8") as out:
    out.write(head)
    written, n = len(head), 0
    while written < size:
        text = block.format(n=n)
        out.write(text)
        written += len(text.encode("utf-8"))
        n += 1
    out.write("</body></html>\n")
