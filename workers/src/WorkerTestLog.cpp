#include "workers/WorkerTestLog.h"

#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"

WorkerTestLog::WorkerTestLog() : file_(INVALID_HANDLE_VALUE), enabled_(true)
{
}

WorkerTestLog::~WorkerTestLog()
{
    close();
}

void WorkerTestLog::close()
{
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}

bool WorkerTestLog::open()
{
    close();
    if (path_.empty())
        return false;
    // Appending through FILE_APPEND_DATA keeps every line at the end even when a second worker of
    // the same item (a re-created one finishing its cycle) writes to the file too.
    file_ = CreateFileA(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

void WorkerTestLog::start(MonitorItemSettings* item)
{
    if (!enabled_)
        return;
    bool existed = !path_.empty() && GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!open() || existed || !item)
        return;
    std::string name, address;
    {
        MonitorItemLock lock(item);
        name = item->getGeneral().name;
        address = item->getGeneral().address;
    }
    write("Watch item name: \t\t\t" + name);
    write("Watch item address: \t\t" + address);
}

void WorkerTestLog::write(const std::string& line)
{
    if (!enabled_ || file_ == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void WorkerTestLog::flush()
{
}
