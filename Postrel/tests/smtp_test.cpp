// The SMTP conversation with one server over a scripted connection: what the client sends,
// how it reads replies (multi-line, split, bundled) and how each refusal ends it.
#include "orv/gtest.h"
#include "MailConnection.h"
#include "MailMessage.h"
#include "SMTP.h"
#include <deque>
#include <memory>

namespace {

// What the scripted server says and what it was told.
struct Script {
    bool connects = true;
    std::deque<std::string> chunks;   // handed out one receive at a time
    bool closesWhenDone = false;      // after the last chunk: closed (else silent)
    std::string received;
    int silentWaits = 0;
};

class ScriptedConnection : public CMailConnection {
public:
    explicit ScriptedConnection(std::shared_ptr<Script> script) : m_script(script) {}
    BOOL Connect(const std::string&, UINT port) override { return m_script->connects && port == 25; }
    BOOL Send(const std::string& data, DWORD) override
    {
        m_script->received += data;
        return TRUE;
    }
    int Receive(char* buffer, int size, DWORD) override
    {
        if (m_script->chunks.empty()) {
            if (m_script->closesWhenDone) return 0;
            ++m_script->silentWaits;
            return -1;   // the time-out
        }
        std::string& chunk = m_script->chunks.front();
        int n = int(chunk.size()) < size ? int(chunk.size()) : size;
        memcpy(buffer, chunk.data(), size_t(n));
        chunk.erase(0, size_t(n));
        if (chunk.empty()) m_script->chunks.pop_front();
        return n;
    }
    void Close() override {}

private:
    std::shared_ptr<Script> m_script;
};

// A message already composed: no header, this body.
class ComposedMessage : public CMailMessage {
public:
    explicit ComposedMessage(const std::string& body)
    {
        SetSender("alarms@orvane.test");
        AppendRecipient("ops@example.test", "");
        AppendRecipient("oncall@example.test", "");
        Body().Assign(body);
    }
};

std::string afterHelo(const std::string& sent)
{
    size_t eol = sent.find("\r\n");
    return sent.compare(0, 5, "HELO ") == 0 && eol != std::string::npos ? sent.substr(eol + 2) : "no HELO: " + sent;
}

struct Outcome {
    bool opened = false;
    bool delivered = false;
    bool closed = false;
    std::string error;
    std::string sent;
};

Outcome converse(std::shared_ptr<Script> script, const std::string& body = "Body\r\n")
{
    Outcome o;
    CSMTP smtp("mx.example.test", 25, new ScriptedConnection(script));
    o.opened = smtp.Open() != FALSE;
    ComposedMessage message(body);
    if (o.opened) o.delivered = smtp.Deliver(message, true) != FALSE;
    o.error = smtp.GetLastError().str();
    o.closed = smtp.Close() != FALSE;
    o.sent = script->received;
    return o;
}

std::shared_ptr<Script> script(std::initializer_list<std::string> chunks)
{
    auto s = std::make_shared<Script>();
    s->chunks.assign(chunks.begin(), chunks.end());
    return s;
}

const std::string kEnvelope = "MAIL From: <alarms@orvane.test>\r\nRCPT TO: <ops@example.test>\r\n"
                              "RCPT TO: <oncall@example.test>\r\nDATA\r\n";

}  // namespace

TEST(SmtpConversation, DeliversWithDotStuffedText)
{
    auto s = script({"220 mx ready\r\n", "250 hello\r\n", "250 sender ok\r\n", "250 rcpt ok\r\n", "250 rcpt ok\r\n",
                     "354 go ahead\r\n", "250 queued\r\n", "221 bye\r\n"});
    Outcome o = converse(s, "Report\r\n.\r\n.x{color:red}\nend");
    EXPECT_TRUE(o.opened);
    EXPECT_TRUE(o.delivered) << o.error;
    EXPECT_TRUE(o.closed);
    EXPECT_EQ(kEnvelope + "Report\r\n..\r\n..x{color:red}\r\nend\r\n.\r\nQUIT\r\n", afterHelo(o.sent));
    EXPECT_EQ(0, s->silentWaits);
}

TEST(SmtpConversation, RepliesAreReadToTheirFinalLineHoweverTheyArrive)
{
    struct ArrivalCase {
        const char* what;
        std::shared_ptr<Script> script;
    };
    const ArrivalCase cases[] = {
        {"multi-line greeting and HELO reply",
         script({"220-mx.example.test ESMTP\r\n220-no spam\r\n220 ready\r\n", "250-mx.example.test\r\n250-SIZE 1000\r\n250 HELP\r\n",
                 "250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n", "250 queued\r\n", "221 bye\r\n"})},
        {"replies split across receives",
         script({"2", "20 rea", "dy\r", "\n", "25", "0 hello\r\n", "250 ok\r", "\n", "250 ok\r\n250", " ok\r\n", "354 go\r\n",
                 "250-queued\r\n", "250 as 12\r\n", "221 bye\r\n"})},
        {"every reply in one receive", script({"220 ready\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n"
                                               "250 queued\r\n221 bye\r\n"})},
        {"final reply bundled with further text", script({"220 ready\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n",
                                                          "250 ok\r\n", "354 go\r\n", "250 queued\r\n221 bye\r\n"})},
    };
    for (const ArrivalCase& c : cases) {
        Outcome o = converse(c.script);
        EXPECT_TRUE(o.opened) << c.what;
        EXPECT_TRUE(o.delivered) << c.what << ": " << o.error;
        EXPECT_TRUE(o.closed) << c.what;
        EXPECT_EQ(kEnvelope + "Body\r\n.\r\nQUIT\r\n", afterHelo(o.sent)) << c.what;
    }
}

TEST(SmtpConversation, EachRefusalEndsTheDeliveryWithItsText)
{
    struct RefusalCase {
        const char* what;
        std::shared_ptr<Script> script;
        bool opened, delivered, closed;
        const char* error;
        std::string sentAfterHelo;   // "-" when HELO was never sent
    };
    const RefusalCase cases[] = {
        {"greeting 421", script({"421 busy\r\n", "221 bye\r\n"}), false, false, true, "Server didn't respond.", "-"},
        {"multi-line greeting 554", script({"554-go away\r\n554 now\r\n"}), false, false, true, "Server didn't respond.", "-"},
        {"greeting not a reply", script({"hello there\r\n"}), false, false, true, "Server didn't respond.", "-"},
        {"HELO 501", script({"220 ready\r\n", "501 bad name\r\n"}), false, false, true, "501:SMTP server error", ""},
        {"MAIL 451", script({"220 ready\r\n", "250 hi\r\n", "451 later\r\n", "221 bye\r\n"}), true, false, true,
         "451:SMTP server error", "MAIL From: <alarms@orvane.test>\r\nQUIT\r\n"},
        {"DATA 554", script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "554 no\r\n", "221 bye\r\n"}),
         true, false, true, "554:SMTP server not ready for data", kEnvelope + "QUIT\r\n"},
        {"end of data 452",
         script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n", "452 full\r\n",
                 "221 bye\r\n"}),
         true, false, true, "452:SMTP server error", kEnvelope + "Body\r\n.\r\nQUIT\r\n"},
        // one refused recipient does not end the transaction: the answer to the text decides
        {"RCPT 550 for one recipient",
         script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "550 no such user\r\n", "250 ok\r\n", "354 go\r\n",
                 "250 queued\r\n", "221 bye\r\n"}),
         true, true, true, "550:SMTP server error", kEnvelope + "Body\r\n.\r\nQUIT\r\n"},
        {"QUIT 500", script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n",
                             "250 queued\r\n", "500 what\r\n"}),
         true, true, false, "OK", kEnvelope + "Body\r\n.\r\nQUIT\r\n"},
    };
    for (const RefusalCase& c : cases) {
        Outcome o = converse(c.script);
        EXPECT_EQ(c.opened, o.opened) << c.what;
        EXPECT_EQ(c.delivered, o.delivered) << c.what;
        EXPECT_EQ(c.closed, o.closed) << c.what;
        EXPECT_EQ(c.error, o.error) << c.what;
        if (c.sentAfterHelo == "-")
            EXPECT_EQ("", o.sent) << c.what;
        else
            EXPECT_EQ(c.sentAfterHelo, afterHelo(o.sent)) << c.what;
    }
}

TEST(SmtpConversation, ASilentOrVanishingServerIsGivenUpWithoutWaitingTwice)
{
    struct SilenceCase {
        const char* what;
        std::shared_ptr<Script> script;
        bool closes;
        bool opened;
        const char* error;
        std::string sentAfterHelo;
    };
    const SilenceCase cases[] = {
        {"silent greeting", script({}), false, false, "Server didn't respond.", "-"},
        {"silent after HELO", script({"220 ready\r\n"}), false, false, "Socket Error", ""},
        {"silent after MAIL", script({"220 ready\r\n", "250 hi\r\n"}), false, true, "Socket Error",
         "MAIL From: <alarms@orvane.test>\r\n"},
        {"closed after DATA", script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n"}), true, true,
         "Socket Error", kEnvelope},
        {"reply without end", script({"220 ready\r\n", "250 hi\r\n", "250 never ending"}), false, true, "Socket Error",
         "MAIL From: <alarms@orvane.test>\r\n"},
    };
    for (const SilenceCase& c : cases) {
        c.script->closesWhenDone = c.closes;
        Outcome o = converse(c.script);
        EXPECT_EQ(c.opened, o.opened) << c.what;
        EXPECT_FALSE(o.delivered) << c.what;
        EXPECT_EQ(c.error, o.error) << c.what;
        // no QUIT is sent to a connection that already failed, so no second wait
        if (c.sentAfterHelo == "-")
            EXPECT_EQ("", o.sent) << c.what;
        else
            EXPECT_EQ(c.sentAfterHelo, afterHelo(o.sent)) << c.what;
        EXPECT_LE(c.script->silentWaits, 1) << c.what;
    }
}

TEST(SmtpConversation, AnEndlessReplyIsCutOff)
{
    auto s = std::make_shared<Script>();
    for (int i = 0; i < 2000; ++i) s->chunks.push_back("220-" + std::string(60, 'x') + "\r\n");
    Outcome o = converse(s);
    EXPECT_FALSE(o.opened);
    EXPECT_EQ("Server didn't respond.", o.error);
    EXPECT_GT(s->chunks.size(), 800u) << "reading must stop near 64 KiB";
}

TEST(SmtpConversation, NothingIsSentWithoutAConnection)
{
    auto s = script({});
    s->connects = false;
    Outcome o = converse(s);
    EXPECT_FALSE(o.opened);
    EXPECT_EQ("Unable to connect to server", o.error);
    EXPECT_TRUE(o.closed);

    CSMTP smtp("mx.example.test", 25, new ScriptedConnection(script({})));
    ComposedMessage message("x");
    EXPECT_FALSE(smtp.Deliver(message, true));
    EXPECT_EQ(CString("Must be connected"), smtp.GetLastError());
}

TEST(SmtpConversation, LineBreaksInAddressesCannotAddCommands)
{
    auto s = script({"220 ready\r\n", "250 hi\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n", "250 queued\r\n", "221 bye\r\n"});
    CSMTP smtp("mx.example.test", 25, new ScriptedConnection(s));
    ASSERT_TRUE(smtp.Open());
    CMailMessage message;
    message.SetSender("a@x.test>\r\nRCPT TO:<victim@y.test");
    message.AppendRecipient("b@y.test", "");
    EXPECT_TRUE(smtp.Deliver(message, true)) << smtp.GetLastError().str();
    EXPECT_EQ("MAIL From: <a@x.test>RCPT TO:<victim@y.test>\r\nRCPT TO: <b@y.test>\r\nDATA\r\n", afterHelo(s->received).substr(0, 73));
}
