// What history_probe writes, shared with the test that checks it.
#pragma once

#include <string>

// The message of result number n: every separator the files escape is in it.
inline std::string probeMessage(long long n)
{
    return "-ERR [AUTH] result " + std::to_string(n) + " <x[127.0.0.1]> a|b^c$d\x1b" "7C";
}
