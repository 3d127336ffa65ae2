// Delivers one composed message to one SMTP server: greeting, HELO, MAIL, RCPT, DATA, QUIT.
// No extensions, authentication or encryption. Every reply is read to its final line and
// checked against the code expected; every wait is bounded (CMailTimeouts).
#pragma once
#include "CString.h"
#include <memory>
#include <string>

class CMailConnection;
class CMailMessage;

class CSMTP {
public:
    // Reply rows: the code expected and the text used when another code comes.
    enum Row { Ok250 = 0, Ready220 = 1, Data354 = 2, Bye221 = 3 };
    // A reply longer than this is not a reply.
    static const size_t kMaxReply = 65536;

    // connection: NULL for a TCP connection (owned either way).
    CSMTP(const CString& host, UINT port = 25, CMailConnection* connection = NULL);
    virtual ~CSMTP();
    CSMTP(const CSMTP&) = delete;
    CSMTP& operator=(const CSMTP&) = delete;

    // Connects, reads the greeting and says HELO; TRUE when the server accepted HELO.
    BOOL Open();
    // Sends the message (composing it first unless alreadyComposed); TRUE when the server
    // accepted it.
    BOOL Deliver(CMailMessage& message, bool alreadyComposed);
    // QUIT; TRUE when the server confirmed it or there was no connection.
    BOOL Close();

    const CString& GetLastError() const { return m_error; }
    const CString& GetServerHostName() const { return m_host; }
    // Every recipient was refused with a permanent (5xx) reply: no other exchanger of the domain
    // will take the mail either, so delivery to it ends here.
    bool RecipientsRefusedPermanently() const { return m_refusedPermanently; }
    // The last reply's code and text (all its lines).
    int LastReplyCode() const { return m_replyCode; }
    const std::string& LastReply() const { return m_reply; }

    // The message text as it must go on the wire: a dot is doubled at the start of every line
    // and bare LF line ends become CR LF.
    static std::string DotStuff(const std::string& text);

protected:
    virtual BOOL ComposeHook(CMailMessage& message);
    virtual BOOL Transmit(CMailMessage& message);

private:
    BOOL ReadReply(Row row, DWORD timeoutMs);
    BOOL SendText(const std::string& text);
    // Closes the connection without a word (after a failure of the connection itself).
    void Drop();

    CString m_error;
    bool m_connected = false;
    bool m_broken = false;   // the connection failed: no QUIT is worth waiting for
    UINT m_port;
    CString m_host;
    std::unique_ptr<CMailConnection> m_connection;
    bool m_connectionOpen = false;
    std::string m_pending;   // received bytes not yet read as reply lines
    int m_replyCode = 0;
    bool m_refusedPermanently = false;
    std::string m_reply;
    DWORD m_replyMs;
    DWORD m_dataReplyMs;
};
