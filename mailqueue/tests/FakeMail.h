// Fakes of the mail library's two calls for driving a MailSender without a network. Each call is
// recorded (with the tick count at which it came) and answers with fakeMail().result.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "mailqueue/MailSender.h"

struct SentMail {
    bool html = false;
    std::string from;
    std::string to;
    std::string subject;
    std::string text;      // SendMail's body, SendHtmlMail's text part
    std::string htmlPart;  // SendHtmlMail only
    size_t related = 0;
    std::vector<std::string> attachments;
    DWORD tick = 0;
};

struct FakeMail {
    CRITICAL_SECTION lock;
    std::vector<SentMail> sent;
    long result = 0;
    // When set, every call waits until this event is set (a delivery that takes long).
    HANDLE gate = nullptr;

    FakeMail();
    ~FakeMail();
    void reset();
    std::vector<SentMail> calls();
    // Waits until at least count calls came; false after timeoutMs.
    bool waitForCalls(size_t count, DWORD timeoutMs);
};

FakeMail& fakeMail();

long fakeSendMail(const std::string& from, std::string to, const std::string& subject,
                  const std::string& body, const std::vector<std::string>& attachments);
long fakeSendHtmlMail(const std::string& from, std::string to, const std::string& subject,
                      const std::string& text, const std::string& html,
                      const std::vector<MimeRelatedResources>& related,
                      const std::vector<std::string>& attachments);
