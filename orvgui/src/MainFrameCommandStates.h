// Which of the main frame's commands are enabled, as pure functions of the selection: the item
// commands of the menus, of the tool bar and of the list's context menu. The frame writes the
// answers into the command items of its command profile, from which the menus, the menu bar and
// the tool bar take their states.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// What the rules need to know of the selected row.
struct CommandSelection {
    bool selected = false;   // a row is selected
    int type = -1;           // its item's type (0 Ping, 1 HTTP, 2 HTTPS, ...)
    bool active = true;      // its item is not suspended
    bool busy = false;       // its item's check is running now
};

struct CommandState {
    UINT id;
    bool enabled;
    bool operator==(const CommandState& other) const { return id == other.id && enabled == other.enabled; }
};

class MainFrameCommandStates {
public:
    // The menus' item commands, all set to bEnable, and "Last Downloaded Page" enabled exactly for
    // a selected HTTP or HTTPS item whatever bEnable says.
    static std::vector<CommandState> menuItems(bool bEnable, const CommandSelection& selection);
    // The tool bar's item commands set to bEnable; for a selected item (bEnable true) Suspend
    // and Activate follow its state and Run now is off while it is suspended or busy. Run all
    // follows whether there is any item.
    static std::vector<CommandState> toolBar(bool bEnable, const CommandSelection& selection, std::size_t itemCount);
    // The context menu's item commands: enabled exactly when an item is selected.
    static std::vector<CommandState> contextMenu(bool bSelected);
    // Run now for the item as its state changes: off while it is suspended or busy.
    static bool runNowEnabled(const CommandSelection& selection);
};
