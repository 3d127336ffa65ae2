// Shared by the GUI data-layer tests.
#pragma once

#include <string>

#include "orv/TestEnv.h"
#include "ProfileStore.h"

namespace guitest {

// The process-wide profile store kept in a scratch folder (set before its first use), returned
// with its trailing backslash.
inline const std::string& scratchProfileFolder()
{
    static const std::string folder = [] {
        std::string made = orvtest::makeScratchFolder("gui-profile") + "\\";
        ProfileStore::setDataFolder(made);
        return made;
    }();
    return folder;
}

}  // namespace guitest
