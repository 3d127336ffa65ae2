// Users paste URLs into the address of ping and port items: the scheme in front is dropped.
#pragma once

#include <string>

// The address without the first of "http://", "http:\", "https://", "https:\" it begins with
// (exact case); unchanged when none matches. Only one prefix is removed.
std::string stripAddressPrefix(const std::string& address);
