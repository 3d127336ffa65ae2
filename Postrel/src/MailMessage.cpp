#include "MailMessage.h"
#include "HeaderEncoding.h"
#include <stdlib.h>

CMailMessage::CMailMessage() : m_mailer("ZEM Mailer"), m_lineWidth(76) {}

void CMailMessage::AppendRecipient(const CString& address, const CString& name, int kind)
{
    CRecipient r;
    r.m_kind = kind;
    r.m_address = address;
    r.m_name = name;
    m_recipients.Add(r);
}

BOOL CMailMessage::RecipientAt(int index, CString& address, CString& name, int& kind) const
{
    if (index < 0 || index >= m_recipients.GetSize()) return FALSE;
    const CRecipient& r = m_recipients[index];
    address = r.m_address;
    name = r.m_name;
    kind = r.m_kind;
    return TRUE;
}

void CMailMessage::Compose()
{
    Progress(0, 0);
    ResetHeader();
    WriteHeaderFields();
    CloseHeader();
    FinishBody();
    Progress(2, 0);
}

void CMailMessage::Progress(int, int) {}

CString CMailMessage::ZoneText(LONG bias)
{
    // the sign comes from the bias itself, so that an offset under an hour keeps it
    const LONG east = -bias;
    CString text;
    text.Format("%c%.2d%.2d", east < 0 ? '-' : '+', int(labs(east) / 60), int(labs(east) % 60));
    return text;
}

CString CMailMessage::DateText(const CTime& local, LONG bias)
{
    return local.Format("%a, %d %b %Y %H:%M:%S ") + ZoneText(bias);
}

CTime CMailMessage::CurrentTime() const { return CTime::GetCurrentTime(); }

CString CMailMessage::NewMessageId() const
{
    const std::string sender = m_sender.str();
    size_t at = sender.rfind('@');
    std::string domain = at == std::string::npos ? std::string() : sender.substr(at + 1);
    size_t end = domain.find_first_of("> \t\r\n");
    if (end != std::string::npos) domain.erase(end);
    return CString(CHeaderEncoding::NewMessageId(domain));
}

LONG CMailMessage::CurrentZoneBias() const
{
    TIME_ZONE_INFORMATION tz;
    switch (GetTimeZoneInformation(&tz)) {
    case TIME_ZONE_ID_STANDARD: return tz.Bias + tz.StandardBias;
    case TIME_ZONE_ID_DAYLIGHT: return tz.Bias + tz.DaylightBias;
    default: return 0;
    }
}

void CMailMessage::WriteHeaderFields()
{
    PutHeaderLine("From: " + m_senderPrefix + m_sender);
    CString to, cc;
    for (INT_PTR i = 0; i < m_recipients.GetSize(); ++i) {
        const CRecipient& r = m_recipients[i];
        CString piece = r.m_name + "<" + r.m_address + ">";
        CString* line = r.m_kind == CRecipient::To ? &to : r.m_kind == CRecipient::Cc ? &cc : NULL;
        if (line == NULL) continue;
        if (!line->IsEmpty()) *line += ", ";
        *line += piece;
    }
    if (!to.IsEmpty()) PutHeaderLine("To: " + to);
    if (!cc.IsEmpty()) PutHeaderLine("Cc: " + cc);
    m_time = CurrentTime();
    PutHeaderLine("Date: " + DateText(m_time, CurrentZoneBias()));
    // Large providers refuse mail without one.
    PutHeaderLine("Message-ID: " + NewMessageId());
    PutHeaderLine("Subject: " + CString(CHeaderEncoding::EncodeWords(m_subject.str())));
    PutHeaderLine("X-Mailer: " + m_mailer);
}

void CMailMessage::CloseHeader() { m_header += "\r\n"; }

void CMailMessage::ResetHeader() { m_header.Empty(); }

void CMailMessage::FinishBody() { m_body.EndLine(); }

void CMailMessage::PutHeaderLine(const CString& line)
{
    std::string text;
    bool inBreak = false;
    for (char c : line.str()) {
        if (c == '\r' || c == '\n') {
            if (!inBreak) text += ' ';
            inBreak = true;
        } else {
            text += c;
            inBreak = false;
        }
    }
    // Fold before a blank (RFC 5322 2.2.3): unfolding removes only the CR LF, so the value is
    // unchanged. The field name and its colon are never split from the value's first word, and
    // a continuation line is never folded at its own leading blank.
    const size_t colon = text.find(':');
    size_t firstFold = colon == std::string::npos ? 1 : colon + 2;
    std::string out;
    while (text.size() > size_t(kFoldWidth)) {
        size_t cut = std::string::npos;
        for (size_t i = size_t(kFoldWidth); i >= firstFold; --i)
            if (text[i] == ' ' || text[i] == '\t') {
                cut = i;
                break;
            }
        if (cut == std::string::npos) {   // a long word: fold at the first blank after it
            for (size_t i = size_t(kFoldWidth) + 1; i < text.size() && i <= size_t(kMaxHeaderLine); ++i)
                if (text[i] == ' ' || text[i] == '\t') {
                    cut = i;
                    break;
                }
        }
        if (cut == std::string::npos) {
            if (text.size() <= size_t(kMaxHeaderLine)) break;
            // no blank within the line limit: break the word itself, the only way to send it
            cut = size_t(kMaxHeaderLine);
            out += text.substr(0, cut) + "\r\n";
            text = " " + text.substr(cut);
        } else {
            out += text.substr(0, cut) + "\r\n";
            text.erase(0, cut);
        }
        firstFold = 1;
    }
    out += text;
    m_header += CString(out) + "\r\n";
}
