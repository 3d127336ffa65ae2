#include "reports/HtmlEscape.h"

std::string HtmlEscape::escape(const std::string& text)
{
    std::string html;
    html.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        case '\t':
        case '\n':
        case '\r': html += c; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
                html += c;
            break;
        }
    }
    return html;
}
