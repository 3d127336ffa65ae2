#include "DescriptorBudget.h"

#include "DescriptorLimit.h"

DescriptorBudget::DescriptorBudget() : counted_(-1), startedSinceCount_(0)
{
    DescriptorLimit::raiseToHard();
}

bool DescriptorBudget::admit(size_t running, std::string& why)
{
    const long limit = DescriptorLimit::current();
    if (limit < 0)
        return true;   // nothing to go by
    const long keep = kPerWorker + kPerCheck * static_cast<long>(running + 1) + kReserve;
    // Counting lists every open descriptor, thousands of them with thousands of items: while even
    // the worst guess since the last count stays in the lower three quarters, the guess will do.
    long open = counted_ < 0 ? -1 : counted_ + kPerWorker * startedSinceCount_;
    if (open < 0 || open + keep > limit - limit / 4) {
        counted_ = DescriptorLimit::openCount();
        startedSinceCount_ = 0;
        open = counted_;
    }
    if (open < 0 || open + keep > limit) {
        why = open < 0 ? std::string("no file descriptor is left")
                       : std::to_string(open) + " of the process's " + std::to_string(limit) +
                             " file descriptors are open";
        why += ", and this worker, the checks of the " + std::to_string(running) +
               " running ones and the program need " + std::to_string(keep) + " more";
        return false;
    }
    ++startedSinceCount_;
    return true;
}
