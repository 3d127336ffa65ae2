#include "InternetSession.h"

#include <cstring>

#include "workers/WorkerManager.h"

HINTERNET openInternetSession(const std::string& agent)
{
    bool useProxy = false;
    std::string proxy, user, password;
    WorkerManager::instance()->getProxy(useProxy, proxy, user, password);
    if (!useProxy)
        return InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, NULL, NULL, 0);
    HINTERNET session = InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), NULL, 0);
    if (session) {
        InternetSetOptionA(session, INTERNET_OPTION_PROXY_USERNAME, const_cast<char*>(user.c_str()),
                           static_cast<DWORD>(user.size()));
        InternetSetOptionA(session, INTERNET_OPTION_PROXY_PASSWORD, const_cast<char*>(password.c_str()),
                           static_cast<DWORD>(password.size()));
    }
    return session;
}

std::string lastInternetResponse()
{
    char text[2048] = "";
    DWORD error = 0;
    DWORD length = sizeof text;
    if (!InternetGetLastResponseInfoA(&error, text, &length))
        return std::string();
    return std::string(text, strnlen(text, sizeof text));
}
