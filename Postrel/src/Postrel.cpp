// The library's exports: build the message, find the recipient domain's exchangers, and offer
// the message to each in turn, then to the bare domain, until one accepts it.
#include "Postrel/Postrel.h"
#include "AfxState.h"
#include "CSocket.h"
#include "MIMEMessage.h"
#include "MailBuilder.h"
#include "MxLookup.h"
#include "SMTP.h"
#include <new>

namespace {

std::string domainOf(const std::string& address)
{
    size_t at = address.find('@');
    return at == std::string::npos ? address : address.substr(at + 1);
}

thread_local std::string tLastError;

const char kNoExchanger[] = "no exchanger reachable";

// The reply as one line: its lines joined by blanks, without line ends.
std::string oneLine(const std::string& reply)
{
    std::string line;
    for (char c : reply) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') line += ' ';
            continue;
        }
        line += c;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

// Composes the message at the first host that gets as far as receiving it, unless composed.
// Keeps the last SMTP reply of a failed delivery (or kNoExchanger) in tLastError.
long deliver(CMIMEMessage& message, const std::string& domain, bool composed)
{
    std::vector<std::string> hosts;
    CMxLookup lookup;
    lookup.LookupMX(domain, hosts);
    hosts.push_back(domain);
    std::string reason;
    for (const std::string& host : hosts) {
        CSMTP smtp(CString(host), 25);
        if (!smtp.Open()) {
            if (!smtp.LastReply().empty()) reason = oneLine(smtp.LastReply());
            continue;
        }
        BOOL accepted = smtp.Deliver(message, composed);
        composed = true;
        if (!accepted)
            reason = smtp.LastReply().empty() ? std::string(smtp.GetLastError().str()) : oneLine(smtp.LastReply());
        const bool final = !accepted && smtp.RecipientsRefusedPermanently();
        smtp.Close();
        if (accepted) return 0;
        // A permanent refusal of the recipient is the domain's answer: every other exchanger of
        // it would give the same, so it is not asked again and again.
        if (final) break;
    }
    tLastError = reason.empty() ? kNoExchanger : reason;
    return E_FAIL;
}

// Winsock must run before the first lookup, or the first mail of a process would skip the
// exchangers and go to the bare domain.
bool startSockets() { return AfxSocketInit() != FALSE; }

template <class F>
long guarded(F&& send)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    tLastError.clear();
    try {
        if (!startSockets()) {
            tLastError = "Winsock could not be started";
            return E_FAIL;
        }
        return send();
    } catch (CException* e) {
        e->Delete();
        tLastError = "internal error";
    } catch (const std::bad_alloc&) {
        tLastError = "out of memory";
    }
    return E_FAIL;
}

}  // namespace

long SendMail(const std::string& from, std::string to, const std::string& subject, const std::string& body,
              const std::vector<std::string>& attachments)
{
    return guarded([&]() -> long {
        CMIMEMessage message;
        BuildTextMail(message, from, to, subject, body, attachments);
        return deliver(message, domainOf(to), false);
    });
}

long SendHtmlMail(const std::string& from, std::string to, const std::string& subject, const std::string& text,
                  const std::string& html, const std::vector<MimeRelatedResources>& related,
                  const std::vector<std::string>& attachments)
{
    return guarded([&]() -> long {
        CMIMEMessage message;
        BuildHtmlMail(message, from, to, subject, text, html, related, attachments);
        message.Compose();   // once, before any exchanger is known
        return deliver(message, domainOf(to), true);
    });
}

std::string GetLastMailError()
{
    return tLastError;
}

long InitializePostrel()
{
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0 ? 0 : E_FAIL;
}

long CleanupPostrel()
{
    WSACleanup();
    return 0;
}
