// Paths and settings the test harness hands to every test (see testing/isolate.sh).
#pragma once
#include <string>

namespace orvtest {

// Value of an environment variable, "" when unset.
std::string env(const char* name);

// Windows form of a Unix path: /a/b -> Z:\a\b
std::string windowsPath(const std::string& unixPath);

// The test's scratch folder (Unix path), removed after the test; created if needed.
std::string fixtureDir();

// The whole content of a file (Windows path), read while others may still write it; ifMissing
// when it cannot be opened.
std::string readFile(const std::string& windowsPath, const std::string& ifMissing = std::string());

// A fresh empty sub-folder of the scratch folder, as a Windows path with no trailing '\'.
std::string makeScratchFolder(const std::string& name);

// Writes the whole screen to ORV_SCREENSHOT_DIR/NAME.bmp (turned into NAME.png after the run).
bool screenshot(const std::string& name);

}  // namespace orvtest
