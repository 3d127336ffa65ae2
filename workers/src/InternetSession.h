// What the FTP check and the page downloader do alike with WinINet: open a session the way the
// worker manager's proxy settings say, and read the server's last reply text.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

// Opens a WinINet session for agent, through the worker manager's proxy (with its login) when it
// says to use one. NULL on failure, with GetLastError kept.
HINTERNET openInternetSession(const std::string& agent);

// The text of the server's last reply on this thread; empty when there is none.
std::string lastInternetResponse();
