// An IPv4 socket held on the Unix side of the process. Winsock under this platform makes every
// call (socket, connect, select, send, recv, close) a round trip to the wineserver, which costs
// more CPU than the check it serves; a descriptor of the system's own, waited on with poll(),
// makes none. This header includes no Windows header and the source file no Windows header
// either: the two worlds only meet through plain integers. NetSocket is the face the program uses.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <functional>

class UnixSocket {
public:
    enum WaitResult { Ready, TimedOut, Failed, Cancelled };

    UnixSocket() = default;
    ~UnixSocket() { close(); }
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    // A non-blocking TCP (or UDP) socket; false with error() set.
    bool create(bool datagram);
    bool isOpen() const { return fd_ >= 0; }
    void close();
    // The system's descriptor (-1 when closed): an identity, not a Winsock handle.
    int descriptor() const { return fd_; }
    // Ends receiving (0), sending (1) or both (2); false with error() set.
    bool shutdown(int how);

    // Binds to a local IPv4 address (network byte order, 0 for any) and port.
    bool bind(uint32_t address, uint16_t port);
    // Starts a connect to address (network byte order):port. 1 when connected at once, 0 when
    // under way (wait for writing, then pendingError()), -1 on failure with error() set.
    int startConnect(uint32_t address, uint16_t port);
    // The outcome of a connect that was under way: 0 or the system's error.
    int pendingError();

    // Waits until the socket can be written (or read) or fails, for at most timeoutMs; cancelled
    // (may be empty) is asked about every sliceMs and ends the wait when it answers true.
    WaitResult wait(bool forWrite, int timeoutMs, const std::function<bool()>& cancelled, int sliceMs = 100);

    // Bytes sent or received; 0 from receive when the peer closed; -1 when nothing could be done
    // now (wouldBlock() tells) or on failure (error() tells).
    long send(const void* data, size_t size);
    long receive(void* buffer, size_t size);
    // A datagram to address:port / from anyone (the sender's address and port when asked).
    long sendTo(const void* data, size_t size, uint32_t address, uint16_t port);
    long receiveFrom(void* buffer, size_t size, uint32_t* address, uint16_t* port);
    bool wouldBlock() const;

    // The system's error of the last failure, and the same as a Winsock code (10061 for a
    // refused connect...) for texts and callers that speak Winsock.
    int error() const { return error_; }
    int winsockError() const { return toWinsockError(error_); }
    static int toWinsockError(int systemError);

    // A dotted IPv4 address in network byte order; false when text is not one.
    static bool parseAddress(const char* text, uint32_t& address);
    // The first IPv4 address of a host name through the system's resolver (blocking: callers
    // bound it by running it on a thread they can leave).
    static bool lookUp(const char* name, uint32_t& address);

private:
    int fd_ = -1;
    int error_ = 0;
};
