#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <cstdlib>

namespace orvtest {

namespace {

struct WinsockUser {
    WinsockUser() { WSADATA d; WSAStartup(MAKEWORD(2, 2), &d); }
    ~WinsockUser() { WSACleanup(); }
};

bool sendAll(SOCKET s, const std::string& data)
{
    size_t off = 0;
    while (off < data.size()) {
        int n = send(s, data.data() + off, int(data.size() - off), 0);
        if (n <= 0) return false;
        off += size_t(n);
    }
    return true;
}

}  // namespace

std::vector<std::string> fixtureRequest(const std::vector<std::string>& fields)
{
    WinsockUser ws;
    std::string port = env("ORV_FIXTURE_PORT");
    if (port.empty()) return {"ERR no fixture manager here (only net tests have one)"};
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return {"ERR socket failed"};
    DWORD limit = 30000;   // starting a server may take a few seconds; never wait for ever
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(u_short(atoi(port.c_str())));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<std::string> lines;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        closesocket(s);
        return {"ERR cannot reach the fixture manager"};
    }
    std::string req;
    for (size_t i = 0; i < fields.size(); ++i) req += (i ? "\t" : "") + fields[i];
    req += "\n";
    // The reply is "OK n" + n lines for OUTPUT, one line otherwise; the manager keeps the
    // connection open, so read exactly what is expected.
    std::string buf;
    size_t expected = 1;
    if (sendAll(s, req)) {
        char chunk[4096];
        while (lines.size() < expected) {
            size_t nl = buf.find('\n');
            if (nl != std::string::npos) {
                lines.push_back(buf.substr(0, nl));
                buf.erase(0, nl + 1);
                if (lines.size() == 1 && fields[0] == "OUTPUT" && lines[0].compare(0, 3, "OK ") == 0)
                    expected += size_t(atoi(lines[0].c_str() + 3));
                continue;
            }
            int n = recv(s, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            buf.append(chunk, size_t(n));
        }
    }
    closesocket(s);
    if (lines.empty()) lines.push_back("ERR no answer from the fixture manager");
    return lines;
}

FixtureServer::FixtureServer(const std::string& script, const std::vector<std::string>& args)
{
    std::vector<std::string> f = {"START", script};
    f.insert(f.end(), args.begin(), args.end());
    std::vector<std::string> r = fixtureRequest(f);
    if (r[0].compare(0, 3, "OK ") == 0) m_id = atoi(r[0].c_str() + 3);
    else m_error = r[0];
}

FixtureServer::~FixtureServer() { stop(); }

void FixtureServer::stop()
{
    if (m_id > 0) fixtureRequest({"STOP", std::to_string(m_id)});
    m_id = 0;
}

std::vector<std::string> FixtureServer::output()
{
    if (m_id <= 0) return {};
    std::vector<std::string> r = fixtureRequest({"OUTPUT", std::to_string(m_id)});
    if (r[0].compare(0, 3, "OK ") != 0) return {};
    return std::vector<std::string>(r.begin() + 1, r.end());
}

std::vector<std::string> FixtureServer::outputOfAtLeast(size_t count, unsigned timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> lines = output();
        if (lines.size() >= count || GetTickCount() - start > timeoutMs) return lines;
        Sleep(20);
    }
}

std::vector<std::string> FixtureServer::outputWith(const std::string& line, int times, unsigned timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> lines = output();
        int seen = 0;
        for (const std::string& l : lines) seen += l == line ? 1 : 0;
        if (seen >= times || GetTickCount() - start > timeoutMs) return lines;
        Sleep(20);
    }
}

}  // namespace orvtest
