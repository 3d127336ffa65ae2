// What the SMTP sink fixture (testing/fixtures/smtp_sink.py) stored: one N.json envelope and one
// N.eml message per mail, numbered from 1 in the order they arrived.
#pragma once

#include <string>
#include <vector>

namespace orvtest {

struct SinkMail {
    std::string sender;
    std::string recipient;   // the first of the envelope's recipients
    std::string subject;
    int failures = -1;       // from an alarm's "has had N consecutive failures"
};

// The mails in sinkFolder (a Windows path), in arrival order.
std::vector<SinkMail> sinkMails(const std::string& sinkFolder);

}  // namespace orvtest
