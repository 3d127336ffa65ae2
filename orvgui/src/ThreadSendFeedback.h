// Delivers the feedback form's mail on a thread of its own, so the GUI stays responsive while the
// mail library finds the support domain's exchangers. The form hears of the outcome by a posted
// message and only then tells the user; the sent text is never claimed before the mail went.
//
// The threads are kept in one process-wide list: a finished one is freed by reap() (or by
// joinAll), a running one whose form has gone (detach) delivers on its own. At exit joinAll()
// waits for running deliveries within a bound and then leaves the rest to the process's end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "workers/Thread.h"

class ThreadSendFeedback : public Thread {
public:
    typedef long (*SendMailFunction)(const std::string& from, std::string to, const std::string& subject,
                                     const std::string& body, const std::vector<std::string>& attachments);
    typedef std::string (*LastErrorFunction)();

    // Where feedback goes.
    static const char kSupportAddress[];
    // Posted to the form's window when the delivery ended: wParam 1 sent, 0 failed.
    static constexpr UINT kFinished = WM_APP + 148;

    // Starts a delivery of the user's mail to the support address; the window hears kFinished.
    // Null when the system would not start a thread.
    static ThreadSendFeedback* start(const std::string& address, const std::string& subject,
                                     const std::string& body, HWND notify);
    // The mail calls of every later delivery (null: the mail library's SendMail and its last
    // error); tests put recorders here.
    static void setMailFunctions(SendMailFunction send, LastErrorFunction lastError);

    // Read after kFinished (or once finished() is true).
    bool finished() const;
    bool sent() const { return sent_; }
    const std::string& error() const { return error_; }
    const std::string& from() const { return from_; }
    const std::string& subject() const { return subject_; }

    // The window no longer wants to hear: nothing is posted from now on. The thread itself goes
    // at the next reap() after it ended.
    void detach();

    // Frees the deliveries that ended and whose window has let them go.
    static void reap();
    // Waits up to timeoutMs in all for the running deliveries and frees every finished one; the
    // number still running is returned (they are left to the end of the process).
    static int joinAll(DWORD timeoutMs);
    // Deliveries in the list (running or not yet reaped).
    static int count();

protected:
    void run() override;

private:
    ThreadSendFeedback(const std::string& address, const std::string& subject, const std::string& body, HWND notify);
    ~ThreadSendFeedback() override;

    std::string from_, subject_, body_;
    HWND notify_;   // under the list's lock
    bool detached_;
    volatile LONG done_;
    bool sent_;
    std::string error_;
};
