#include "MailTestSupport.h"

#include <algorithm>

#include "WorkerTestSupport.h"
#include "orv/TestEnv.h"

namespace mailtest {

std::string writeScratchFile(const std::string& name, const std::string& text)
{
    std::string unixPath = orvtest::fixtureDir() + "/" + name;
    HANDLE f = CreateFileA(orvtest::windowsPath(unixPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(f);
    }
    return unixPath;
}

std::string readScratchFile(const std::string& name)
{
    return workertest::readFile(orvtest::windowsPath(orvtest::fixtureDir() + "/" + name));
}

std::vector<std::string> linesWithPrefix(orvtest::FixtureServer& server, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : server.output()) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line.substr(prefix.size()));
    }
    return lines;
}

bool waitForLine(orvtest::FixtureServer& server, const std::string& line, DWORD timeoutMs, int times)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> output = server.output();
        if (std::count(output.begin(), output.end(), line) >= times)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
}

std::string ScriptServer::scriptFile(const std::string& script)
{
    static int counter = 0;
    return writeScratchFile("script" + std::to_string(++counter) + ".txt", script);
}

std::vector<std::string> ScriptServer::commandsWhenDone(int connections, DWORD timeoutMs)
{
    if (connections > 0)
        waitForLine(server_, "DONE", timeoutMs, connections);
    return commands();
}

ScriptServer::ScriptServer(const std::string& address, int port, const std::string& script)
    : server_("tcp_script", {address, std::to_string(port), scriptFile(script)})
{
}

DnsMessage& DnsMessage::header(uint16_t id, uint16_t flags, uint16_t questions, uint16_t answers,
                               uint16_t authorities, uint16_t additionals)
{
    return u16(id).u16(flags).u16(questions).u16(answers).u16(authorities).u16(additionals);
}

DnsMessage& DnsMessage::labels(const std::string& dotted)
{
    size_t start = 0;
    while (start < dotted.size()) {
        size_t dot = dotted.find('.', start);
        if (dot == std::string::npos)
            dot = dotted.size();
        bytes_ += static_cast<char>(dot - start);
        bytes_.append(dotted, start, dot - start);
        start = dot + 1;
    }
    return *this;
}

DnsMessage& DnsMessage::name(const std::string& dotted)
{
    labels(dotted);
    bytes_ += '\0';
    return *this;
}

DnsMessage& DnsMessage::pointer(uint16_t offset)
{
    return u16(static_cast<uint16_t>(0xC000 | offset));
}

DnsMessage& DnsMessage::u16(uint16_t value)
{
    bytes_ += static_cast<char>(value >> 8);
    bytes_ += static_cast<char>(value & 0xFF);
    return *this;
}

DnsMessage& DnsMessage::u32(uint32_t value)
{
    return u16(static_cast<uint16_t>(value >> 16)).u16(static_cast<uint16_t>(value & 0xFFFF));
}

DnsMessage& DnsMessage::raw(const std::string& bytes)
{
    bytes_ += bytes;
    return *this;
}

DnsMessage& DnsMessage::mx(uint16_t ownerOffset, uint16_t preference, const std::string& exchange)
{
    DnsMessage exchangeName;
    exchangeName.name(exchange);
    pointer(ownerOffset).u16(15).u16(1).u32(60);
    u16(static_cast<uint16_t>(2 + exchangeName.size())).u16(preference);
    return raw(exchangeName.bytes());
}

DnsMessage& DnsMessage::a(uint16_t ownerOffset, const std::string& dotted)
{
    pointer(ownerOffset).u16(1).u16(1).u32(60).u16(4);
    unsigned b[4] = {0, 0, 0, 0};
    sscanf(dotted.c_str(), "%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3]);
    for (unsigned v : b)
        bytes_ += static_cast<char>(v);
    return *this;
}

std::string DnsMessage::hex() const
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes_) {
        text += kDigits[c >> 4];
        text += kDigits[c & 15];
    }
    return text;
}

DnsMessage mxAnswer(uint16_t id, const std::string& domain, const std::vector<std::string>& exchangers)
{
    DnsMessage m;
    m.header(id, 0x8180, 1, static_cast<uint16_t>(exchangers.size()), 0, 0).name(domain).u16(15).u16(1);
    uint16_t preference = 10;
    for (const std::string& exchange : exchangers) {
        m.mx(12, preference, exchange);
        preference = static_cast<uint16_t>(preference + 10);
    }
    return m;
}

}  // namespace mailtest
