#include "MailSender.h"

#include <exception>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "workers/ScopedLock.h"

namespace {

MailSender* volatile gInstance = nullptr;

}  // namespace

MailSender* MailSender::instance()
{
    // Worker threads of several items may raise their first alarm at the same moment: the local
    // static is made exactly once.
    static MailSender* sender = [] {
        MailSender* made = new MailSender();
        made->start();
        InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&gInstance), made);
        return made;
    }();
    return sender;
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
      finished_(false)
{
    InitializeCriticalSection(&lock_);
    LogSetup::getLogger(LogSetup::instance(), logger_, "service.MailSender");
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
    ScopedLock guard(lock_);
    queue_.push_back(job);
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
        LOG4CXX_ERROR(logger_, (boost::format("Mail to %1% with the subject \"%2%\" %3% at the end "
                                              "of the service") %
                                job.to % job.subject % state).str());
}
