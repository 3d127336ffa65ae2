#include "AddressPrefix.h"

std::string stripAddressPrefix(const std::string& address)
{
    static const char* const kPrefixes[] = {"http://", "http:\\", "https://", "https:\\"};
    for (const char* prefix : kPrefixes) {
        std::string p(prefix);
        if (address.compare(0, p.size(), p) == 0)
            return address.substr(p.size());
    }
    return address;
}
