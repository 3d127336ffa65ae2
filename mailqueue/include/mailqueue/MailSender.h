// The alarm-mail queue of both programs: notifiers queue alarm mails from their worker threads and
// return at once; one background thread hands the mails, one at a time and in queue order, to the
// mail library. Delivery looks up mail exchangers and talks SMTP, which must never hold up a check.
//
// The thread sleeps idleSeconds whenever the queue is empty, so a mail queued meanwhile waits up
// to that long. A failed delivery is not retried.
//
// The queue holds at most one waiting job per (key, recipient): a newer alarm of the same item to
// the same recipient replaces the waiting one (logged), so the queue cannot grow without bound
// while delivery is slower than the checks.
//
// Suppressed keys: the GUI suppresses an item's key (its address) when the item's alarm notifier is
// released; waiting and later jobs with that key are dropped unsent until the key is allowed again
// (an item with that address is added again).
//
// At the end of a program drain() sends what is still queued, within a time bound, and logs what
// could not be sent. From the drain on the queue is closed: a job queued later (a worker that
// outlived the stop) is refused with a logged line, never left unsent and unseen. A queue whose
// thread could not be started is closed the same way, its waiting jobs logged as not sent.
#pragma once

#include <windows.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "Postrel/Postrel.h"
#include "mailqueue/MailJob.h"
#include "orv/log4cxx.h"
#include "workers/Thread.h"

class MailSender : public Thread {
public:
    // The mail library's two calls; a queue made for a test may be given others.
    typedef long (*SendMailFunction)(const std::string& from, std::string to,
                                     const std::string& subject, const std::string& body,
                                     const std::vector<std::string>& attachments);
    typedef long (*SendHtmlMailFunction)(const std::string& from, std::string to,
                                         const std::string& subject, const std::string& text,
                                         const std::string& html,
                                         const std::vector<MimeRelatedResources>& related,
                                         const std::vector<std::string>& attachments);

    static constexpr int kIdleSeconds = 10;

    // The process-wide queue, made and started on the first call (several threads may make the
    // first call at once). It is never destroyed: at process end its thread may still be inside
    // a delivery.
    static MailSender* instance();
    // The process-wide queue when instance() has made it, else null.
    static MailSender* existingInstance();

    // A queue of one's own (not started): start() or startSending() begins sending.
    explicit MailSender(SendMailFunction sendMail = &SendMail,
                        SendHtmlMailFunction sendHtmlMail = &SendHtmlMail,
                        int idleSeconds = kIdleSeconds);
    // Asks the thread to send what is left and waits until it has ended.
    ~MailSender() override;

    // Starts the thread. When the system refuses, logs it, logs every waiting job as not sent,
    // and closes the queue (later jobs are refused and logged); false then.
    bool startSending();

    // Adds a job at the back of the queue, or in place of the waiting job with the same key and
    // recipient; returns at once. A job with a suppressed key is dropped; on a closed queue (after
    // drain, or when the thread could not be started) the job is refused and logged.
    void enqueue(const std::string& from, const std::string& to, const std::string& subject,
                 const std::string& body, const std::vector<std::string>& attachments, bool plain,
                 const std::string& key);

    // Drops the waiting jobs with the key, and every later one, until allow(key).
    void suppress(const std::string& key);
    // Takes the key out of the suppressed set; a key never suppressed is ignored.
    void allow(const std::string& key);
    bool isSuppressed(const std::string& key);

    // Copies of the jobs not yet taken by the thread, front first.
    std::vector<MailJob> pendingJobs();

    // Asks the thread to send what is queued and end, and waits at most timeoutMs for it. True
    // when everything was handed to the mail library; otherwise each job left (and the one being
    // delivered) is logged and false is returned. A queue never started sends nothing: its jobs
    // are logged.
    bool drain(DWORD timeoutMs);

    // The thread has ended after emptying the queue.
    bool finished();

protected:
    void run() override;
    // Thread::start; a test may make it fail.
    virtual bool startThread();

private:
    void deliver(const MailJob& job);
    void logUnsent(const std::vector<MailJob>& jobs, const char* state);

    SendMailFunction sendMail_;
    SendHtmlMailFunction sendHtmlMail_;
    int idleSeconds_;
    CRITICAL_SECTION lock_;          // queue_, sending_, current_, finished_, closed_
    std::deque<MailJob> queue_;
    bool sending_;                   // the thread holds current_ and is inside the mail library
    MailJob current_;
    bool finished_;
    const char* closed_;             // why jobs are refused (null while the queue is open)
    CRITICAL_SECTION suppressedLock_;   // suppressed_; never held together with lock_
    std::set<std::string> suppressed_;
    log4cxx::LoggerPtr logger_;
};
