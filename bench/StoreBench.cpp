// Item store benchmark: saves every item of a data folder of many items with a long history each
// one by one from one thread (as periodic saving does), saves them again without a change (which
// should write nothing), unloads them all changed (the store saving every file), loads them, and
// measures a plain Win32 read and write of the same files (the same bytes written back in place:
// as they are, flushed file by file, and flushed by 8 threads at once) as the floors to compare
// with.
//
//   orvbench_store --folder=WINDOWS_PATH --items=N --history=N
#include <windows.h>

#include <ctime>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemManager.h"
#include "ParallelRun.h"

namespace {

struct FileBytes {
    std::string path;
    std::string bytes;
};

std::vector<std::string> itemFolders(const std::string& dataFolder)
{
    std::vector<std::string> folders;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dataFolder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return folders;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            folders.push_back(dataFolder + "\\" + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return folders;
}

bool readWhole(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, NULL);
    bytes.resize(size);
    DWORD got = 0;
    BOOL ok = size == 0 || ReadFile(file, &bytes[0], size, &got, NULL);
    CloseHandle(file);
    return ok && got == size;
}

// flush: each file is flushed to the disk before it is closed, as a crash-safe save must.
bool writeWhole(const std::string& path, const std::string& bytes, bool flush)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    if (flush)
        ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    return ok && written == bytes.size();
}

const char* const kItemFiles[] = {"options.cfg", "statistics.cfg"};

FILETIME lastWrite(const std::string& path)
{
    FILETIME time = {0, 0};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        time = data.ftLastWriteTime;
    return time;
}

// Sets the file's last-write time to the year 2001, so that any later write shows.
bool backdate(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    SYSTEMTIME old = {2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&old, &time);
    BOOL ok = SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
    return ok;
}

struct Timed {
    double wallMs;
    double selfCpuMs;
    double serverCpuMs;
};

template <typename F>
Timed timed(F work)
{
    bench::CpuSpan cpu;
    cpu.begin();
    double start = bench::nowMs();
    work();
    Timed t;
    t.wallMs = bench::nowMs() - start;
    t.selfCpuMs = cpu.selfMs();
    t.serverCpuMs = cpu.serverMs();
    return t;
}

void report(const std::string& key, const Timed& t)
{
    bench::result(key + "_ms", t.wallMs);
    bench::result(key + "_cpu_ms", t.selfCpuMs);
    bench::result(key + "_ws_cpu_ms", t.serverCpuMs);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = bench::textArg(argc, argv, "folder", "");
    int items = static_cast<int>(bench::intArg(argc, argv, "items", 10000));
    int history = static_cast<int>(bench::intArg(argc, argv, "history", 1000));
    if (folder.empty() || items < 1 || history < 0) {
        bench::note("usage: orvbench_store --folder=WINDOWS_PATH --items=N --history=N");
        return 2;
    }
    CreateDirectoryA(folder.c_str(), NULL);

    // Items made in memory with their history, as a long-running host holds them.
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(folder);
    std::vector<MonitorItemSettings*> all;
    double rssBefore = bench::sampleSelf().rssKb;
    std::time_t start = 1700000000;
    for (int i = 0; i < items; ++i) {
        MonitorItemSettings* item = store->createItem();
        {
            MonitorItemLock lock(item);
            ItemGeneralSettings& general = item->getGeneral();
            general.name = "bench item " + std::to_string(i);
            general.address = "127.0.0.1";
            general.type = 6;
            general.port = 8080;
            general.interval = 60;
            general.intervalUnit = 1;
            general.timeoutMs = 5000;
            general.enabled = true;
        }
        for (int h = 0; h < history; ++h) {
            bool ok = h % 10 != 0;
            item->addResult(start + h * 60, 200, ok ? "Success" : "Connection failed with error code: 10061",
                            h % 50, ok);
        }
        all.push_back(item);
    }
    bench::note("store: " + std::to_string(items) + " items made");
    bench::result("store_rss_per_item_kb", (bench::sampleSelf().rssKb - rssBefore) / static_cast<double>(items));

    report("store_save_all", timed([&] {
        for (MonitorItemSettings* item : all)
            item->save();
    }));

    // The floor: the same files read and written once more with plain Win32 calls.
    std::vector<FileBytes> files;
    report("store_raw_read", timed([&] {
        for (const std::string& dir : itemFolders(folder)) {
            for (const char* name : kItemFiles) {
                FileBytes f;
                f.path = dir + "\\" + name;
                if (readWhole(f.path, f.bytes))
                    files.push_back(f);
            }
        }
    }));
    double bytes = 0;
    for (const FileBytes& f : files)
        bytes += static_cast<double>(f.bytes.size());
    bench::result("store_bytes", bytes);
    bench::result("store_files", static_cast<double>(files.size()));
    // Written back in place: new names in a folder of thousands would measure Wine's
    // case-insensitive name lookup instead of the writes.
    int rawFailures = 0;
    report("store_raw_write", timed([&] {
        for (const FileBytes& f : files) {
            if (!writeWhole(f.path, f.bytes, false))
                ++rawFailures;
        }
    }));
    report("store_raw_write_flushed", timed([&] {
        for (const FileBytes& f : files) {
            if (!writeWhole(f.path, f.bytes, true))
                ++rawFailures;
        }
    }));
    const int kWriteThreads = 8;
    bench::result("store_raw_write_threads", kWriteThreads);
    // Several threads at once, each taking the next file (the loop the store's own save uses):
    // the floor for a save that spreads its files over threads.
    volatile LONG threadedFailures = 0;
    report("store_raw_write_flushed_threaded", timed([&] {
        ParallelRun::forEach(files.size(), kWriteThreads, [&](std::size_t i) {
            if (!writeWhole(files[i].path, files[i].bytes, true))
                InterlockedIncrement(&threadedFailures);
        });
    }));
    rawFailures += threadedFailures;
    files.clear();
    if (rawFailures)
        bench::note("store: " + std::to_string(rawFailures) + " copies could not be written");

    // Saving items that did not change: their files are backdated first, so any write shows.
    size_t sample = all.size() < 200 ? all.size() : 200;
    std::vector<std::string> watched;
    for (size_t i = 0; i < sample; ++i) {
        for (const char* name : kItemFiles) {
            std::string path = all[i * all.size() / sample]->getDirectory() + name;
            if (backdate(path))
                watched.push_back(path);
        }
    }
    std::vector<FILETIME> before;
    for (const std::string& path : watched)
        before.push_back(lastWrite(path));
    report("store_save_unchanged", timed([&] {
        for (MonitorItemSettings* item : all)
            item->save();
    }));
    int rewritten = 0;
    for (size_t i = 0; i < watched.size(); ++i) {
        FILETIME now = lastWrite(watched[i]);
        if (CompareFileTime(&now, &before[i]) != 0)
            ++rewritten;
    }
    bench::result("store_unchanged_files_watched", static_cast<double>(watched.size()));
    bench::result("store_unchanged_files_rewritten", static_cast<double>(rewritten));

    // Every item changed in both of its files (a new name, one new result): the unload then has
    // every file to write again, the store's own save of everything.
    std::time_t changed = std::time(nullptr);
    for (MonitorItemSettings* item : all) {
        {
            MonitorItemLock lock(item);
            item->getGeneral().name += " (changed)";
        }
        item->addResult(changed, 200, "Success", 1, true);
    }
    report("store_unload", timed([&] { store->unloadAll(); }));
    store->release();
    all.clear();

    size_t loaded = 0;
    report("store_load", timed([&] {
        store = MonitorItemManager::instance();
        store->load(folder);
    }));
    for (auto it = store->begin(); it != store->end(); ++it)
        ++loaded;
    bench::result("store_loaded_items", static_cast<double>(loaded));
    report("store_unload_after_load", timed([&] { store->unloadAll(); }));
    store->release();
    if (static_cast<int>(loaded) != items) {
        bench::note("store: loaded " + std::to_string(loaded) + " of " + std::to_string(items) + " items");
        return 1;
    }
    return rawFailures ? 1 : 0;
}
