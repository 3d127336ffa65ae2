#include "Pop3Session.h"

#include <windows.h>

Pop3Session::Pop3Session(const Pop3Options& options)
    : session_(nullptr), options_(options), connectTime_(0), headerTime_(0), bodyTime_(0)
{
}

Pop3Session::~Pop3Session()
{
    close();
}

void Pop3Session::close()
{
    if (!session_)
        return;
    // A failed reset has already closed and freed the session (and cleared the pointer).
    pop3_session_reset(session_);
    pop3_session_close(session_);
}

bool Pop3Session::openMailbox(const std::string& host, const std::string& user,
                              const std::string& password)
{
    close();
    DWORD start = GetTickCount();
    Pop3Text error = pop3_session_open(host.c_str(), user.c_str(), password.c_str(), session_, options_);
    connectTime_ = static_cast<int>(GetTickCount() - start);
    if (error) {
        lastError_ = *error;
        return false;
    }
    return true;
}

std::string Pop3Session::getLastMessageHeader()
{
    if (!session_ || session_->count == 0)
        return std::string();
    DWORD start = GetTickCount();
    Pop3Text text = pop3_session_head(session_, session_->count);
    headerTime_ = static_cast<int>(GetTickCount() - start);
    return text ? *text : std::string();
}

std::string Pop3Session::getLastMessageBody()
{
    if (!session_ || session_->count == 0)
        return std::string();
    DWORD start = GetTickCount();
    Pop3Text text = pop3_session_message(session_, session_->count);
    bodyTime_ = static_cast<int>(GetTickCount() - start);
    return text ? *text : std::string();
}
