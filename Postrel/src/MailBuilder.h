// The two message shapes the exports send, built into a message the caller provides.
#pragma once
#include "Postrel/Postrel.h"
#include <string>
#include <vector>

class CMIMEMessage;

// text/plain alone, or multipart/mixed with the text first and each file after it (named in
// its Content-Type too). Composed later, when the first exchanger takes it.
void BuildTextMail(CMIMEMessage& message, const std::string& from, const std::string& to,
                   const std::string& subject, const std::string& body, const std::vector<std::string>& attachments);

// multipart/mixed: [multipart/related: [multipart/alternative: text/plain, text/html], each
// resource by Content-ID], then each file. Not yet composed.
void BuildHtmlMail(CMIMEMessage& message, const std::string& from, const std::string& to,
                   const std::string& subject, const std::string& text, const std::string& html,
                   const std::vector<MimeRelatedResources>& related, const std::vector<std::string>& attachments);
