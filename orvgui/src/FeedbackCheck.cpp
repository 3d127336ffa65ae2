#include "FeedbackCheck.h"

namespace FeedbackCheck {

const char kNoAddress[] = "Please enter an email address";
const char kNoSubject[] = "Please enter a subject";
const char kNoBody[] = "Please enter a body";
const char kBadAddress[] = "Please enter a valid email address! ";

bool isAcceptableAddress(const std::string& address)
{
    const std::string::size_type at = address.find('@');
    const std::string::size_type dot = address.find('.');
    return at != std::string::npos && at >= 1 && dot != std::string::npos && dot >= 3;
}

const char* firstFailure(const std::string& address, const std::string& subject, const std::string& body)
{
    if (address.empty())
        return kNoAddress;
    if (subject.empty())
        return kNoSubject;
    if (body.empty())
        return kNoBody;
    if (!isAcceptableAddress(address))
        return kBadAddress;
    return nullptr;
}

}  // namespace FeedbackCheck
