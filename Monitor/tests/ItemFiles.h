// Byte-level file helpers for the item tests, independent of the code under test.
#pragma once

#include <string>

namespace itemtest {

// Writes bytes exactly (creating or truncating the file).
void writeBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be opened.
std::string readBytes(const std::string& path);
bool pathExists(const std::string& path);
// A fresh empty scratch folder (Windows path, no trailing backslash).
std::string scratch(const std::string& name);

}  // namespace itemtest
