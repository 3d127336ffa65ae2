// Sends one mail over SMTP, optionally with AUTH LOGIN, either to a named server or to the mail
// exchangers of the first recipient's domain, found by an MX query to the server (then a name
// server) over UDP. The outcome is a text that begins with an SMTP reply code: the server's last
// reply, or one of our own "451", "550" or "554" texts.
//
// The time-out (setTimeout) is one limit for the whole delivery: the lookups, every connect, send
// and reply, on every mail host tried, so a server that answers each step just in time cannot
// stretch it. A cancel check (setCancel) cuts any wait short. Each mail host gets a connection of
// its own.
//
//     SmtpClient client(to, from, subject, body, "127.0.0.3", 25, true);
//     client.setUserName("orv"); client.setPassword("secret");
//     client.sendMail();
//     bool sent = client.lastResponse().compare(0, 3, "250") == 0;
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Connection;

class SmtpClient {
public:
    enum RecipientKind { To = 0, Cc = 1, Bcc = 2 };
    static const int kMaxRecipients = 100;

    // message: the body's bytes. With lookupMx the server is the name server asked for the
    // exchangers, and port is used for every exchanger.
    SmtpClient(const std::string& to, const std::string& from, const std::string& subject,
               const std::string& message, const std::string& server, int port, bool lookupMx);

    // False (nothing changed) for an empty body. A body over 1000 bytes has its long lines broken.
    bool setMessage(const std::string& message);
    // False for an empty text; otherwise the display name and address are taken from it.
    bool setSender(const std::string& text);
    // False when full or for an empty text; a kind outside 0..2 counts as Bcc.
    bool addRecipient(const std::string& text, int kind);
    // A non-empty user name turns AUTH LOGIN on.
    void setUserName(const std::string& user);
    void setPassword(const std::string& password);

    void setTimeout(int ms) { timeoutMs_ = ms < 1 ? 1 : ms; }
    void setCancel(std::function<bool()> cancelled) { cancelled_ = cancelled; }

    // The whole delivery; its outcome is lastResponse().
    void sendMail();
    std::string lastResponse() const { return response_; }

    // The message text handed to DATA (dot-stuffed, with the terminating "." line), dated now.
    std::string buildMessage() const;
    std::string buildMessage(const SYSTEMTIME& localTime) const;

    // Text after the first '@' when something follows it; "" otherwise.
    static std::string mailDomain(const std::string& address);
    // "Name <a@b>", "<a@b> Name" or "a@b" into display name and address (see the .cpp).
    static void parseAddress(const std::string& text, std::string& name, std::string& address);
    static std::string base64Encode(const std::string& bytes);
    // Breaks lines longer than 998 characters, at a space where there is one.
    static std::string breakLongLines(const std::string& text);
    // Doubles the '.' that begins a line, so no line of the text can end the DATA early.
    static std::string dotStuff(const std::string& text);
    // "Date: 05 Mar 26 9:4:7\r\n" for 5 March 2026, 09:04:07.
    static std::string dateHeader(const SYSTEMTIME& localTime);

private:
    struct Recipient {
        std::string name;
        std::string address;
        int kind;
    };

    // Exchanger addresses (dotted) for the mail domain; false when none can be had.
    bool lookupMailHosts(std::vector<std::string>& hosts);
    // One attempt on one host: true when the data was accepted with "250".
    bool deliverTo(const std::string& host, const std::string& message);
    bool authenticate(Connection& c, const std::string& ehloReply);
    // Reads one reply to its last line ("ddd " rather than "ddd-"); false when it did not come.
    bool receive(Connection& c, std::string& reply);
    // QUIT, its reply (not examined), and the connection closed.
    void quit(Connection& c);
    static bool hasCode(const std::string& reply, const char* code);
    // What is left of the delivery's time-out, counted from sendMail's start: at least 1 ms.
    int leftMs() const;
    bool deadlinePassed() const;

    std::vector<Recipient> recipients_;
    std::string senderName_;
    std::string senderAddress_;
    std::string subject_;
    std::string message_;
    std::string mailDomain_;
    std::string server_;
    int port_;
    bool lookupMx_;
    bool authenticate_;
    std::string user_;
    std::string password_;
    std::string response_;
    int timeoutMs_;
    DWORD started_;
    bool outOfTime_;                      // a wait of this delivery ran into the time-out
    std::function<bool()> cancelled_;
};
