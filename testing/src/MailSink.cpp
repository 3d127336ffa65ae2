#include "orv/MailSink.h"

#include <windows.h>

#include <regex>

#include "orv/TestEnv.h"

namespace orvtest {

std::vector<SinkMail> sinkMails(const std::string& sinkFolder)
{
    std::vector<SinkMail> mails;
    for (int n = 1;; ++n) {
        const std::string base = sinkFolder + "\\" + std::to_string(n);
        if (GetFileAttributesA((base + ".json").c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        const std::string envelope = readFile(base + ".json");
        const std::string message = readFile(base + ".eml");
        SinkMail mail;
        std::smatch m;
        if (std::regex_search(envelope, m, std::regex("\"mail_from\": \"([^\"]*)\"")))
            mail.sender = m[1];
        if (std::regex_search(envelope, m, std::regex("\"rcpt_tos\": \\[\"([^\"]*)\"")))
            mail.recipient = m[1];
        if (std::regex_search(message, m, std::regex("Subject: ([^\r\n]*)")))
            mail.subject = m[1];
        if (std::regex_search(message, m, std::regex("has had ([0-9]+) consecutive failures")))
            mail.failures = std::stoi(m[1]);
        mails.push_back(mail);
    }
    return mails;
}

}  // namespace orvtest
