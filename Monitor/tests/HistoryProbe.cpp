// Adds one result to every item and saves it, item after item, over and over, until it is killed. Result
// number N is stamped with time N and a message that holds every separator the files escape, so
// a test can tell which saved results survived and whether any came back damaged. After each
// round of saves it writes "saved N" to standard output: every item has saved results 1..N.
#include <iostream>
#include <string>
#include <vector>

#include "HistoryProbe.h"
#include "Monitor/MonitorItemManager.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(argv[1]);
    if (store->begin() == store->end())
        return 3;
    // Each item goes on from its own newest result: a kill may have come between two items.
    std::vector<long long> next;
    for (auto it = store->begin(); it != store->end(); ++it) {
        MonitorItemSettings* item = *it;
        next.push_back(item->historyBegin() == item->historyEnd()
                           ? 1
                           : static_cast<long long>((item->historyEnd() - 1)->time) + 1);
    }
    std::cout << "saving" << std::endl;
    for (;;) {
        long long round = 0;
        std::size_t i = 0;
        for (auto it = store->begin(); it != store->end(); ++it, ++i) {
            long long n = next[i]++;
            (*it)->addResult(static_cast<std::time_t>(n), 200, probeMessage(n), 15, n % 3 != 0);
            (*it)->getGeneral().name = "gen " + std::to_string(n);
            (*it)->save();
            round = i == 0 || n < round ? n : round;
        }
        // every item has saved results up to here
        std::cout << "saved " << round << std::endl;
    }
}
