// A WinINet error code as a short text for result messages and the activity log, for the cases
// where the server itself said nothing (no last response): "error 12029: the connection to the
// server could not be made".
#pragma once

#include <windows.h>

#include <string>

std::string internetErrorText(DWORD code);
