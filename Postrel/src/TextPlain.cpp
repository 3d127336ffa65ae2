#include "TextPlain.h"
#include "HeaderEncoding.h"
#include "MIMEMessage.h"
#include "MIMEPart.h"
#include "QuotedPrintable.h"

namespace {

// Appends one line (no line end in it), wrapped.
void wrapLine(const std::string& text, size_t start, size_t end, size_t width, std::string& out)
{
    // a line up to width + 1 characters stays whole; longer ones break at the last blank among
    // the first width + 2 characters
    while (end - start > width + 1) {
        size_t blank = std::string::npos;
        for (size_t i = start + width + 1; i > start; --i)
            if (text[i] == ' ') {
                blank = i;
                break;
            }
        size_t headEnd, tailStart;
        if (blank != std::string::npos) {
            headEnd = blank;
            tailStart = blank;
        } else {   // no blank to break at: break the word itself
            headEnd = tailStart = start + width;
        }
        while (headEnd > start && (text[headEnd - 1] == ' ' || text[headEnd - 1] == '\t')) --headEnd;
        while (tailStart < end && (text[tailStart] == ' ' || text[tailStart] == '\t')) ++tailStart;
        if (headEnd == start) {   // only blanks before the break: keep them on this line
            headEnd = tailStart = start + width;
        }
        out.append(text, start, headEnd - start);
        if (tailStart == end) return;   // nothing but blanks after the break
        out += "\r\n";
        start = tailStart;
    }
    out.append(text, start, end - start);
}

}  // namespace

std::string CTextPlain::WrapLines(const std::string& text, int width)
{
    const size_t w = width > 0 ? size_t(width) : 76;
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    size_t start = 0;
    while (start <= text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string::npos ? text.size() : lf;
        size_t contentEnd = end > start && text[end - 1] == '\r' ? end - 1 : end;
        wrapLine(text, start, contentEnd, w, out);
        if (lf == std::string::npos) break;
        out.append(text, contentEnd, lf + 1 - contentEnd);   // the line end as it was
        start = lf + 1;
    }
    return out;
}

int CTextPlain::EncodingOf(int flags) const
{
    int encoding = flags & 0xFFFF;
    if (encoding == CMIMEPart::EncodingDefault)
        encoding = m_code == CMIMEPart::TextHtml ? CMIMEPart::EncodingQuotedPrintable : CMIMEPart::Encoding7Bit;
    return encoding;
}

CString CTextPlain::ContentTypeText() const
{
    // Both kinds name the one character set of the whole mail (the HTML one also the report's).
    const std::string charset = ";\r\n\tcharset=\"" + CHeaderEncoding::Charset() + "\"";
    return CString((m_code == CMIMEPart::TextHtml ? "text/html" : "text/plain") + charset);
}

CString CTextPlain::PartHeader(const CString& params, bool quotedPrintable) const
{
    return "Content-Type: " + ContentTypeText() + params + "\r\n" + "Content-Transfer-Encoding: " +
           (quotedPrintable ? "quoted-printable" : "7Bit") + "\r\n\r\n";
}

int CTextPlain::WriteText(const CString& content, const CString& params, int flags, CMIMEMessage& message)
{
    BodyBuffer& body = message.Body();
    // Text with 8-bit bytes cannot go as 7bit: it is sent quoted-printable instead.
    const bool qp = EncodingOf(flags) == CMIMEPart::EncodingQuotedPrintable ||
                    !CHeaderEncoding::IsPlainAscii(content.str());
    body.Append(PartHeader(params, qp).str());
    if (qp)
        body.Append(CQuotedPrintable().Encode(content.str()));   // its own soft breaks keep lines short
    else
        body.Append(WrapLines(content.str(), m_lineWidth));
    return 1;
}
