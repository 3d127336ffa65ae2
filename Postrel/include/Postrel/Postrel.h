// Mail delivery straight to the recipient domain's mail exchangers.
//
// Each call builds one message, finds the exchangers of the recipient's domain with the library's
// own DNS resolution, and offers the message to each exchanger in turn (then to the bare domain)
// over SMTP on port 25 until one accepts it. Calls may run on several threads at once.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

// One resource embedded in an HTML mail, referred to from the HTML as "cid:" + name.
struct MimeRelatedResources {
    const unsigned char* data;   // owned by the caller, read during the call only
    std::string name;            // the part's Content-ID
    int32_t size;                // byte count of data
};

// Results: 0 when an exchanger accepted the mail, E_FAIL when none did. A permanent (5xx)
// refusal of the recipient ends the delivery: no further exchanger is tried.
long SendMail(const std::string& from, std::string to, const std::string& subject, const std::string& body,
              const std::vector<std::string>& attachments);
long SendHtmlMail(const std::string& from, std::string to, const std::string& subject, const std::string& text,
                  const std::string& html, const std::vector<MimeRelatedResources>& related,
                  const std::vector<std::string>& attachments);

// Why the last SendMail or SendHtmlMail of the calling thread failed: the last SMTP reply an
// exchanger gave (its lines joined), or "no exchanger reachable" when none answered; empty after
// a success.
std::string GetLastMailError();

// Starts Winsock (2.2) for the process; 0 when it started. The mail calls do not need it: they
// start Winsock themselves.
long InitializePostrel();
// Ends one start of Winsock; 0.
long CleanupPostrel();
