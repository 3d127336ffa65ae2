// Only Unix headers here: see UnixSocket.h.
#include "UnixSocket.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {

// The program is linked with ws2_32, which exports functions under the C library's names (socket,
// connect, send, recv, getaddrinfo...): a plain call would reach Winsock, with another calling
// convention. The C library's own are taken from it by name instead.
struct Libc {
    decltype(&::socket) socket;
    decltype(&::bind) bind;
    decltype(&::connect) connect;
    decltype(&::getsockopt) getsockopt;
    decltype(&::shutdown) shutdown;
    decltype(&::send) send;
    decltype(&::recv) recv;
    decltype(&::sendto) sendto;
    decltype(&::recvfrom) recvfrom;
    decltype(&::inet_addr) inet_addr;
    decltype(&::getaddrinfo) getaddrinfo;
    decltype(&::freeaddrinfo) freeaddrinfo;
};

template <typename F>
void take(void* library, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(library, name));
}

const Libc& libc()
{
    static const Libc functions = [] {
        Libc f;
        void* library = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
        take(library, "socket", f.socket);
        take(library, "bind", f.bind);
        take(library, "connect", f.connect);
        take(library, "getsockopt", f.getsockopt);
        take(library, "shutdown", f.shutdown);
        take(library, "send", f.send);
        take(library, "recv", f.recv);
        take(library, "sendto", f.sendto);
        take(library, "recvfrom", f.recvfrom);
        take(library, "inet_addr", f.inet_addr);
        take(library, "getaddrinfo", f.getaddrinfo);
        take(library, "freeaddrinfo", f.freeaddrinfo);
        return f;
    }();
    return functions;
}

// Network byte order of a port (htons may be Winsock's too).
uint16_t portBytes(uint16_t port)
{
    return static_cast<uint16_t>(((port & 0xFF) << 8) | (port >> 8));
}

long long nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

sockaddr_in ipv4(uint32_t address, uint16_t port)
{
    sockaddr_in sa;
    memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_port = portBytes(port);
    sa.sin_addr.s_addr = address;
    return sa;
}

}  // namespace

bool UnixSocket::create(bool datagram)
{
    close();
    fd_ = libc().socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    error_ = 0;
    return true;
}

void UnixSocket::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool UnixSocket::shutdown(int how)
{
    const int kHow[] = {SHUT_RD, SHUT_WR, SHUT_RDWR};
    if (how < 0 || how > 2) {
        error_ = EINVAL;
        return false;
    }
    if (libc().shutdown(fd_, kHow[how]) == 0)
        return true;
    error_ = errno;
    return false;
}

bool UnixSocket::bind(uint32_t address, uint16_t port)
{
    sockaddr_in sa = ipv4(address, port);
    if (libc().bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
        return true;
    error_ = errno;
    return false;
}

int UnixSocket::startConnect(uint32_t address, uint16_t port)
{
    sockaddr_in sa = ipv4(address, port);
    if (libc().connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
        return 1;
    if (errno == EINPROGRESS || errno == EINTR)
        return 0;
    error_ = errno;
    return -1;
}

int UnixSocket::pendingError()
{
    int value = 0;
    socklen_t length = sizeof value;
    if (libc().getsockopt(fd_, SOL_SOCKET, SO_ERROR, &value, &length) != 0)
        value = errno;
    if (value != 0)
        error_ = value;
    return value;
}

UnixSocket::WaitResult UnixSocket::wait(bool forWrite, int timeoutMs, const std::function<bool()>& cancelled,
                                        int sliceMs)
{
    const long long deadline = nowMs() + (timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (cancelled && cancelled())
            return Cancelled;
        long long left = deadline - nowMs();
        if (left <= 0)
            return TimedOut;
        int slice = cancelled && left > sliceMs ? sliceMs : static_cast<int>(left);
        pollfd p;
        p.fd = fd_;
        p.events = forWrite ? POLLOUT : POLLIN;
        p.revents = 0;
        int n = ::poll(&p, 1, slice);
        if (n > 0)
            return Ready;   // ready, or failed: the next call on the socket tells which
        if (n < 0 && errno != EINTR) {
            error_ = errno;
            return Failed;
        }
    }
}

long UnixSocket::send(const void* data, size_t size)
{
    ssize_t n = libc().send(fd_, data, size, MSG_NOSIGNAL);
    if (n < 0)
        error_ = errno;
    return static_cast<long>(n);
}

long UnixSocket::receive(void* buffer, size_t size)
{
    ssize_t n = libc().recv(fd_, buffer, size, 0);
    if (n < 0)
        error_ = errno;
    return static_cast<long>(n);
}

long UnixSocket::sendTo(const void* data, size_t size, uint32_t address, uint16_t port)
{
    sockaddr_in sa = ipv4(address, port);
    ssize_t n = libc().sendto(fd_, data, size, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    if (n < 0)
        error_ = errno;
    return static_cast<long>(n);
}

long UnixSocket::receiveFrom(void* buffer, size_t size, uint32_t* address, uint16_t* port)
{
    sockaddr_in sa;
    memset(&sa, 0, sizeof sa);
    socklen_t length = sizeof sa;
    ssize_t n = libc().recvfrom(fd_, buffer, size, 0, reinterpret_cast<sockaddr*>(&sa), &length);
    if (n < 0) {
        error_ = errno;
        return -1;
    }
    if (address)
        *address = sa.sin_addr.s_addr;
    if (port)
        *port = portBytes(sa.sin_port);
    return static_cast<long>(n);
}

bool UnixSocket::wouldBlock() const
{
    return error_ == EAGAIN || error_ == EWOULDBLOCK || error_ == EINTR;
}

int UnixSocket::toWinsockError(int e)
{
    // The codes Winsock gives for the same conditions (WSABASEERR 10000 + the BSD number).
    switch (e) {
    case 0: return 0;
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE: case ENFILE: return 10024;
    case EAGAIN: return 10035;
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EMSGSIZE: return 10040;
    case EPROTONOSUPPORT: return 10043;
    case EOPNOTSUPP: return 10045;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    case ECONNRESET: return 10054;
    case ENOBUFS: case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case EPIPE: case ESHUTDOWN: return 10058;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    default: return 10000 + e;
    }
}

bool UnixSocket::parseAddress(const char* text, uint32_t& address)
{
    // inet_addr's forms ("127.1", "0x7f.1"...) are what Winsock accepted, so they stay accepted.
    // As there, the all-ones address is no address.
    in_addr_t value = libc().inet_addr(text);
    if (value == INADDR_NONE)
        return false;
    address = value;
    return true;
}

bool UnixSocket::lookUp(const char* name, uint32_t& address)
{
    addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    bool ok = libc().getaddrinfo(name, nullptr, &hints, &found) == 0 && found;
    if (ok)
        address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    if (found)
        libc().freeaddrinfo(found);
    return ok;
}
