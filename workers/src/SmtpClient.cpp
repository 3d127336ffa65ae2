#include "SmtpClient.h"

#include <cctype>

#include "Connection.h"
#include "MxLookup.h"

namespace {

const size_t kLongestMessage = 1000;     // longer bodies get their long lines broken
const size_t kLineLimit = 998;           // characters of a line before its CR LF (RFC 5321)
const size_t kLongestReplyLine = 64 * 1024;
const size_t kReplyBytesKept = 8 * 1024;
const int kMaxReplyLines = 1000;

const char* const kMonths[12] = {"Jan ", "Feb ", "Mar ", "Apr ", "May ", "Jun ",
                                 "Jul ", "Aug ", "Sep ", "Oct ", "Nov ", "Dec "};

std::string twoDigits(int value)
{
    char text[8];
    snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

std::string dotted(const in_addr& address)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(&address.s_addr);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
           std::to_string(b[3]);
}

// The host's name as the greeting gives it (what Winsock's gethostname answers).
std::string localName()
{
    char name[1025];
    DWORD size = sizeof name;
    if (!GetComputerNameExA(ComputerNameDnsHostname, name, &size) || size == 0)
        return "flibbletoot";
    return std::string(name, size);
}

std::string upperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

SmtpClient::SmtpClient(const std::string& to, const std::string& from, const std::string& subject,
                       const std::string& message, const std::string& server, int port, bool lookupMx)
    : subject_(subject),
      server_(server),
      port_(port),
      lookupMx_(lookupMx),
      authenticate_(false),
      timeoutMs_(15000),
      started_(GetTickCount()),
      outOfTime_(false)
{
    Connection::startWinsock();
    setSender(from);
    addRecipient(to, To);
    setMessage(message);
}

bool SmtpClient::setMessage(const std::string& message)
{
    if (message.empty())
        return false;
    message_ = message.size() > kLongestMessage ? breakLongLines(message) : message;
    return true;
}

bool SmtpClient::setSender(const std::string& text)
{
    if (text.empty())
        return false;
    parseAddress(text, senderName_, senderAddress_);
    return true;
}

bool SmtpClient::addRecipient(const std::string& text, int kind)
{
    if (recipients_.size() >= static_cast<size_t>(kMaxRecipients) || text.empty())
        return false;
    Recipient r;
    parseAddress(text, r.name, r.address);
    // The domain of the address itself: "Ops <ops@example.test>" asks for example.test, not for
    // "example.test>".
    if (recipients_.empty())
        mailDomain_ = mailDomain(r.address);
    r.kind = kind < To || kind > Bcc ? Bcc : kind;
    recipients_.push_back(r);
    return true;
}

void SmtpClient::setUserName(const std::string& user)
{
    user_ = user;
    authenticate_ = !user.empty();
}

void SmtpClient::setPassword(const std::string& password)
{
    password_ = password;
}

std::string SmtpClient::mailDomain(const std::string& address)
{
    size_t at = address.find('@');
    if (at == std::string::npos || at + 1 >= address.size())
        return std::string();
    return address.substr(at + 1);
}

void SmtpClient::parseAddress(const std::string& text, std::string& name, std::string& address)
{
    name.clear();
    address.clear();
    if (text.empty())
        return;
    if (text.find('@') == std::string::npos) {
        address = text;
        return;
    }
    size_t lt = text.find('<');
    size_t gt = text.find('>');
    if ((lt == std::string::npos) != (gt == std::string::npos) || (lt != std::string::npos && gt < lt))
        return;
    if (lt == std::string::npos) {
        address = text;
        return;
    }
    address = text.substr(lt + 1, gt - lt - 1);
    if (lt > 0) {
        // "Name <a@b>": the name less the space before the bracket
        name = text.substr(0, lt - 1);
    } else if (gt + 2 < text.size()) {
        // "<a@b> Name"
        name = text.substr(gt + 2);
        if (!name.empty() && name[name.size() - 1] == ' ')
            name.erase(name.size() - 1);
    }
}

std::string SmtpClient::base64Encode(const std::string& bytes)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                     (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string SmtpClient::breakLongLines(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 400);
    size_t lineStart = 0;   // in out
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        out += c;
        if (c == '\r') {
            // A CR and the character after it end the line.
            if (i + 1 < text.size())
                out += text[++i];
            lineStart = out.size();
            continue;
        }
        if (out.size() - lineStart < kLineLimit || i + 1 >= text.size() || text[i + 1] == '\r')
            continue;
        if (text[i + 1] != ' ') {
            // Behind the last space of the line, scanning back at most 997 characters.
            size_t stop = out.size() > kLineLimit - 1 ? out.size() - (kLineLimit - 1) : 0;
            if (stop <= lineStart)
                stop = lineStart + 1;
            for (size_t q = out.size(); q-- > stop;) {
                if (out[q] == ' ') {
                    out.insert(q + 1, "\r\n");
                    lineStart = q + 3;
                    break;
                }
            }
            if (out.size() - lineStart < kLineLimit)
                continue;
        }
        out += "\r\n";
        lineStart = out.size();
    }
    return out;
}

std::string SmtpClient::dotStuff(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && (i == 0 || text[i - 1] == '\n'))
            out += '.';
        out += text[i];
    }
    return out;
}

std::string SmtpClient::dateHeader(const SYSTEMTIME& t)
{
    if (t.wMonth < 1 || t.wMonth > 12)
        return std::string();
    return "Date: " + twoDigits(t.wDay) + " " + kMonths[t.wMonth - 1] + twoDigits(t.wYear) + " " +
           std::to_string(t.wHour) + ":" + std::to_string(t.wMinute) + ":" + std::to_string(t.wSecond) + "\r\n";
}

std::string SmtpClient::buildMessage() const
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return buildMessage(now);
}

std::string SmtpClient::buildMessage(const SYSTEMTIME& localTime) const
{
    std::string m;
    if (!senderName_.empty())
        m += "From: " + senderAddress_ + " (" + senderName_ + ") \r\nReply-To: " + senderAddress_ + "\r\n";
    else
        m += "From: " + senderAddress_ + " \r\nReply-To: " + senderAddress_ + "\r\n";
    static const char* const kHeaders[3] = {"To: ", "Cc: ", "Bcc: "};
    for (int kind = To; kind <= Bcc; ++kind) {
        std::string list;
        for (const Recipient& r : recipients_) {
            if (r.kind != kind)
                continue;
            if (!list.empty())
                list += ",\r\n ";
            list += r.address;
        }
        if (!list.empty())
            m += kHeaders[kind] + list + "\r\n";
    }
    m += dateHeader(localTime);
    m += "Subject: " + subject_ + "\r\n\r\n";
    m += message_;
    // A body line that begins with '.' would otherwise be taken for the end of the data, and
    // what follows it for commands.
    return dotStuff(m) + "\r\n.\r\n";
}

bool SmtpClient::hasCode(const std::string& reply, const char* code)
{
    return reply.size() >= 3 && reply.compare(0, 3, code) == 0;
}

int SmtpClient::leftMs() const
{
    DWORD spent = GetTickCount() - started_;
    return spent >= static_cast<DWORD>(timeoutMs_) ? 1 : timeoutMs_ - static_cast<int>(spent);
}

bool SmtpClient::deadlinePassed() const
{
    return GetTickCount() - started_ >= static_cast<DWORD>(timeoutMs_);
}

bool SmtpClient::receive(Connection& c, std::string& reply)
{
    reply.clear();
    for (int lines = 0; lines < kMaxReplyLines; ++lines) {
        std::string line;
        if (!c.readLine(line, kLongestReplyLine)) {
            outOfTime_ = outOfTime_ || c.lastErrorCode() == WSAETIMEDOUT;
            return false;
        }
        if (reply.size() < kReplyBytesKept)
            reply += line.substr(0, kReplyBytesKept - reply.size()) + "\r\n";
        // "250-..." continues the reply; "250 ..." (or a bare code) is its last line.
        if (line.size() < 4 || line[3] != '-')
            return true;
    }
    return false;
}

void SmtpClient::quit(Connection& c)
{
    std::string reply;
    if (c.sendAll("QUIT\r\n"))
        receive(c, reply);
    c.close();
}

bool SmtpClient::authenticate(Connection& c, const std::string& ehloReply)
{
    std::string reply;
    if (upperCase(ehloReply).find("LOGIN") == std::string::npos) {
        response_ = "554 zqSMTP only handles LOGIN or PLAIN authentication at present!";
        c.sendAll("QUIT\r\n");
        return false;
    }
    if (!c.sendAll("auth LOGIN\r\n")) {
        response_ = "554 send failure: \"auth LOGIN\"";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 receive failure: waiting on username question!";
        return false;
    }
    response_ = reply;
    // The prompt's text is not fixed ("Username:" by most servers, "User Name" by others):
    // its code is what counts.
    if (!hasCode(reply, "334")) {
        c.sendAll("QUIT\r\n");
        return false;
    }
    if (!c.sendAll(base64Encode(user_) + "\r\n")) {
        response_ = "554 send failure: sending username";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 receive failure: waiting on password question!";
        return false;
    }
    response_ = reply;
    if (!hasCode(reply, "334")) {
        c.sendAll("QUIT\r\n");
        return false;
    }
    if (!c.sendAll(base64Encode(password_) + "\r\n")) {
        response_ = "554 send failure: sending password";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 receive failure: waiting on auth login response!";
        return false;
    }
    response_ = reply;
    if (!hasCode(reply, "235")) {
        c.sendAll("QUIT\r\n");
        return false;
    }
    return true;
}

bool SmtpClient::lookupMailHosts(std::vector<std::string>& hosts)
{
    hosts.clear();
    in_addr address;
    std::string error;
    if (!Connection::resolve(server_, address, error, leftMs(), cancelled_)) {
        // No name server to ask: the domain's own address is the one mail host.
        if (!Connection::resolve(mailDomain_, address, error, leftMs(), cancelled_))
            return false;
        hosts.push_back(dotted(address));
        return true;
    }
    std::vector<std::string> exchangers;
    if (!MxLookup::query(address, MxLookup::kDnsPort, mailDomain_, leftMs(), cancelled_, exchangers, error))
        return false;
    for (const std::string& exchanger : exchangers) {
        in_addr found;
        if (Connection::resolve(exchanger, found, error, leftMs(), cancelled_))
            hosts.push_back(dotted(found));
    }
    return true;
}

bool SmtpClient::deliverTo(const std::string& host, const std::string& message)
{
    Connection c;
    c.setTimeout(timeoutMs_);
    c.setDeadline(leftMs());
    c.setCancel(cancelled_);
    if (!c.connect(host, port_, leftMs())) {
        outOfTime_ = c.lastErrorCode() == WSAETIMEDOUT;
        response_ = "554 Transaction failed: server connect error.";
        return false;
    }
    std::string reply;
    if (!receive(c, reply)) {
        response_ = "554 Transaction failed: server connect response error.";
        return false;
    }

    std::string name = localName();
    if (!c.sendAll("EHLO " + name + "\r\n")) {
        response_ = "554 Transaction failed: EHLO send";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 Transaction failed: EHLO receipt";
        return false;
    }
    response_ = reply;
    const std::string ehloReply = reply;
    if (!hasCode(reply, "250")) {
        if (authenticate_) {
            response_ = "554 possibly trying to use AUTH without ESMTP server, ERROR!";
            return false;
        }
        if (!c.sendAll("HELO " + name + "\r\n")) {
            response_ = "554 Transaction failed: HELO send";
            return false;
        }
        if (!receive(c, reply)) {
            response_ = "554 Transaction failed: HELO receipt";
            return false;
        }
        response_ = reply;
        if (!hasCode(reply, "250")) {
            quit(c);
            return false;
        }
    }

    if (authenticate_ && !authenticate(c, ehloReply))
        return false;

    if (!c.sendAll("MAIL FROM:<" + senderAddress_ + ">\r\n")) {
        response_ = "554 MAIL FROM sending error";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 MAIL FROM receipt error";
        return false;
    }
    response_ = reply;
    if (!hasCode(reply, "250")) {
        quit(c);
        return false;
    }

    for (const Recipient& r : recipients_) {
        if (!c.sendAll("RCPT TO: <" + r.address + ">\r\n"))
            response_ = "554 Transaction failed";
        else if (receive(c, reply))
            response_ = reply;
    }

    if (!c.sendAll("DATA\r\n")) {
        response_ = "554 DATA send error";
        return false;
    }
    if (!receive(c, reply)) {
        response_ = "554 DATA, server response error";
        return false;
    }
    response_ = reply;
    if (!hasCode(reply, "354")) {
        quit(c);
        return false;
    }

    if (!c.sendAll(message) || !receive(c, reply)) {
        response_ = "554 DATA, server response error (actual send)";
        return false;
    }
    response_ = reply;
    bool accepted = hasCode(reply, "250");
    quit(c);
    return accepted;
}

void SmtpClient::sendMail()
{
    started_ = GetTickCount();
    outOfTime_ = false;
    response_.clear();
    if (recipients_.empty()) {
        response_ = "451 Requested action aborted: local error who am I mailing";
        return;
    }
    if (senderAddress_.empty()) {
        response_ = "451 Requested action aborted: local error who am I";
        return;
    }
    if (server_.empty()) {
        response_ = "451 Requested action aborted: local error no SMTP/name server/smtp server";
        return;
    }

    std::vector<std::string> hosts;
    if (!lookupMx_) {
        in_addr address;
        std::string error;
        if (!Connection::resolve(server_, address, error, leftMs(), cancelled_)) {
            response_ = "451 Requested action aborted: local error in processing";
            return;
        }
        hosts.push_back(dotted(address));
    } else if (!lookupMailHosts(hosts)) {
        response_ = "451 Requested action aborted: No MX records ascertained";
        return;
    }
    if (hosts.empty()) {
        response_ = "451 Requested action aborted: No MX records ascertained";
        return;
    }

    std::string message = buildMessage();
    for (const std::string& host : hosts) {
        // A host that used up the time keeps its own reply as the outcome.
        if (deliverTo(host, message) || outOfTime_ || deadlinePassed())
            return;
    }
}
