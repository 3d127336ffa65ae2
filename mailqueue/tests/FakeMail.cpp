#include "FakeMail.h"

FakeMail::FakeMail()
{
    InitializeCriticalSection(&lock);
}

FakeMail::~FakeMail()
{
    DeleteCriticalSection(&lock);
}

void FakeMail::reset()
{
    EnterCriticalSection(&lock);
    sent.clear();
    result = 0;
    gate = nullptr;
    LeaveCriticalSection(&lock);
}

std::vector<SentMail> FakeMail::calls()
{
    EnterCriticalSection(&lock);
    std::vector<SentMail> copy = sent;
    LeaveCriticalSection(&lock);
    return copy;
}

bool FakeMail::waitForCalls(size_t count, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (calls().size() < count) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

FakeMail& fakeMail()
{
    static FakeMail fake;
    return fake;
}

namespace {

long record(const SentMail& mail)
{
    FakeMail& fake = fakeMail();
    EnterCriticalSection(&fake.lock);
    HANDLE gate = fake.gate;
    LeaveCriticalSection(&fake.lock);
    if (gate)
        WaitForSingleObject(gate, 30000);
    EnterCriticalSection(&fake.lock);
    fake.sent.push_back(mail);
    fake.sent.back().tick = GetTickCount();
    long result = fake.result;
    LeaveCriticalSection(&fake.lock);
    return result;
}

}  // namespace

long fakeSendMail(const std::string& from, std::string to, const std::string& subject,
                  const std::string& body, const std::vector<std::string>& attachments)
{
    SentMail mail;
    mail.from = from;
    mail.to = to;
    mail.subject = subject;
    mail.text = body;
    mail.attachments = attachments;
    return record(mail);
}

long fakeSendHtmlMail(const std::string& from, std::string to, const std::string& subject,
                      const std::string& text, const std::string& html,
                      const std::vector<MimeRelatedResources>& related,
                      const std::vector<std::string>& attachments)
{
    SentMail mail;
    mail.html = true;
    mail.from = from;
    mail.to = to;
    mail.subject = subject;
    mail.text = text;
    mail.htmlPart = html;
    mail.related = related.size();
    mail.attachments = attachments;
    return record(mail);
}
