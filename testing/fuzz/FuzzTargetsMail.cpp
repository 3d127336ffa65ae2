// POP3 and SMTP replies. "pop3" hands one reply to the reply parsers (STAT numbers, LIST and
// UIDL listings, message text); "pop3-wire" and "smtp-wire" play a whole mutated server side to
// the real clients over a loopback connection, so the line and multi-line reply readers see the
// bytes as a server would send them.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../workers/src/Connection.h"
#include "../../workers/src/Pop3Client.h"
#include "../../workers/src/SmtpClient.h"
#include "FuzzTarget.h"

namespace {

const std::vector<std::string>& pop3Replies()
{
    static const std::vector<std::string> replies = {
        "+OK 2 320\r\n",
        "+OK 2 messages (320 octets)\r\n1 120\r\n2 200\r\n.\r\n",
        "+OK\r\n1 whqtswO00WBw418f9t5JxYwZ\r\n2 QhdPYR:00WBw1Ph7x7\r\n.\r\n",
        "+OK 120 octets\r\nReturn-Path: <a@example.org>\r\nSubject: report 3.1\r\n\r\n..a dot-stuffed line\r\n"
        "body\r\n.\r\n",
        "+OK 1 120\r\n",
        "+OK 1 whqtswO00WBw418f9t5JxYwZ\r\n",
        "-ERR [AUTH] Authentication failed] <unknown[127.0.0.1]>\r\n",
        "+OK\r\n.\r\n",
    };
    return replies;
}

const std::vector<std::string> kPop3Tokens = {"\r\n", "\r\n.\r\n", "\n.\n", ".", "+OK ", "-ERR ", " ", "\t",
                                               "2147483647", "100000", "\r", "\n..\r\n"};

// --- loopback server for the wire targets --------------------------------------------------

// A listener on 127.0.0.1 whose thread plays one script per connection: all of it at once, then
// the end of its sending side; it reads what the client sends until the client closes.
class ScriptServer {
public:
    bool start()
    {
        Connection::startWinsock();
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 4) != 0)
            return false;
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        done_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, serve, this, 0, nullptr);
        return thread_ != nullptr;
    }
    void stop()
    {
        closesocket(listener_);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(done_);
    }
    int port() const { return port_; }
    // The script of the next connection; it must outlive the session.
    void setScript(const std::string* script) { script_ = script; }
    // Waits until the session the client just ended is over on the server side too.
    void awaitSessionEnd() { WaitForSingleObject(done_, 10000); }

private:
    static DWORD WINAPI serve(void* self)
    {
        ScriptServer* s = static_cast<ScriptServer*>(self);
        for (;;) {
            SOCKET peer = accept(s->listener_, nullptr, nullptr);
            if (peer == INVALID_SOCKET)
                return 0;
            const std::string& script = *s->script_;
            std::size_t sent = 0;
            while (sent < script.size()) {
                int n = send(peer, script.data() + sent, static_cast<int>(script.size() - sent), 0);
                if (n <= 0)
                    break;
                sent += static_cast<std::size_t>(n);
            }
            shutdown(peer, SD_SEND);
            char sink[4096];
            while (recv(peer, sink, sizeof sink, 0) > 0) {
            }
            closesocket(peer);
            SetEvent(s->done_);
        }
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    HANDLE thread_ = nullptr;
    HANDLE done_ = nullptr;
    const std::string* script_ = nullptr;
};

ScriptServer g_server;

void checkReplyBound(const Pop3Text& reply, std::size_t limit, const char* what)
{
    if (reply && reply->size() > limit)
        throw FuzzFailure(std::string(what) + " kept " + std::to_string(reply->size()) + " bytes");
}

void parseAll(const std::string& reply, int maxNumber)
{
    Pop3Text r = reply;
    pop3_multiline_complete(reply);
    int count = pop3_stat_count(r);
    int octets = pop3_stat_octets(r);
    if (count < -1 || octets < -1)
        throw FuzzFailure("a negative STAT number");
    Pop3Text text = pop3_message_text(r);
    if (text && text->size() > reply.size())
        throw FuzzFailure("message text longer than its reply");
    std::optional<Pop3SizeList> sizes = pop3_parse_list(r, maxNumber);
    if (sizes && (sizes->empty() || (*sizes)[0] != static_cast<int>(sizes->size() - 1) ||
                  sizes->size() > static_cast<std::size_t>(maxNumber < 0 ? 0 : maxNumber) + 1))
        throw FuzzFailure("a LIST result that breaks its bound");
    std::optional<Pop3IdList> ids = pop3_parse_uidl(r, maxNumber);
    if (ids && (ids->empty() || ids->size() > static_cast<std::size_t>(maxNumber < 0 ? 0 : maxNumber) + 1))
        throw FuzzFailure("a UIDL result that breaks its bound");
    if (ids) {
        for (std::size_t i = 1; i < ids->size(); ++i)
            if ((*ids)[i].size() > kPop3IdBytes)
                throw FuzzFailure("a unique id over its bound");
    }
}

}  // namespace

std::vector<FuzzTarget> mailTextTargets()
{
    FuzzTarget pop3;
    pop3.name = "pop3";
    pop3.seeds = pop3Replies();
    pop3.tokens = kPop3Tokens;
    pop3.memoryFixed = 8 << 20;   // listings may index up to kPop3MaxListed messages
    pop3.memoryPerByte = 16;
    pop3.run = [](const std::string& input) {
        // The listing bound is what STAT said, as the client uses it.
        int count = pop3_stat_count(Pop3Text(input));
        parseAll(input, count < 0 ? 0 : (count < kPop3MaxListed ? count : kPop3MaxListed));
        parseAll(input, kPop3MaxListed);
    };
    return {pop3};
}

std::vector<FuzzTarget> mailWireTargets()
{
    FuzzTarget pop3;
    pop3.name = "pop3-wire";
    pop3.seeds = {
        "+OK POP3 ready <1896.697170952@example.org>\r\n+OK\r\n+OK logged in\r\n+OK 2 320\r\n" + pop3Replies()[1] +
            pop3Replies()[2] + "+OK\r\nSubject: x\r\n\r\n.\r\n" + pop3Replies()[3] + "+OK bye\r\n",
        "+OK hello\r\n+OK\r\n+OK\r\n+OK 1 5\r\n+OK\r\n1 5\r\n.\r\n-ERR no UIDL here\r\n+OK\r\nA: b\r\n.\r\n"
        "+OK\r\nA: b\r\n\r\nxy\r\n.\r\n+OK\r\n",
        "+OK\n+OK\n+OK\n+OK 0 0\n+OK\n.\n+OK\n.\n-ERR no such message\n-ERR no such message\n+OK\n",
    };
    pop3.tokens = kPop3Tokens;
    pop3.memoryFixed = 16 << 20;   // socket buffers and the listing bound
    pop3.memoryPerByte = 32;
    pop3.checkLeaks = false;       // the server thread's buffers come and go with the sessions
    pop3.timeLimitMs = 20000;      // a session of loopback round trips; each wait is bounded by 3 s
    pop3.setUp = [] {
        // The client's diagnostic per failed step would bury the run's own report.
        std::freopen("/dev/null", "w", stderr);
        g_server.start();
    };
    pop3.tearDown = [] { g_server.stop(); };
    pop3.run = [](const std::string& input) {
        g_server.setScript(&input);
        {
            Connection c;
            c.setTimeout(3000);
            Pop3Options options;
            options.timeoutMs = 3000;
            Pop3Text greeting = pop3_connect(c, "127.0.0.1", g_server.port(), options);
            checkReplyBound(greeting, kPop3ReplyBytes, "the greeting");
            checkReplyBound(pop3_user(c, "orv"), kPop3ReplyBytes, "USER");
            checkReplyBound(pop3_pass(c, "secret"), kPop3ReplyBytes, "PASS");
            Pop3Text stat = pop3_stat(c);
            checkReplyBound(stat, kPop3ReplyBytes, "STAT");
            int count = pop3_stat_count(stat);
            int bound = count < 0 ? 0 : (count < kPop3MaxListed ? count : kPop3MaxListed);
            Pop3Text list = pop3_list(c, 0);
            if (list)
                parseAll(*list, bound);
            Pop3Text uidl = pop3_uidl(c, 0);
            if (uidl)
                parseAll(*uidl, bound);
            Pop3Text top = pop3_top(c, 1, 0);
            if (top)
                parseAll(*top, bound);
            Pop3Text retr = pop3_retr(c, 1);
            if (retr)
                parseAll(*retr, bound);
            if (c.isOpen())
                pop3_quit(c);
        }
        g_server.awaitSessionEnd();
    };

    FuzzTarget smtp;
    smtp.name = "smtp-wire";
    smtp.seeds = {
        "220 mx.example.org ESMTP ready\r\n250-mx.example.org greets you\r\n250-SIZE 10240000\r\n"
        "250-AUTH LOGIN PLAIN\r\n250 8BITMIME\r\n334 VXNlcm5hbWU6\r\n334 UGFzc3dvcmQ6\r\n235 2.7.0 ok\r\n"
        "250 2.1.0 ok\r\n250 2.1.5 ok\r\n354 go ahead\r\n250 2.0.0 queued as 4F2\r\n221 2.0.0 bye\r\n",
        "220-mx.example.org first line\r\n220-second line\r\n220 ready\r\n250 mx.example.org\r\n250 ok\r\n"
        "250 ok\r\n354 End data with <CR><LF>.<CR><LF>\r\n250 ok\r\n221 bye\r\n",
        "220 old server\r\n500 5.5.1 command unrecognized\r\n250 old.example.org\r\n250 ok\r\n"
        "550 5.1.1 <to@example.org>: Recipient address rejected: [unknown]\r\n554 no valid recipients\r\n"
        "221 bye\r\n",
        "220 ready\n250 ok\n250 ok\n452 4.3.1 insufficient system storage\n354 go\n421 closing\n",
    };
    smtp.tokens = {"\r\n", "250-", "250 ", "334 ", "354 ", "-", "\n", "\r", "AUTH LOGIN", "220-"};
    smtp.memoryFixed = 16 << 20;
    smtp.memoryPerByte = 32;
    smtp.checkLeaks = false;
    smtp.timeLimitMs = 20000;
    smtp.setUp = [] { g_server.start(); };
    smtp.tearDown = [] { g_server.stop(); };
    smtp.run = [](const std::string& input) {
        g_server.setScript(&input);
        SmtpClient client("to@example.org", "Orvane <from@example.org>", "alarm", "the body\r\n.a dot\r\n",
                          "127.0.0.1", g_server.port(), false);
        // a script that offers AUTH gets a client that logs in
        if (input.find("AUTH") != std::string::npos) {
            client.setUserName("orv");
            client.setPassword("secret");
        }
        client.setTimeout(3000);
        client.sendMail();
        g_server.awaitSessionEnd();
        // the reply kept is bounded (8 KB of text and the line ends)
        if (client.lastResponse().size() > 16 * 1024)
            throw FuzzFailure("a reply of " + std::to_string(client.lastResponse().size()) + " bytes kept");
    };
    return {pop3, smtp};
}
