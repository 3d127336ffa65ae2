#include "WorkerTestSupport.h"

#include <wininet.h>

#include <functional>

#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemManager.h"
#include "orv/TestEnv.h"

namespace workertest {

RecordingNotifier::RecordingNotifier() : releases_(0), gate_(CreateEventA(nullptr, TRUE, TRUE, nullptr))
{
    InitializeCriticalSection(&lock_);
}

RecordingNotifier::~RecordingNotifier()
{
    CloseHandle(gate_);
    DeleteCriticalSection(&lock_);
}

void RecordingNotifier::notify(int event, const std::string& text)
{
    WaitForSingleObject(gate_, 10000);
    EnterCriticalSection(&lock_);
    events_.push_back(Event(event, text));
    LeaveCriticalSection(&lock_);
}

void RecordingNotifier::release()
{
    EnterCriticalSection(&lock_);
    ++releases_;
    LeaveCriticalSection(&lock_);
}

std::vector<Event> RecordingNotifier::events() const
{
    EnterCriticalSection(&lock_);
    std::vector<Event> copy = events_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<int> RecordingNotifier::codes() const
{
    std::vector<int> codes;
    for (const Event& e : events())
        codes.push_back(e.first);
    return codes;
}

int RecordingNotifier::releases() const
{
    EnterCriticalSection(&lock_);
    int n = releases_;
    LeaveCriticalSection(&lock_);
    return n;
}

bool RecordingNotifier::waitUntil(const std::function<bool()>& done, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(5);
    }
    return true;
}

bool RecordingNotifier::waitForCode(int code, int count, DWORD timeoutMs) const
{
    return waitUntil([&] {
        int n = 0;
        for (const Event& e : events())
            n += e.first == code;
        return n >= count;
    }, timeoutMs);
}

bool RecordingNotifier::waitForRelease(DWORD timeoutMs) const
{
    return waitUntil([&] { return releases() > 0; }, timeoutMs);
}

MonitorItemSettings* newStoredItem(int type, const std::string& address, int port, int interval,
                                   int unit, int limitMs)
{
    static bool loaded = false;
    MonitorItemManager* store = MonitorItemManager::instance();
    if (!loaded) {
        store->load(orvtest::makeScratchFolder("data"));
        loaded = true;
    }
    MonitorItemSettings* item = store->createItem();
    MonitorItemLock lock(item);
    ItemGeneralSettings& general = item->getGeneral();
    general.name = "test item";
    general.address = address;
    general.type = type;
    general.port = port;
    general.interval = interval;
    general.intervalUnit = unit;
    general.timeoutMs = limitMs;
    general.enabled = true;
    return item;
}

std::vector<ResultRecord> historyOf(MonitorItemSettings* item)
{
    MonitorItemLock lock(item);
    return std::vector<ResultRecord>(item->historyBegin(), item->historyEnd());
}

ItemStatus statusOf(MonitorItemSettings* item)
{
    MonitorItemLock lock(item);
    return item->getStatus();
}

std::string readFile(const std::string& windowsPath)
{
    return orvtest::readFile(windowsPath);
}

void writeFile(const std::string& windowsPath, const std::string& bytes)
{
    HANDLE f = CreateFileA(windowsPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, f) << windowsPath;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(f);
    ASSERT_EQ(bytes.size(), written);
}

bool exists(const std::string& windowsPath)
{
    return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

uintptr_t nextHandleValue()
{
    HINTERNET probe = InternetOpenA("probe", INTERNET_OPEN_TYPE_DIRECT, NULL, NULL, 0);
    uintptr_t value = reinterpret_cast<uintptr_t>(probe);
    InternetCloseHandle(probe);
    return value;
}

std::vector<Event> withoutTimes(std::vector<Event> events)
{
    for (Event& e : events) {
        size_t in = e.second.rfind(" in ");
        if (in != std::string::npos && e.second.find(" miliseconds", in) != std::string::npos)
            e.second = e.second.substr(0, in) + " in N miliseconds";
    }
    return events;
}

std::vector<std::string> readLines(const std::string& windowsPath)
{
    std::vector<std::string> lines;
    std::string text = readFile(windowsPath);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool waitEnded(HANDLE thread, DWORD timeoutMs)
{
    return thread && WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
}

Listener::Listener(const std::string& address, bool accepting, int backlog)
    : socket_(INVALID_SOCKET), port_(0), thread_(nullptr), stop_(0), accepted_(0)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = inet_addr(address.c_str());
    sa.sin_port = 0;
    int length = sizeof sa;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        listen(socket_, backlog) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(sa.sin_port);
    if (accepting)
        thread_ = CreateThread(nullptr, 0, acceptLoop, this, 0, nullptr);
}

Listener::~Listener()
{
    InterlockedExchange(&stop_, 1);
    if (thread_) {
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
}

int Listener::accepted() const
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&accepted_), 0, 0);
}

DWORD WINAPI Listener::acceptLoop(LPVOID self)
{
    Listener* l = static_cast<Listener*>(self);
    while (!InterlockedCompareExchange(&l->stop_, 0, 0)) {
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(l->socket_, &fds);
        timeval tv = {0, 50000};
        if (select(0, &fds, nullptr, nullptr, &tv) <= 0)
            continue;
        SOCKET c = accept(l->socket_, nullptr, nullptr);
        if (c != INVALID_SOCKET) {
            InterlockedIncrement(&l->accepted_);
            closesocket(c);
        }
    }
    return 0;
}

int closedPort(const std::string& address)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = inet_addr(address.c_str());
    int length = sizeof sa;
    bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    getsockname(s, reinterpret_cast<sockaddr*>(&sa), &length);
    closesocket(s);
    return ntohs(sa.sin_port);
}

}  // namespace workertest
