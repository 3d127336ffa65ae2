#include "mailqueue/MailSender.h"

#include <exception>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "workers/ScopedLock.h"

namespace {

// The one process-wide queue; made once by instance().
INIT_ONCE gOnce = INIT_ONCE_STATIC_INIT;
MailSender* volatile gInstance = nullptr;

BOOL CALLBACK makeInstance(PINIT_ONCE, PVOID, PVOID*)
{
    MailSender* made = new MailSender();
    made->startSending();
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&gInstance), made);
    return TRUE;
}

}  // namespace

MailSender* MailSender::instance()
{
    // Worker threads of several items may raise their first alarm at the same moment: the queue
    // is made exactly once, and the others wait until it is there.
    InitOnceExecuteOnce(&gOnce, &makeInstance, nullptr, nullptr);
    return existingInstance();
}

MailSender* MailSender::existingInstance()
{
    return static_cast<MailSender*>(InterlockedCompareExchangePointer(
        reinterpret_cast<PVOID volatile*>(&gInstance), nullptr, nullptr));
}

MailSender::MailSender(SendMailFunction sendMail, SendHtmlMailFunction sendHtmlMail,
                       int idleSeconds)
    : sendMail_(sendMail),
      sendHtmlMail_(sendHtmlMail),
      idleSeconds_(idleSeconds),
      sending_(false),
      finished_(false),
      closed_(nullptr)
{
    InitializeCriticalSection(&lock_);
    InitializeCriticalSection(&suppressedLock_);
    LogSetup::getLogger(LogSetup::instance(), logger_, "mail.MailSender");
}

MailSender::~MailSender()
{
    // The thread uses the queue and the lock until it ends; only then may they go.
    stop();
    HANDLE thread = duplicateHandle();
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    DeleteCriticalSection(&suppressedLock_);
    DeleteCriticalSection(&lock_);
}

void MailSender::enqueue(const std::string& from, const std::string& to,
                         const std::string& subject, const std::string& body,
                         const std::vector<std::string>& attachments, bool plain,
                         const std::string& key)
{
    MailJob job;
    job.from = from;
    job.to = to;
    job.subject = subject;
    job.body = body;
    job.attachments = attachments;
    job.plain = plain;
    job.key = key;
    if (isSuppressed(key)) {
        LOG4CXX_DEBUG(logger_, (boost::format("Mail to %1% for %2% dropped: the item's mail is "
                                              "suppressed") % to % key).str());
        return;
    }
    std::string replaced;
    const char* refused = nullptr;
    {
        ScopedLock guard(lock_);
        refused = closed_;
        if (!refused) {
            std::deque<MailJob>::iterator waiting = queue_.begin();
            while (waiting != queue_.end() && !(waiting->key == key && waiting->to == to))
                ++waiting;
            if (waiting == queue_.end()) {
                queue_.push_back(job);
                return;
            }
            // The newer alarm says more (its count, its report); the older one has not left yet.
            replaced = waiting->subject;
            *waiting = job;
        }
    }
    if (refused) {
        LOG4CXX_ERROR(logger_, (boost::format("Mail to %1% for %2% with the subject \"%3%\" "
                                              "refused: %4%") %
                                to % key % subject % refused).str());
        return;
    }
    LOG4CXX_INFO(logger_, (boost::format("Mail to %1% for %2% with the subject \"%3%\" replaced by "
                                         "a newer one before it was sent") %
                           to % key % replaced).str());
}

bool MailSender::startThread()
{
    return start();
}

bool MailSender::startSending()
{
    if (startThread())
        return true;
    const DWORD error = GetLastError();
    LOG4CXX_ERROR(logger_, (boost::format("The mail thread could not be started (error %1%): "
                                          "alarm mail is not sent") % error).str());
    std::vector<MailJob> waiting;
    {
        ScopedLock guard(lock_);
        closed_ = "the mail thread could not be started";
        waiting.assign(queue_.begin(), queue_.end());
        queue_.clear();
    }
    logUnsent(waiting, "not sent");
    return false;
}

void MailSender::suppress(const std::string& key)
{
    {
        ScopedLock guard(suppressedLock_);
        suppressed_.insert(key);
    }
    size_t dropped = 0;
    {
        ScopedLock guard(lock_);
        for (std::deque<MailJob>::iterator it = queue_.begin(); it != queue_.end();) {
            if (it->key == key) {
                it = queue_.erase(it);
                ++dropped;
            } else {
                ++it;
            }
        }
    }
    if (dropped)
        LOG4CXX_INFO(logger_, (boost::format("%1% waiting mail(s) for %2% dropped: the item's mail "
                                             "is suppressed") % dropped % key).str());
}

void MailSender::allow(const std::string& key)
{
    ScopedLock guard(suppressedLock_);
    suppressed_.erase(key);
}

bool MailSender::isSuppressed(const std::string& key)
{
    ScopedLock guard(suppressedLock_);
    return suppressed_.count(key) != 0;
}

std::vector<MailJob> MailSender::pendingJobs()
{
    ScopedLock guard(lock_);
    return std::vector<MailJob>(queue_.begin(), queue_.end());
}

bool MailSender::finished()
{
    ScopedLock guard(lock_);
    return finished_;
}

void MailSender::run()
{
    for (;;) {
        MailJob job;
        bool have = false;
        {
            ScopedLock guard(lock_);
            if (!queue_.empty()) {
                job = queue_.front();
                queue_.pop_front();
                current_ = job;
                sending_ = true;
                have = true;
            }
        }
        if (have) {
            if (isSuppressed(job.key))
                LOG4CXX_DEBUG(logger_, (boost::format("Mail to %1% for %2% dropped: the item's "
                                                      "mail is suppressed") % job.to % job.key).str());
            else
                deliver(job);
            ScopedLock guard(lock_);
            sending_ = false;
            continue;
        }
        // Nothing queued: a requested stop may end the thread now, not before.
        if (stopRequested())
            break;
        sleep(idleSeconds_);
    }
    ScopedLock guard(lock_);
    finished_ = true;
}

void MailSender::deliver(const MailJob& job)
{
    // The job has left the queue already: a failed delivery is dropped, never retried.
    try {
        long result;
        if (job.plain) {
            result = sendMail_(job.from, job.to, job.subject, job.body, job.attachments);
        } else {
            result = sendHtmlMail_(job.from, job.to, job.subject, job.body, job.body,
                                   std::vector<MimeRelatedResources>(), job.attachments);
        }
        if (result != 0)
            LOG4CXX_WARN(logger_, (boost::format("Mail to %1% with the subject \"%2%\" failed: %3%") % job.to %
                                   job.subject % GetLastMailError()).str());
    } catch (const std::exception& e) {
        LOG4CXX_ERROR(logger_, (boost::format("Mail to %1% failed: %2%") % job.to % e.what()).str());
    } catch (...) {
        LOG4CXX_ERROR(logger_, (boost::format("Mail to %1% failed") % job.to).str());
    }
}

bool MailSender::drain(DWORD timeoutMs)
{
    {
        // Nothing queued from now on could be sent: such jobs are refused, and logged.
        ScopedLock guard(lock_);
        if (!closed_)
            closed_ = "the mail queue has been drained";
    }
    stop();
    HANDLE thread = duplicateHandle();
    const bool started = thread != nullptr;
    if (thread) {
        WaitForSingleObject(thread, timeoutMs);
        CloseHandle(thread);
    }

    std::vector<MailJob> queued;
    std::vector<MailJob> inFlight;
    bool done;
    {
        ScopedLock guard(lock_);
        done = started ? finished_ : queue_.empty();
        queued.assign(queue_.begin(), queue_.end());
        if (sending_)
            inFlight.push_back(current_);
    }
    if (done)
        return true;
    logUnsent(inFlight, "still being delivered");
    logUnsent(queued, "not sent");
    return false;
}

void MailSender::logUnsent(const std::vector<MailJob>& jobs, const char* state)
{
    for (const MailJob& job : jobs)
        LOG4CXX_ERROR(logger_, (boost::format("Mail to %1% with the subject \"%2%\" %3% before "
                                              "the mail queue ended") %
                                job.to % job.subject % state).str());
}
