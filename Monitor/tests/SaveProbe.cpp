// Saves one item over and over until it is killed: each generation's name and body belong
// together, so a file that mixes or cuts them shows a save that a crash interrupted.
#include <iostream>
#include <string>

#include "Monitor/MonitorItemManager.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(argv[1]);
    if (store->begin() == store->end())
        return 3;
    MonitorItemSettings* item = *store->begin();
    for (int generation = 1;; ++generation) {
        item->getGeneral().name = "gen " + std::to_string(generation);
        item->getSmtp().body.assign(1 << 21, static_cast<char>('a' + generation % 26));
        item->save();
        // The kill delay counts from here: on a loaded machine the first save alone can take
        // longer than the shortest delay, and a kill before it would show nothing.
        if (generation == 1)
            std::cout << "saving" << std::endl;
    }
}
