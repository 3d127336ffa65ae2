// Helpers of the mail check tests: scratch files for the fixture servers, their logs, and DNS
// messages built byte by byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "orv/FixtureServer.h"

namespace mailtest {

// Writes text to NAME in the test's scratch folder; returns the Unix path.
std::string writeScratchFile(const std::string& name, const std::string& text);
// Whole file of the scratch folder ("" when missing).
std::string readScratchFile(const std::string& name);

// What the fixture printed on lines beginning with prefix, the prefix removed.
std::vector<std::string> linesWithPrefix(orvtest::FixtureServer& server, const std::string& prefix);
// Waits until the fixture printed exactly this line (times times over); false on time-out.
bool waitForLine(orvtest::FixtureServer& server, const std::string& line, DWORD timeoutMs, int times = 1);

// A scripted TCP server (testing/fixtures/tcp_script.py) on address:port playing script.
class ScriptServer {
public:
    ScriptServer(const std::string& address, int port, const std::string& script);
    bool running() const { return server_.running(); }
    std::string error() const { return server_.error(); }
    std::vector<std::string> commands() { return linesWithPrefix(server_, "CMD "); }
    // The commands, read once the server has logged this many connections over (so every command
    // sent on them is in); read anyway after timeoutMs.
    std::vector<std::string> commandsWhenDone(int connections = 1, DWORD timeoutMs = 10000);
    std::vector<std::string> data() { return linesWithPrefix(server_, "DATA "); }
    std::vector<std::string> output() { return server_.output(); }
    orvtest::FixtureServer& fixture() { return server_; }

private:
    static std::string scriptFile(const std::string& script);
    orvtest::FixtureServer server_;
};

// DNS message bytes.
class DnsMessage {
public:
    DnsMessage& header(uint16_t id, uint16_t flags, uint16_t questions, uint16_t answers,
                       uint16_t authorities, uint16_t additionals);
    DnsMessage& name(const std::string& dotted);     // labels and the closing zero byte
    DnsMessage& labels(const std::string& dotted);   // labels only (a pointer follows)
    DnsMessage& pointer(uint16_t offset);
    DnsMessage& u16(uint16_t value);
    DnsMessage& u32(uint32_t value);
    DnsMessage& raw(const std::string& bytes);
    // An MX record: owner (a pointer), type 15, class 1, TTL 60, RDLENGTH, preference, exchange.
    DnsMessage& mx(uint16_t ownerOffset, uint16_t preference, const std::string& exchange);
    // An A record for owner (a pointer).
    DnsMessage& a(uint16_t ownerOffset, const std::string& dotted);

    size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string hex() const;

private:
    std::string bytes_;
};

// The usual answer: the question for domain, then one MX record per exchanger (owner pointing
// at the question's name), preferences 10, 20, ...
DnsMessage mxAnswer(uint16_t id, const std::string& domain, const std::vector<std::string>& exchangers);

}  // namespace mailtest
