// Sends one ICMP echo request through the system's ICMP library and keeps what came of it.
#pragma once

#include <functional>
#include <string>

class Pinger {
public:
    Pinger();

    // One echo to host (a dotted address as given, or a name) waiting up to timeoutMs. True only
    // for a reply whose status is success; then roundTripMs() is its round-trip time plus 1.
    // The lookup and the echo are given up as soon as cancelled answers true (stopped()).
    bool ping(const std::string& host, int timeoutMs,
              const std::function<bool()>& cancelled = std::function<bool()>());
    // The last ping was given up on a cancel.
    bool stopped() const { return stopped_; }

    // "Success", "Unknown host", "Request timed out", the reply's status text, or
    // "An error occurred while sending the ICMP Echo Request".
    const std::string& message() const { return message_; }
    int roundTripMs() const { return roundTripMs_; }

private:
    std::string message_;
    int roundTripMs_;
    bool stopped_;
    unsigned short requestSize_;
    unsigned char requestData_[56];
};
