#include "MainFrameCommandStates.h"

#include "resource.h"

namespace {

// ids the menus' and the tool bar's rules name that no menu or bar holds: they are set all the
// same, so that a profile that has them sees the same states
const UINT kUnusedMenuIds[] = {32802, 32803};
const UINT kUnusedToolBarIds[] = {32784, 32773};
const UINT kUnusedContextIds[] = {32859};

}  // namespace

std::vector<CommandState> MainFrameCommandStates::menuItems(bool bEnable, const CommandSelection& selection)
{
    std::vector<CommandState> states;
    const UINT ids[] = {ID_PROPERTIES, ID_DELETE,        ID_SUSPEND,  ID_ACTIVATE,        kUnusedMenuIds[0],
                        kUnusedMenuIds[1], ID_CLEAR_STATS, ID_RESET_ALARM, ID_VIEW_LOG, ID_LAST_RESPONSE,
                        ID_REPORT_MANAGER, ID_DEFAULT_REPORT};
    for (UINT id : ids)
        states.push_back({id, bEnable});
    states.push_back({ID_LAST_PAGE, selection.selected && (selection.type == 1 || selection.type == 2)});
    return states;
}

std::vector<CommandState> MainFrameCommandStates::toolBar(bool bEnable, const CommandSelection& selection,
                                                          std::size_t itemCount)
{
    std::vector<CommandState> states;
    const UINT ids[] = {ID_PROPERTIES_TB,     ID_DELETE_TB,     kUnusedToolBarIds[0], ID_RUN_NOW_TB,
                        ID_CLEAR_STATS_TB,    ID_VIEW_LOG_TB,   ID_REPORT_MANAGER_TB, ID_DEFAULT_REPORT_TB,
                        ID_ACTIVATE_TB,       ID_SUSPEND_TB,    kUnusedToolBarIds[1]};
    for (UINT id : ids)
        states.push_back({id, bEnable});
    auto set = [&](UINT id, bool on) {
        for (CommandState& state : states)
            if (state.id == id)
                state.enabled = on;
    };
    if (selection.selected && bEnable) {
        set(ID_ACTIVATE_TB, !selection.active);
        set(ID_SUSPEND_TB, selection.active);
        set(ID_RUN_NOW_TB, runNowEnabled(selection));
    }
    states.push_back({ID_RUN_ALL_TB, itemCount > 0});
    return states;
}

std::vector<CommandState> MainFrameCommandStates::contextMenu(bool bSelected)
{
    std::vector<CommandState> states;
    const UINT ids[] = {ID_CTX_ACTIVATE, ID_CTX_CLEAR_STATS, ID_CTX_DELETE,  ID_CTX_PROPERTIES,
                        kUnusedContextIds[0], ID_CTX_RUN_NOW, ID_CTX_SUSPEND};
    for (UINT id : ids)
        states.push_back({id, bSelected});
    return states;
}

bool MainFrameCommandStates::runNowEnabled(const CommandSelection& selection)
{
    return selection.active && !selection.busy;
}
