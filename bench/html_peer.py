#!/usr/bin/python3
# html_peer.py FILE RUNS : the peer of the HTML-to-text benchmark: Python's own HTML parser
# (html.parser, which decodes character references) collecting the text outside script and
# style, white space collapsed. Prints the median time and throughput.
import html.parser, statistics, sys, time

class Text(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts, self.skip = [], 0
    def handle_starttag(self, tag, attrs):
        if tag in ("script", "style", "title"): self.skip += 1
        elif tag in ("br", "p", "div", "li", "tr", "h1", "h2", "table"): self.parts.append("\n")
    def handle_endtag(self, tag):
        if tag in ("script", "style", "title") and self.skip: self.skip -= 1
    def handle_data(self, data):
        if not self.skip: self.parts.append(data)

path, runs = sys.argv[1], int(sys.argv[2])
page = open(path, encoding="utf-8").read()
times = []
for _ in range(runs):
    start = time.monotonic()
    p = Text(); p.feed(page); p.close()
    text = "\n".join(" ".join(line.split()) for line in "".join(p.parts).split("\n"))
    times.append((time.monotonic() - start) * 1000.0)
median = statistics.median(times)
size = len(page.encode("utf-8"))
print("RESULT peer_html_ms %.6g" % median)
print("RESULT peer_html_mb_per_s %.6g" % (size / 1048576.0 / (median / 1000.0)))
print("RESULT peer_html_text_bytes %d" % len(text))
