// A fixture server (testing/fixtures/NAME.py) started for one test through the fixture manager,
// which the net tests' namespace runs (a Winelib program cannot start and watch a Unix process).
// The server stops when the object is destroyed.
#pragma once
#include <string>
#include <vector>

namespace orvtest {

class FixtureServer {
public:
    FixtureServer(const std::string& script, const std::vector<std::string>& args);
    ~FixtureServer();
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    bool running() const { return m_id > 0; }
    const std::string& error() const { return m_error; }
    // What the server printed since it became ready (request logs and the like). The manager
    // gathers it on a thread of its own: a line the server printed before it answered may still
    // be missing when the answer has arrived, so wait for what must be there with these:
    std::vector<std::string> output();
    // The output once it holds at least count lines (or whatever it holds after timeoutMs).
    std::vector<std::string> outputOfAtLeast(size_t count, unsigned timeoutMs = 10000);
    // The output once it holds this exact line times times over (or whatever after timeoutMs).
    std::vector<std::string> outputWith(const std::string& line, int times = 1, unsigned timeoutMs = 10000);
    void stop();

private:
    int m_id = 0;
    std::string m_error;
};

// One request to the manager; returns the reply lines (the first is "OK ..." or "ERR ...").
std::vector<std::string> fixtureRequest(const std::vector<std::string>& fields);

}  // namespace orvtest
