// Only Unix headers here: see DescriptorLimit.h.
#include "DescriptorLimit.h"

#include <dirent.h>
#include <sys/resource.h>

#include <climits>

namespace {

long asLong(rlim_t value)
{
    return value == RLIM_INFINITY || value > static_cast<rlim_t>(LONG_MAX) ? LONG_MAX : static_cast<long>(value);
}

}  // namespace

long DescriptorLimit::raiseToHard()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    if (limit.rlim_cur != limit.rlim_max) {
        struct rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
            return asLong(raised.rlim_cur);
    }
    return asLong(limit.rlim_cur);
}

long DescriptorLimit::current()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return -1;
    return asLong(limit.rlim_cur);
}

long DescriptorLimit::openCount()
{
    DIR* listing = opendir("/proc/self/fd");
    if (!listing)
        return -1;
    long count = 0;
    while (struct dirent* entry = readdir(listing)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    closedir(listing);
    return count - 1;   // less the listing's own
}
