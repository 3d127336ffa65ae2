// One FTP session through WinINet for the FTP check: open, log in, fetch one file, send one file,
// each step timed.
//
// Every blocking call is watched: when it runs past its time-out, or the cancel test says the
// worker is being stopped, the session is closed under it, which makes WinINet give the call up
// at once (WinINet's own FTP time-outs are not reliable on every implementation). After that the
// provider is spent: later calls fail and close() has nothing left to close.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>
#include <string>

class CallWatch;

class FtpProvider {
public:
    FtpProvider();
    ~FtpProvider();
    FtpProvider(const FtpProvider&) = delete;
    FtpProvider& operator=(const FtpProvider&) = delete;

    // Closes whatever is open and clears the times.
    void reset();
    // Bounds of the log-in and of each transfer, in milliseconds.
    void setLimits(DWORD loginMs, DWORD transferMs);
    // One bound for every later call together, counted from now (0 takes it away): a server that
    // answers each step just in time cannot stretch the session past it.
    void setDeadline(DWORD ms);
    // Asked while a call runs; true gives the call up (a stop of the worker).
    void setCancel(const std::function<bool()>& cancel) { cancel_ = cancel; }

    // Opens the WinINet session, through the worker manager's proxy when it says to use one.
    bool open(const std::string& agent);
    // Logs in; active mode unless passive.
    bool connect(const std::string& server, int port, const std::string& user, const std::string& password,
                 bool passive = false);
    // Fetches remote into local (an existing local file is replaced).
    bool download(const std::string& local, const std::string& remote);
    // Sends local under the name remote.
    bool upload(const std::string& local, const std::string& remote);

    // The server's last reply text, or, when it said nothing, what went wrong.
    std::string lastResponse() const { return lastResponse_; }
    // The WinINet error code of the last failed call (0 after a success).
    DWORD lastError() const { return lastError_; }
    // The last call was given up because the cancel test said so.
    bool cancelled() const { return cancelled_; }

    void closeConnection();
    void close();

    int32_t connectTime() const { return connectTime_; }
    int32_t downloadTime() const { return downloadTime_; }
    int32_t uploadTime() const { return uploadTime_; }

private:

    // Runs one file transfer call on the open connection under the transfer limit, timing it into
    // timeMs (left alone when there is no connection).
    bool transfer(const std::function<BOOL(HINTERNET)>& call, int32_t& timeMs);
    // Notes the outcome of a call: its error, and the server's reply or a text of its own.
    void noteOutcome(bool ok, DWORD error, const CallWatch& watch);
    // Closes both handles (the watch calls it from its own thread while the call is blocked).
    void abort();
    // The bound of a call that may take stepMs, cut to what the deadline leaves (0: none left).
    DWORD limitOf(DWORD stepMs) const;
    // Notes a call not made because the deadline had passed; false.
    bool outOfTime();
    std::string timedOutText(DWORD limitMs) const;

    HINTERNET session_;
    HINTERNET connection_;
    DWORD_PTR context_;
    int32_t connectTime_;
    int32_t uploadTime_;
    int32_t downloadTime_;

    DWORD loginLimitMs_;
    DWORD transferLimitMs_;
    bool hasDeadline_;
    DWORD deadlineStart_;
    DWORD deadlineMs_;
    std::function<bool()> cancel_;
    std::string lastResponse_;
    DWORD lastError_;
    bool cancelled_;
};
