// One timed mailbox session of the POP3 check: the connect (with login and listing) and the
// fetches of the newest message, each timed with GetTickCount around its one client call.
// Destroying it ends the session on the server (RSET, then QUIT), so the check lets it go before
// the worker sleeps: the mailbox stays locked (RFC 1939) only while the check runs.
#pragma once

#include <string>

#include "Pop3Client.h"

class Pop3Session {
public:
    explicit Pop3Session(const Pop3Options& options = Pop3Options());
    ~Pop3Session();
    Pop3Session(const Pop3Session&) = delete;
    Pop3Session& operator=(const Pop3Session&) = delete;

    // Logs in; false with the client's reason as the last error text.
    bool openMailbox(const std::string& host, const std::string& user, const std::string& password);
    int getConnectTime() const { return connectTime_; }
    int getHeaderTime() const { return headerTime_; }
    int getBodyTime() const { return bodyTime_; }
    std::string getLastError() const { return lastError_; }
    // Header (TOP) and whole text (RETR) of the message numbered as the message count; empty when
    // the mailbox is empty or the server gave nothing.
    std::string getLastMessageHeader();
    std::string getLastMessageBody();
    // Ends the session now (RSET, QUIT); the destructor does it otherwise.
    void close();

private:
    pop3_session* session_;
    Pop3Options options_;
    int connectTime_;
    int headerTime_;
    int bodyTime_;
    std::string lastError_;
};
