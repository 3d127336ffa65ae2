#include "Pop3Client.h"

#include <climits>
#include <cstdio>
#include <new>

namespace {

// A command line, CR LF included, must fit this (RFC 1939 allows far less).
const size_t kCommandBytes = 512;
// Longest line read for a single-line reply before the reply counts as broken.
const size_t kLongestReplyLine = 64 * 1024;
// Longest line of a multi-line reply (message text lines are not limited by every sender).
const size_t kLongestTextLine = 1024 * 1024;
// Largest multi-line reply kept; what follows is not read.
const size_t kLongestMultiLine = 64 * 1024 * 1024;
// A multi-line reply that grows past this is given room for the largest one kept at once: it is
// then never copied as it grows, and only the pages written to are held.
const size_t kReserveWholeFrom = 1024 * 1024;

void diagnose(const char* text)
{
    std::fputs(text, stderr);
}

// "VERB" or "VERB argument" with CR LF; false when the argument could smuggle a second command
// or the line would not fit.
bool makeCommand(const std::string& verb, const std::string& argument, bool withArgument,
                 std::string& command)
{
    if (argument.find_first_of("\r\n") != std::string::npos)
        return false;
    command = verb;
    if (withArgument)
        command += " " + argument;
    command += "\r\n";
    return command.size() < kCommandBytes;
}

// One reply line with its CR LF, cut to kPop3ReplyBytes. A connection that fails here is closed:
// whatever it sends later belongs to no command we could still match it with.
Pop3Text readReplyLine(Connection& c)
{
    std::string line;
    if (!c.readLine(line, kLongestReplyLine)) {
        diagnose("Socket Error\n");
        c.close();
        return Pop3Text();
    }
    line += "\r\n";
    if (line.size() > kPop3ReplyBytes)
        line.resize(kPop3ReplyBytes);
    return line;
}

bool sendCommand(Connection& c, const std::string& command, const char* failure)
{
    if (c.sendAll(command))
        return true;
    diagnose(failure);
    diagnose("\n");
    c.close();
    return false;
}

// Send, read the first line, and unless it is an "-ERR" read on to the terminating line.
Pop3Text multiLineCommand(Connection& c, const std::string& command, const char* sendFailure)
{
    if (!sendCommand(c, command, sendFailure))
        return Pop3Text();
    Pop3Text reply = readReplyLine(c);
    if (!reply || reply->compare(0, 4, "-ERR") == 0)
        return reply;
    if (!recv_rest(c, *reply))
        return Pop3Text();
    return reply;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number at p (after blanks): false for none, a sign or a value above INT_MAX.
bool readNumber(const std::string& text, size_t& p, int& value)
{
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    if (p >= text.size() || !isDigit(text[p]))
        return false;
    long long v = 0;
    while (p < text.size() && isDigit(text[p])) {
        v = v * 10 + (text[p] - '0');
        if (v > INT_MAX)
            return false;
        ++p;
    }
    value = static_cast<int>(v);
    return true;
}

// The first blank-delimited word at p, at most kPop3IdBytes long.
bool readWord(const std::string& text, size_t& p, std::string& word)
{
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    size_t start = p;
    while (p < text.size() && text[p] != ' ' && text[p] != '\t' && text[p] != '\r' && text[p] != '\n')
        ++p;
    if (p == start)
        return false;
    word.assign(text, start, p - start < kPop3IdBytes ? p - start : kPop3IdBytes);
    return true;
}

int statNumber(const Pop3Text& reply, int which)
{
    if (pop3_reply_failed(reply) || reply->size() < 4)
        return -1;
    size_t p = 4;
    int value = -1;
    for (int i = 0; i <= which; ++i) {
        if (!readNumber(*reply, p, value))
            return -1;
    }
    return value;
}

// The lines of a LIST or UIDL reply as (number, rest of the line) pairs, handed to store.
template <typename Store>
void forEachEntry(const std::string& text, Store store)
{
    if (pop3_multiline_complete(text)) {
        // The first line is the status line, whatever it holds (a "." in its text included).
        size_t p = text.find('\n');
        while (p != std::string::npos && ++p < text.size()) {
            if (text[p] == '.')
                break;
            size_t end = text.find('\n', p);
            std::string line = text.substr(p, end == std::string::npos ? std::string::npos : end - p);
            size_t q = 0;
            int number;
            if (readNumber(line, q, number))
                store(number, line, q);
            p = end;
        }
    } else {
        size_t p = 0;
        while (p < text.size() && !isDigit(text[p]))
            ++p;
        int number;
        if (readNumber(text, p, number))
            store(number, text, p);
    }
}

std::optional<Pop3SizeList> parseSizes(const Pop3Text& reply, int maxNumber)
{
    if (pop3_reply_failed(reply))
        return std::nullopt;
    Pop3SizeList list(1, 0);
    forEachEntry(*reply, [&](int number, const std::string& line, size_t p) {
        int size;
        if (number < 1 || number > maxNumber || !readNumber(line, p, size))
            return;
        if (static_cast<size_t>(number) >= list.size())
            list.resize(static_cast<size_t>(number) + 1, 0);
        list[static_cast<size_t>(number)] = size;
    });
    list[0] = static_cast<int>(list.size() - 1);
    return list;
}

std::optional<Pop3IdList> parseIds(const Pop3Text& reply, int maxNumber)
{
    if (pop3_reply_failed(reply))
        return std::nullopt;
    Pop3IdList list(1);
    forEachEntry(*reply, [&](int number, const std::string& line, size_t p) {
        std::string id;
        if (number < 1 || number > maxNumber || !readWord(line, p, id))
            return;
        if (static_cast<size_t>(number) >= list.size())
            list.resize(static_cast<size_t>(number) + 1);
        list[static_cast<size_t>(number)] = id;
    });
    list[0] = std::to_string(list.size() - 1);
    return list;
}

int listBound(int count)
{
    return count < kPop3MaxListed ? count : kPop3MaxListed;
}

void freeSession(pop3_session*& s)
{
    pop3_close_socket(s->connection);
    delete s;
    s = nullptr;
}

// STAT, LIST and UIDL, storing what they tell; false (with the error text) when one fails.
bool refreshMailbox(pop3_session* s, std::string& error)
{
    Pop3Text stat = pop3_stat(s->connection);
    if (pop3_reply_failed(stat)) {
        error = stat ? *stat : "pop3_stat";
        return false;
    }
    int count = pop3_stat_count(stat);
    int octets = pop3_stat_octets(stat);
    if (count < 0 || octets < 0) {
        // A "+OK" without its two numbers tells nothing about the mailbox.
        error = *stat;
        return false;
    }

    Pop3Text list = pop3_list(s->connection, 0);
    std::optional<Pop3SizeList> sizes = parseSizes(list, listBound(count));
    if (!sizes) {
        error = list ? *list : "pop3_list";
        return false;
    }

    // UIDL is optional (RFC 1939): a server that refuses it still has a usable mailbox.
    Pop3Text uidl = pop3_uidl(s->connection, 0);
    if (!uidl) {
        error = "pop3_uidl";
        return false;
    }
    std::optional<Pop3IdList> ids = parseIds(uidl, listBound(count));

    s->count = count;
    s->octets = octets;
    s->sizes = *sizes;
    s->ids = ids ? *ids : Pop3IdList(1, "0");
    return true;
}

bool inRange(const pop3_session* s, int n)
{
    return s && n >= 1 && n <= s->count;
}

}  // namespace

Pop3Text pop3_query(Connection& c, const std::string& command)
{
    if (!sendCommand(c, command, "pop3_query.send"))
        return Pop3Text();
    return readReplyLine(c);
}

Pop3Text pop3_user(Connection& c, const std::string& user)
{
    std::string command;
    if (!makeCommand("USER", user, true, command)) {
        diagnose("pop3_user: the name does not fit one command line\n");
        return Pop3Text();
    }
    return pop3_query(c, command);
}

Pop3Text pop3_pass(Connection& c, const std::string& password)
{
    std::string command;
    if (!makeCommand("PASS", password, true, command)) {
        diagnose("pop3_pass: the password does not fit one command line\n");
        return Pop3Text();
    }
    return pop3_query(c, command);
}

Pop3Text pop3_quit(Connection& c)
{
    return pop3_query(c, "QUIT\r\n");
}

Pop3Text pop3_stat(Connection& c)
{
    return pop3_query(c, "STAT\r\n");
}

Pop3Text pop3_list(Connection& c, int n)
{
    if (n > 0)
        return pop3_query(c, "LIST " + std::to_string(n) + "\r\n");
    return multiLineCommand(c, "LIST\r\n", "pop3_list.send");
}

Pop3Text pop3_retr(Connection& c, int n)
{
    if (!sendCommand(c, "RETR " + std::to_string(n) + "\r\n", "pop3_retr.send"))
        return Pop3Text();
    std::string line;
    if (!c.readLine(line, kLongestReplyLine)) {
        diagnose(c.lastErrorCode() == WSAETIMEDOUT ? "timeout reached\n" : "nothing returned\n");
        c.close();
        return Pop3Text();
    }
    std::string reply = line + "\r\n";
    if (reply.compare(0, 4, "-ERR") == 0)
        return reply;
    if (!recv_rest(c, reply))
        return Pop3Text();
    return reply;
}

Pop3Text pop3_dele(Connection& c, int n)
{
    if (n <= 0)
        return Pop3Text();
    return pop3_query(c, "DELE " + std::to_string(n) + "\r\n");
}

Pop3Text pop3_rset(Connection& c)
{
    return pop3_query(c, "RSET\r\n");
}

Pop3Text pop3_top(Connection& c, int n, int lines)
{
    return multiLineCommand(c, "TOP " + std::to_string(n) + " " + std::to_string(lines) + "\r\n",
                            "pop3_top.send");
}

Pop3Text pop3_uidl(Connection& c, int n)
{
    if (n > 0)
        return pop3_query(c, "UIDL " + std::to_string(n) + "\r\n");
    return multiLineCommand(c, "UIDL\r\n", "pop3_uidl.send");
}

bool recv_rest(Connection& c, std::string& text)
{
    // Line by line, so a terminator split over two receives, or a reply that ends exactly at a
    // receive's end, is found all the same.
    // The time-out bounds the whole reply, not each line: a server that sends a line now and then
    // must not hold the check for ever.
    const int whole = c.timeout();
    const DWORD start = GetTickCount();
    std::string line;
    for (;;) {
        DWORD spent = GetTickCount() - start;
        c.setTimeout(spent >= static_cast<DWORD>(whole) ? 1 : whole - static_cast<int>(spent));
        bool read = c.readLine(line, kLongestTextLine);
        c.setTimeout(whole);
        if (!read) {
            if (c.lastErrorCode() == WSAETIMEDOUT) {
                diagnose("timeout reached\n");
                c.close();
                return true;
            }
            diagnose("Socket Error\n");
            c.close();
            return false;
        }
        if (text.size() >= kReserveWholeFrom && text.size() + line.size() + 2 > text.capacity())
            text.reserve(kLongestMultiLine + kLongestTextLine + 2);
        text += line;
        text += "\r\n";
        if (line == ".")
            return true;
        if (text.size() > kLongestMultiLine) {
            diagnose("recv_rest.realloc\n");
            c.close();
            return true;
        }
    }
}

Pop3Text pop3_connect(Connection& c, const std::string& host, int port, const Pop3Options& options)
{
    if (!c.connect(host, port == 0 ? kPop3Port : port, options.timeoutMs)) {
        diagnose("pop3_connect.connect\n");
        return Pop3Text();
    }
    return readReplyLine(c);
}

void pop3_close_socket(Connection& c)
{
    c.close();
}

bool pop3_reply_failed(const Pop3Text& reply)
{
    return !reply || reply->compare(0, 4, "-ERR") == 0;
}

bool pop3_multiline_complete(const std::string& text)
{
    for (size_t p = text.find('.'); p != std::string::npos; p = text.find('.', p + 1)) {
        if (p == 0 || (text[p - 1] != '\n' && text[p - 1] != '\r'))
            continue;
        if (p + 1 == text.size() || text[p + 1] == '\n' || text[p + 1] == '\r')
            return true;
    }
    return false;
}

int pop3_stat_count(const Pop3Text& reply)
{
    return statNumber(reply, 0);
}

int pop3_stat_octets(const Pop3Text& reply)
{
    return statNumber(reply, 1);
}

Pop3Text pop3_message_text(const Pop3Text& reply)
{
    if (pop3_reply_failed(reply))
        return Pop3Text();
    const std::string& r = *reply;
    size_t p = 0;
    while (r.compare(p, 3, "+OK") != 0) {
        p = r.find('\n', p);
        if (p == std::string::npos)
            return Pop3Text();
        ++p;
    }
    p = r.find('\n', p);
    std::string text;
    if (p != std::string::npos) {
        bool lineStart = true;
        text.reserve(r.size() - p);
        for (++p; p < r.size(); ++p) {
            char ch = r[p];
            if (!(lineStart && ch == '.'))
                text += ch;
            lineStart = ch == '\n';
        }
    }
    // The terminating "." line has become an empty line: drop its CR LF.
    text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    return text;
}

std::optional<Pop3SizeList> pop3_parse_list(const Pop3Text& reply, int maxNumber)
{
    return parseSizes(reply, maxNumber);
}

std::optional<Pop3IdList> pop3_parse_uidl(const Pop3Text& reply, int maxNumber)
{
    return parseIds(reply, maxNumber);
}

Pop3Text pop3_session_open(const char* host, const char* user, const char* password,
                           pop3_session*& out, const Pop3Options& options)
{
    out = nullptr;
    if (!host || !user || !password)
        return std::string("NULL args !");
    pop3_session* s = new (std::nothrow) pop3_session;
    if (!s)
        return std::string("malloc");
    s->connection.setTimeout(options.timeoutMs);
    s->connection.setCancel(options.cancelled);
    if (options.sessionMs > 0)
        s->connection.setDeadline(options.sessionMs);

    std::string error;
    if (!Connection::startWinsock()) {
        delete s;
        return std::string("WSAStartup() failed");
    }
    // The connect looks the host up itself (once, bounded, and given up on a stop).
    Pop3Options connecting = options;
    if (options.sessionMs > 0 && options.sessionMs < connecting.timeoutMs)
        connecting.timeoutMs = options.sessionMs;
    if (!pop3_connect(s->connection, host, kPop3Port, connecting)) {
        bool unknownHost = s->connection.lastErrorCode() == WSAHOST_NOT_FOUND;
        freeSession(s);
        return std::string(unknownHost ? "pop3_prepare" : "pop3_connect");
    }

    Pop3Text reply = pop3_user(s->connection, user);
    if (pop3_reply_failed(reply)) {
        freeSession(s);
        return reply ? *reply : std::string("pop3_user");
    }
    reply = pop3_pass(s->connection, password);
    if (pop3_reply_failed(reply)) {
        freeSession(s);
        return reply ? *reply : std::string("pop3_pass");
    }
    s->loggedIn = 1;

    if (!refreshMailbox(s, error)) {
        freeSession(s);
        return error;
    }
    s->deleteAfterRetrieve = 0;
    out = s;
    return Pop3Text();
}

Pop3Text pop3_session_head(pop3_session* s, int n)
{
    if (!inRange(s, n))
        return Pop3Text();
    Pop3Text reply = pop3_top(s->connection, n, 0);
    if (pop3_reply_failed(reply))
        return Pop3Text();
    Pop3Text text = pop3_message_text(reply);
    return text ? text : reply;
}

Pop3Text pop3_session_message(pop3_session*& s, int n)
{
    if (!inRange(s, n))
        return Pop3Text();
    Pop3Text reply = pop3_retr(s->connection, n);
    if (pop3_reply_failed(reply))
        return Pop3Text();
    Pop3Text text = pop3_message_text(reply);
    if (text)
        reply = text;
    if (s->deleteAfterRetrieve)
        pop3_session_delete(s, n);
    return reply;
}

int pop3_session_delete(pop3_session*& s, int n)
{
    if (!inRange(s, n))
        return -1;
    if (pop3_reply_failed(pop3_dele(s->connection, n)))
        return -1;
    Pop3Text stat = pop3_stat(s->connection);
    int count = pop3_stat_count(stat);
    int octets = pop3_stat_octets(stat);
    if (pop3_reply_failed(stat) || count < 0 || octets < 0) {
        freeSession(s);
        return -1;
    }
    s->count = count;
    s->octets = octets;
    size_t i = static_cast<size_t>(n);
    if (i < s->sizes.size())
        s->sizes[i] = 0;
    if (i < s->ids.size())
        s->ids[i].clear();
    return 0;
}

int pop3_session_reset(pop3_session*& s)
{
    if (!s || pop3_reply_failed(pop3_rset(s->connection)))
        return -1;
    std::string error;
    if (!refreshMailbox(s, error)) {
        freeSession(s);
        return -1;
    }
    return 0;
}

void pop3_session_close(pop3_session*& s)
{
    if (!s)
        return;
    // A connection that already failed is closed: nothing more can be said on it.
    if (s->connection.isOpen())
        pop3_quit(s->connection);
    freeSession(s);
}
