// The feedback form's checks, in the order the form runs them; the first failing one is shown.
#pragma once

#include <string>

namespace FeedbackCheck {

extern const char kNoAddress[];       // "Please enter an email address"
extern const char kNoSubject[];       // "Please enter a subject"
extern const char kNoBody[];          // "Please enter a body"
extern const char kBadAddress[];      // "Please enter a valid email address! "

// The message of the first check the form fails, or null when it may be sent.
const char* firstFailure(const std::string& address, const std::string& subject, const std::string& body);

// An address passes when its first "@" is not its first character and its first "." is at
// least its fourth character.
bool isAcceptableAddress(const std::string& address);

}  // namespace FeedbackCheck
