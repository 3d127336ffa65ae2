#include "FtpProvider.h"

#include <boost/format.hpp>

#include "CallWatch.h"
#include "InternetErrorText.h"
#include "InternetSession.h"

namespace {

const DWORD kDefaultLoginLimitMs = 30000;
const DWORD kDefaultTransferLimitMs = 300000;

}  // namespace

FtpProvider::FtpProvider()
    : session_(NULL),
      connection_(NULL),
      context_(0),
      connectTime_(0),
      uploadTime_(0),
      downloadTime_(0),
      loginLimitMs_(kDefaultLoginLimitMs),
      transferLimitMs_(kDefaultTransferLimitMs),
      hasDeadline_(false),
      deadlineStart_(0),
      deadlineMs_(0),
      lastError_(0),
      cancelled_(false)
{
}

FtpProvider::~FtpProvider()
{
    close();
}

void FtpProvider::reset()
{
    close();
    connectTime_ = uploadTime_ = downloadTime_ = 0;
    lastResponse_.clear();
    lastError_ = 0;
    cancelled_ = false;
}

void FtpProvider::setLimits(DWORD loginMs, DWORD transferMs)
{
    loginLimitMs_ = loginMs;
    transferLimitMs_ = transferMs;
}

void FtpProvider::setDeadline(DWORD ms)
{
    hasDeadline_ = ms > 0;
    deadlineStart_ = GetTickCount();
    deadlineMs_ = ms;
}

DWORD FtpProvider::limitOf(DWORD stepMs) const
{
    if (!hasDeadline_)
        return stepMs;
    DWORD spent = GetTickCount() - deadlineStart_;
    DWORD left = spent >= deadlineMs_ ? 0 : deadlineMs_ - spent;
    return left < stepMs ? left : stepMs;
}

bool FtpProvider::outOfTime()
{
    lastError_ = ERROR_INTERNET_TIMEOUT;
    lastResponse_ = timedOutText(deadlineMs_);
    return false;
}

std::string FtpProvider::timedOutText(DWORD limitMs) const
{
    return (boost::format("no answer from the server within %1% seconds") % ((limitMs + 999) / 1000)).str();
}

bool FtpProvider::open(const std::string& agent)
{
    close();
    session_ = openInternetSession(agent);
    if (!session_) {
        lastError_ = GetLastError();
        lastResponse_ = internetErrorText(lastError_);
        return false;
    }
    // Where WinINet honours them, these end a silent server's wait before the watch has to.
    DWORD limit = loginLimitMs_;
    InternetSetOptionA(session_, INTERNET_OPTION_CONNECT_TIMEOUT, &limit, sizeof limit);
    InternetSetOptionA(session_, INTERNET_OPTION_SEND_TIMEOUT, &limit, sizeof limit);
    InternetSetOptionA(session_, INTERNET_OPTION_RECEIVE_TIMEOUT, &limit, sizeof limit);
    return true;
}

bool FtpProvider::connect(const std::string& server, int port, const std::string& user,
                          const std::string& password, bool passive)
{
    closeConnection();
    HINTERNET session = session_;
    if (!session) {
        lastError_ = ERROR_INVALID_HANDLE;
        lastResponse_ = "no FTP session is open";
        return false;
    }
    const DWORD limit = limitOf(loginLimitMs_);
    if (limit == 0)
        return outOfTime();
    DWORD started = GetTickCount();
    CallWatch watch(limit, cancel_, [this] { abort(); });
    HINTERNET connection = InternetConnectA(session, server.c_str(), static_cast<INTERNET_PORT>(port), user.c_str(),
                                            password.c_str(), INTERNET_SERVICE_FTP, passive ? INTERNET_FLAG_PASSIVE : 0,
                                            context_);
    DWORD error = GetLastError();
    watch.finish();
    connectTime_ = static_cast<int32_t>(GetTickCount() - started);
    // A handle that came back as the watch closed the session belongs to a closed parent: it is
    // not used, and not closed either (its number may already be someone else's).
    bool ok = connection && watch.outcome() == CallWatch::Running;
    if (ok)
        connection_ = connection;
    noteOutcome(ok, error, watch);
    return ok;
}

bool FtpProvider::download(const std::string& local, const std::string& remote)
{
    return transfer(
        [&](HINTERNET connection) {
            return FtpGetFileA(connection, remote.c_str(), local.c_str(), FALSE, 0, FTP_TRANSFER_TYPE_BINARY, context_);
        },
        downloadTime_);
}

bool FtpProvider::upload(const std::string& local, const std::string& remote)
{
    return transfer(
        [&](HINTERNET connection) {
            return FtpPutFileA(connection, local.c_str(), remote.c_str(), FTP_TRANSFER_TYPE_BINARY, context_);
        },
        uploadTime_);
}

bool FtpProvider::transfer(const std::function<BOOL(HINTERNET)>& call, int32_t& timeMs)
{
    HINTERNET connection = connection_;
    if (!connection) {
        lastError_ = ERROR_INVALID_HANDLE;
        lastResponse_ = "not connected";
        return false;
    }
    const DWORD limit = limitOf(transferLimitMs_);
    if (limit == 0)
        return outOfTime();
    DWORD started = GetTickCount();
    CallWatch watch(limit, cancel_, [this] { abort(); });
    BOOL ok = call(connection);
    DWORD error = GetLastError();
    watch.finish();
    timeMs = static_cast<int32_t>(GetTickCount() - started);
    bool done = ok && watch.outcome() == CallWatch::Running;
    noteOutcome(done, error, watch);
    return done;
}

void FtpProvider::noteOutcome(bool ok, DWORD error, const CallWatch& watch)
{
    if (ok) {
        lastError_ = 0;
        lastResponse_ = lastInternetResponse();
        return;
    }
    switch (watch.outcome()) {
    case CallWatch::Cancelled:
        cancelled_ = true;
        lastError_ = ERROR_INTERNET_OPERATION_CANCELLED;
        lastResponse_ = "the check was stopped";
        break;
    case CallWatch::TimedOut:
        lastError_ = ERROR_INTERNET_TIMEOUT;
        // A call cut short by the deadline names the deadline, not the bit of it that was left.
        lastResponse_ = timedOutText(hasDeadline_ ? deadlineMs_ : watch.limitMs());
        break;
    default:
        // GetLastError was read before this: asking for the response text resets it.
        lastError_ = error ? error : ERROR_INTERNET_EXTENDED_ERROR;
        lastResponse_ = lastInternetResponse();
        if (lastResponse_.empty())
            lastResponse_ = internetErrorText(lastError_);
        break;
    }
}

void FtpProvider::abort()
{
    HINTERNET connection = connection_;
    HINTERNET session = session_;
    connection_ = NULL;
    session_ = NULL;
    if (connection)
        InternetCloseHandle(connection);
    if (session)
        InternetCloseHandle(session);
}

void FtpProvider::closeConnection()
{
    if (connection_) {
        InternetCloseHandle(connection_);
        connection_ = NULL;
    }
}

void FtpProvider::close()
{
    closeConnection();
    if (session_) {
        InternetCloseHandle(session_);
        session_ = NULL;
    }
}
