// The proxy settings of the profile (positions 8 to 12) and how they reach the workers: the
// workers take one proxy text, "address:port", with the login beside it.
#pragma once

#include <string>

class ProfileStore;
class WorkerManager;

class ProxySettings {
public:
    // The ports the internet options accept; 0 (no port) only while no proxy is used.
    static constexpr int kMaxPort = 65535;

    // "address:port"; the address alone when the port is 0 or it names a port itself; "" for an
    // address of blanks.
    static std::string proxyText(const std::string& address, int port);
    // Hands the profile's proxy settings to the workers. A proxy without an address is not used.
    static void apply(const ProfileStore& profile, WorkerManager& workers);
    // Why the port cannot be stored with the flag; empty when it can.
    static std::string portError(bool useProxy, int port);
};
