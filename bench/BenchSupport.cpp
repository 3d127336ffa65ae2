#include "BenchSupport.h"

#include <windows.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace bench {

namespace {

// /proc is a Unix path, not a Windows one: read it with Unix calls. Each file is opened once and
// read again from its start on every call, so that sampling still works when the process has
// used up its file descriptors (the growth run goes right up to that limit).
std::string readFd(int fd)
{
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        ssize_t got = pread(fd, buffer, sizeof buffer, offset);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
        offset += got;
    }
    return text;
}

std::string readProcFile(const std::string& path)
{
    static std::map<std::string, int> open;
    auto it = open.find(path);
    if (it == open.end())
        it = open.insert(std::make_pair(path, ::open(path.c_str(), O_RDONLY | O_CLOEXEC))).first;
    return it->second < 0 ? std::string() : readFd(it->second);
}

// For files read once (the search for the wineserver): opened and closed again.
std::string readProcFileOnce(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    std::string text = readFd(fd);
    close(fd);
    return text;
}

ProcessSample sampleProc(const std::string& dir)
{
    ProcessSample sample;
    std::string stat = readProcFile(dir + "/stat");
    // The command name is in parentheses and may hold blanks: count fields after the last ')'.
    size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return sample;
    std::istringstream fields(stat.substr(close + 2));
    std::vector<std::string> f;
    std::string field;
    while (fields >> field)
        f.push_back(field);
    // after ')' : state is field 3 of the line, utime 14, stime 15, num_threads 20
    if (f.size() > 17) {
        double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
        sample.cpuMs = (std::atof(f[11].c_str()) + std::atof(f[12].c_str())) * 1000.0 / ticks;
        sample.threads = std::atoi(f[17].c_str());
    }
    std::istringstream status(readProcFile(dir + "/status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0)
            sample.rssKb = std::atof(line.c_str() + 6);
    }
    return sample;
}

std::string wineserverDir()
{
    static std::string found;
    if (!found.empty() && readProcFile(found + "/comm").compare(0, 10, "wineserver") == 0)
        return found;
    found.clear();
    DIR* proc = opendir("/proc");
    if (!proc)
        return found;
    while (dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        std::string dir = std::string("/proc/") + entry->d_name;
        if (readProcFileOnce(dir + "/comm").compare(0, 10, "wineserver") == 0) {
            found = dir;
            break;
        }
    }
    closedir(proc);
    return found;
}

}  // namespace

double nowMs()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

ProcessSample sampleSelf()
{
    return sampleProc("/proc/self");
}

ProcessSample sampleWineserver()
{
    std::string dir = wineserverDir();
    return dir.empty() ? ProcessSample() : sampleProc(dir);
}

void CpuSpan::begin()
{
    selfStart = sampleSelf();
    serverStart = sampleWineserver();
}

double CpuSpan::selfMs() const
{
    return sampleSelf().cpuMs - selfStart.cpuMs;
}

double CpuSpan::serverMs() const
{
    return sampleWineserver().cpuMs - serverStart.cpuMs;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    if (rank < 1)
        rank = 1;
    return values[std::min(rank, values.size()) - 1];
}

int openFiles()
{
    static DIR* fds = opendir("/proc/self/fd");   // kept open, like the files above
    if (!fds)
        return 0;
    rewinddir(fds);
    int count = 0;
    while (dirent* entry = readdir(fds)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    return count - 1;   // less the descriptor of the listing itself
}

long fileLimit()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    return static_cast<long>(limit.rlim_cur);
}

double availableMemoryKb()
{
    std::istringstream info(readProcFile("/proc/meminfo"));
    std::string line;
    while (std::getline(info, line)) {
        if (line.compare(0, 13, "MemAvailable:") == 0)
            return std::atof(line.c_str() + 13);
    }
    return 0;
}

void result(const std::string& key, double value)
{
    std::printf("RESULT %s %.6g\n", key.c_str(), value);
    std::fflush(stdout);
}

void result(const std::string& key, const std::string& text)
{
    std::string flat = text;
    std::replace(flat.begin(), flat.end(), '\n', ' ');
    std::replace(flat.begin(), flat.end(), '\r', ' ');
    std::printf("RESULT %s %s\n", key.c_str(), flat.c_str());
    std::fflush(stdout);
}

void note(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

std::string textArg(int argc, char** argv, const char* name, const std::string& fallback)
{
    std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
            return argv[i] + prefix.size();
    }
    return fallback;
}

long long intArg(int argc, char** argv, const char* name, long long fallback)
{
    std::string text = textArg(argc, argv, name, "");
    return text.empty() ? fallback : std::atoll(text.c_str());
}

std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace bench
