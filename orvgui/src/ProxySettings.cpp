#include "ProxySettings.h"

#include "ProfileStore.h"
#include "workers/WorkerManager.h"

std::string ProxySettings::proxyText(const std::string& address, int port)
{
    const std::string::size_type first = address.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const std::string trimmed = address.substr(first, address.find_last_not_of(" \t") - first + 1);
    if (port <= 0 || trimmed.find(':') != std::string::npos)
        return trimmed;
    return trimmed + ":" + std::to_string(port);
}

void ProxySettings::apply(const ProfileStore& profile, WorkerManager& workers)
{
    const std::string text = proxyText(profile.getString(ProfileProxyAddress), profile.getInt(ProfileProxyPort));
    const bool use = profile.getInt(ProfileUseProxy) != 0 && !text.empty();
    workers.setProxy(use, use ? text : std::string(), profile.getString(ProfileProxyUser),
                     profile.getString(ProfileProxyPassword));
}

std::string ProxySettings::portError(bool useProxy, int port)
{
    const int lowest = useProxy ? 1 : 0;
    if (port >= lowest && port <= kMaxPort)
        return std::string();
    return "Please enter a port from " + std::to_string(lowest) + " to " + std::to_string(kMaxPort) + ".";
}
