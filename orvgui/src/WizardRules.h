// The new-item wizard's rules that need no window: the address as it is stored, the chain of
// the alarm pages the user chose, and the protocol's default port.
#pragma once

#include <string>
#include <vector>

class WizardRules {
public:
    // Template ids of the pages the alarm chain links (they double as page ids).
    enum Page {
        PageAlarms = 205,
        PageEmail = 206,
        PageSound = 211,
        PageVisual = 212,
        PageCommand = 213,
        PageFinished = 175,
    };

    // Every space removed, then one trailing '/' or '\' dropped ("http://host//" keeps one).
    static std::string normaliseAddress(const std::string& address);

    // One chosen alarm page and where Next and Back lead from it.
    struct Link {
        int page;
        int next;
        int back;
    };
    struct Chain {
        std::vector<Link> pages;   // the chosen pages in the fixed order Email, Sound, Visual, Command
        int finishedBack = 0;      // where Back leads from the last page (0: nothing chosen)
        int first() const { return pages.empty() ? 0 : pages.front().page; }
    };
    // The chain of the chosen alarm pages, from the alarm choice page to the last page.
    static Chain chain(bool email, bool sound, bool visual, bool command);

};
