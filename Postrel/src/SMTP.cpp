#include "SMTP.h"
#include "MailMessage.h"
#include "MailTimeouts.h"
#include "SocketMailConnection.h"
#include <stdio.h>

namespace {

struct ReplyRow {
    int code;
    const char* text;
};
const ReplyRow kRows[] = {
    {250, "SMTP server error"},
    {220, "SMTP server not available"},
    {354, "SMTP server not ready for data"},
    {221, "SMTP server didn't terminate session"},
};

// An address as it may stand between < and > in a command: a line break in it would end the
// command and start another.
std::string envelopeAddress(const CString& address)
{
    std::string a;
    for (char c : address.str())
        if (c != '\r' && c != '\n') a += c;
    return a;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

CSMTP::CSMTP(const CString& host, UINT port, CMailConnection* connection) : m_error("OK"), m_port(port), m_host(host)
{
    const CMailTimeouts timeouts = CMailTimeouts::Get();
    m_replyMs = timeouts.replyMs;
    m_dataReplyMs = timeouts.dataReplyMs;
    m_connection.reset(connection != NULL ? connection : new CSocketMailConnection(timeouts.connectMs));
}

CSMTP::~CSMTP() { Close(); }

BOOL CSMTP::Open()
{
    if (m_connected) return TRUE;
    m_pending.clear();
    m_broken = false;
    if (!m_connection->Connect(m_host.str(), m_port)) {
        m_error = "Unable to connect to server";
        return FALSE;
    }
    m_connectionOpen = true;
    if (!ReadReply(Ready220, m_replyMs)) {
        m_error = "Server didn't respond.";
        Drop();
        return FALSE;
    }
    char name[81] = "";
    DWORD size = sizeof name;
    if (!GetComputerNameExA(ComputerNameDnsHostname, name, &size) || name[0] == '\0')
        lstrcpynA(name, "localhost", sizeof name);
    if (!SendText(std::string("HELO ") + name + "\r\n") || !ReadReply(Ok250, m_replyMs)) {
        Drop();
        return FALSE;
    }
    m_connected = true;
    return TRUE;
}

BOOL CSMTP::Deliver(CMailMessage& message, bool alreadyComposed)
{
    if (!m_connected) {
        m_error = "Must be connected";
        return FALSE;
    }
    if (!alreadyComposed && !ComposeHook(message)) return FALSE;
    return Transmit(message);
}

BOOL CSMTP::ComposeHook(CMailMessage& message)
{
    message.Compose();
    return TRUE;
}

BOOL CSMTP::Transmit(CMailMessage& message)
{
    if (!m_connected) {
        m_error = "Must be connected";
        return FALSE;
    }
    if (!SendText("MAIL From: <" + envelopeAddress(message.Sender()) + ">\r\n") || !ReadReply(Ok250, m_replyMs))
        return FALSE;
    CString refused;
    std::string refusal;
    int refusalCode = 0;
    int acceptedRecipients = 0;
    bool allPermanent = true;
    m_refusedPermanently = false;
    for (int i = 0; i < message.RecipientCount(); ++i) {
        CString address, name;
        int kind = 0;
        message.RecipientAt(i, address, name, kind);
        if (!SendText("RCPT TO: <" + envelopeAddress(address) + ">\r\n")) return FALSE;
        if (ReadReply(Ok250, m_replyMs)) {
            ++acceptedRecipients;
        } else {
            if (m_broken) return FALSE;
            refused = m_error;   // one refused recipient does not end the transaction
            refusal = m_reply;
            refusalCode = m_replyCode;
            allPermanent = allPermanent && m_replyCode >= 500 && m_replyCode < 600;
        }
    }
    if (acceptedRecipients == 0 && message.RecipientCount() > 0) {
        // Nobody to send the text to: the refusal is the outcome (and 5xx is final).
        m_refusedPermanently = allPermanent;
        m_reply = refusal;
        m_replyCode = refusalCode;
        m_error = refused;
        return FALSE;
    }
    if (!SendText("DATA\r\n") || !ReadReply(Data354, m_replyMs)) return FALSE;
    std::string text = DotStuff(message.HeaderText().str() + message.Body().Text());
    // the terminator's own CR LF ends the last line when the text does not end with one
    const size_t n = text.size();
    text += n >= 2 && text[n - 2] == '\r' && text[n - 1] == '\n' ? ".\r\n" : "\r\n.\r\n";
    if (!SendText(text)) return FALSE;
    BOOL accepted = ReadReply(Ok250, m_dataReplyMs);
    if (accepted && !refused.IsEmpty()) m_error = refused;
    return accepted;
}

BOOL CSMTP::Close()
{
    if (!m_connected) {
        if (m_connectionOpen) Drop();
        return TRUE;
    }
    BOOL ok = TRUE;
    if (!m_broken) ok = SendText("QUIT\r\n") && ReadReply(Bye221, m_replyMs);
    Drop();
    return ok;
}

void CSMTP::Drop()
{
    if (m_connectionOpen) m_connection->Close();
    m_connectionOpen = false;
    m_connected = false;
    m_pending.clear();
}

BOOL CSMTP::SendText(const std::string& text)
{
    if (m_connection->Send(text, m_replyMs)) return TRUE;
    m_error = "Socket Error";
    m_broken = true;
    return FALSE;
}

BOOL CSMTP::ReadReply(Row row, DWORD timeoutMs)
{
    // A reply is one or more lines "ddd-text" ending with the line "ddd text" (RFC 5321 4.2.1);
    // what follows the final line stays for the next reply.
    m_reply.clear();
    m_replyCode = 0;
    const DWORD start = GetTickCount();
    for (;;) {
        size_t lf = m_pending.find('\n');
        if (lf != std::string::npos) {
            std::string line = m_pending.substr(0, lf + 1);
            m_pending.erase(0, lf + 1);
            m_reply += line;
            if (m_reply.size() > kMaxReply) break;
            const bool continued = line.size() > 3 && line[3] == '-' && isDigit(line[0]);
            if (continued) continue;
            if (line.size() >= 3 && isDigit(line[0]) && isDigit(line[1]) && isDigit(line[2]))
                m_replyCode = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
            if (m_replyCode == kRows[row].code) return TRUE;
            char text[128];
            snprintf(text, sizeof text, "%d:%s", m_replyCode, kRows[row].text);
            m_error = text;
            return FALSE;
        }
        if (m_pending.size() + m_reply.size() > kMaxReply) break;
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) break;
        char buffer[1024];
        int n = m_connection->Receive(buffer, sizeof buffer, timeoutMs - spent);
        if (n <= 0) break;
        m_pending.append(buffer, size_t(n));
    }
    m_error = "Socket Error";
    m_broken = true;
    return FALSE;
}

std::string CSMTP::DotStuff(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 64 + 8);
    bool lineStart = true;
    char previous = '\0';
    for (char c : text) {
        if (c == '\n') {
            if (previous != '\r') out += '\r';
            out += '\n';
            lineStart = true;
        } else {
            if (lineStart && c == '.') out += '.';   // the server takes one leading dot away
            out += c;
            lineStart = false;
        }
        previous = c;
    }
    return out;
}
