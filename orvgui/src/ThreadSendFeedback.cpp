#include "ThreadSendFeedback.h"

#include <algorithm>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "Postrel/Postrel.h"
#include "workers/ScopedLock.h"

namespace {

struct Deliveries {
    Deliveries() { ::InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::vector<ThreadSendFeedback*> threads;
    ThreadSendFeedback::SendMailFunction send = &SendMail;
    ThreadSendFeedback::LastErrorFunction lastError = &GetLastMailError;
};

Deliveries& deliveries()
{
    static Deliveries* list = new Deliveries;   // a delivery may outlive every static at exit
    return *list;
}

log4cxx::LoggerPtr logger()
{
    log4cxx::LoggerPtr result;
    LogSetup::getLogger(LogSetup::instance(), result, "orv.ThreadSendFeedback");
    return result;
}

}  // namespace

const char ThreadSendFeedback::kSupportAddress[] = "feedback@orvane.example";

ThreadSendFeedback::ThreadSendFeedback(const std::string& address, const std::string& subject,
                                       const std::string& body, HWND notify)
    : from_(address), subject_(subject), body_(body), notify_(notify), detached_(false), done_(0), sent_(false)
{
}

ThreadSendFeedback::~ThreadSendFeedback()
{
}

void ThreadSendFeedback::setMailFunctions(SendMailFunction send, LastErrorFunction lastError)
{
    ScopedLock guard(deliveries().lock);
    deliveries().send = send != nullptr ? send : &SendMail;
    deliveries().lastError = lastError != nullptr ? lastError : &GetLastMailError;
}

ThreadSendFeedback* ThreadSendFeedback::start(const std::string& address, const std::string& subject,
                                              const std::string& body, HWND notify)
{
    ThreadSendFeedback* thread = new ThreadSendFeedback(address, subject, body, notify);
    ScopedLock guard(deliveries().lock);
    if (!thread->Thread::start()) {
        delete thread;
        LOG4CXX_ERROR(logger(), "Cannot start the feedback thread: the feedback is not sent");
        return nullptr;
    }
    deliveries().threads.push_back(thread);
    return thread;
}

void ThreadSendFeedback::run()
{
    SendMailFunction send;
    LastErrorFunction lastError;
    {
        ScopedLock guard(deliveries().lock);
        send = deliveries().send;
        lastError = deliveries().lastError;
    }
    const long result = send(from_, kSupportAddress, subject_, body_, std::vector<std::string>());
    sent_ = result == 0;
    if (!sent_) {
        error_ = lastError();
        if (error_.empty())
            error_ = "the mail was not accepted";
        LOG4CXX_WARN(logger(), (boost::format("Feedback from %1% not sent: %2%") % from_ % error_).str());
    }
    ScopedLock guard(deliveries().lock);
    ::InterlockedExchange(&done_, 1);
    if (notify_ != NULL)
        ::PostMessageA(notify_, kFinished, sent_ ? 1 : 0, 0);
}

bool ThreadSendFeedback::finished() const
{
    return ::InterlockedCompareExchange(const_cast<volatile LONG*>(&done_), 0, 0) != 0;
}

void ThreadSendFeedback::detach()
{
    ScopedLock guard(deliveries().lock);
    notify_ = NULL;
    detached_ = true;
}

namespace {

// The thread has left run() and its procedure: it may be freed.
bool hasEnded(ThreadSendFeedback* thread)
{
    return thread->getHandle() == NULL || ::WaitForSingleObject(thread->getHandle(), 0) == WAIT_OBJECT_0;
}

}  // namespace

void ThreadSendFeedback::reap()
{
    std::vector<ThreadSendFeedback*> ended;
    {
        ScopedLock guard(deliveries().lock);
        auto& threads = deliveries().threads;
        for (auto it = threads.begin(); it != threads.end();) {
            if ((*it)->detached_ && (*it)->finished() && hasEnded(*it)) {
                ended.push_back(*it);
                it = threads.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (ThreadSendFeedback* thread : ended)
        delete thread;
}

int ThreadSendFeedback::joinAll(DWORD timeoutMs)
{
    std::vector<HANDLE> handles;
    {
        ScopedLock guard(deliveries().lock);
        for (ThreadSendFeedback* thread : deliveries().threads) {
            thread->notify_ = NULL;   // every window has gone by now
            thread->detached_ = true;
            HANDLE handle = thread->duplicateHandle();
            if (handle != NULL)
                handles.push_back(handle);
        }
    }
    const DWORD start = ::GetTickCount();
    for (HANDLE handle : handles) {
        const DWORD spent = ::GetTickCount() - start;
        ::WaitForSingleObject(handle, spent >= timeoutMs ? 0 : timeoutMs - spent);
        ::CloseHandle(handle);
    }
    reap();
    const int left = count();
    if (left > 0)
        LOG4CXX_WARN(logger(), (boost::format("%1% feedback mail(s) still being sent at exit") % left).str());
    return left;
}

int ThreadSendFeedback::count()
{
    ScopedLock guard(deliveries().lock);
    return static_cast<int>(deliveries().threads.size());
}
