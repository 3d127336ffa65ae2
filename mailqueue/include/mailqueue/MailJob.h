// One mail waiting in a MailSender queue.
#pragma once

#include <string>
#include <vector>

struct MailJob {
    std::string from;                      // sender address
    std::string to;                        // one recipient address
    std::string subject;
    std::string body;                      // plain text, or the HTML document when !plain
    std::vector<std::string> attachments;  // paths of files to attach, in order
    bool plain = true;                     // false: HTML mail
    std::string key;                       // address of the item that queued it
};
