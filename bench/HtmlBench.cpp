// HTML-to-text benchmark: converts one large page (made by scripts/bench) several times.
//
//   orvbench_html --page=WINDOWS_PATH --runs=N
#include <windows.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "workers/HtmlText.h"

int main(int argc, char** argv)
{
    std::string page = bench::textArg(argc, argv, "page", "");
    int runs = static_cast<int>(bench::intArg(argc, argv, "runs", 5));
    HANDLE file = CreateFileA(page.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (page.empty() || runs < 1 || file == INVALID_HANDLE_VALUE) {
        bench::note("usage: orvbench_html --page=WINDOWS_PATH --runs=N (the page must exist)");
        return 2;
    }
    std::string html(GetFileSize(file, NULL), '\0');
    DWORD got = 0;
    BOOL read = html.empty() || ReadFile(file, &html[0], static_cast<DWORD>(html.size()), &got, NULL);
    CloseHandle(file);
    if (!read || got != html.size())
        return 1;

    std::vector<double> times;
    size_t textLength = 0;
    for (int i = 0; i < runs; ++i) {
        double start = bench::nowMs();
        std::string text = getHtmlText(html);
        times.push_back(bench::nowMs() - start);
        textLength = text.size();
    }
    double median = bench::percentile(times, 50);
    bench::result("html_page_bytes", static_cast<double>(html.size()));
    bench::result("html_text_bytes", static_cast<double>(textLength));
    bench::result("html_ms", median);
    bench::result("html_mb_per_s", median > 0 ? html.size() / 1048576.0 / (median / 1000.0) : 0);
    return textLength > 0 ? 0 : 1;
}
