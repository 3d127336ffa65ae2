// One HTTP or HTTPS GET made on the Unix side of the process, over the system's HTTP library.
// WinINet under this platform makes every step of a download (connect, send, each read, each
// query) a round trip to the wineserver and costs more CPU than starting a separate program per
// check; the system's library, waited on with poll(), makes none. Like UnixSocket, this header
// includes no Windows header: HttpDownloader turns the outcome into WinINet's codes.
//
//     HttpTransfer::Request r;
//     r.url = "http://host:80/index.html";
//     r.timeoutMs = 5000;
//     int status = 0;
//     HttpTransfer::Failure f = HttpTransfer().get(r, [&](const char* p, size_t n) { page.append(p, n); return true; },
//                                                  [] { return stopRequested(); }, status);
#pragma once

#include <stddef.h>

#include <functional>
#include <string>
#include <vector>

class HttpTransfer {
public:
    enum Failure {
        None,
        BadAddress,
        UnknownScheme,
        NameNotResolved,
        CannotConnect,
        TimedOut,
        Cancelled,
        ConnectionAborted,   // the answer broke off (closed early, shorter than announced)
        ConnectionReset,
        InvalidResponse,     // the server's answer was not HTTP, or there was none
        CertificateDate,
        CertificateName,
        CertificateUntrusted,
        ClientCertificateNeeded,
        SecureChannel,       // the TLS handshake failed
        TooManyRedirects,
        TunnelRefused,       // the proxy answered the tunnel's request with no 2xx (status holds it)
        OutOfMemory,
        Other,
    };

    struct Request {
        std::string url;             // scheme, host and port; no backslashes, no spaces
        std::string agent;           // the User-Agent
        std::string proxy;           // "host:port"; empty for none
        std::string proxyUser;       // the proxy's login, sent when the user is not empty
        std::string proxyPassword;
        unsigned long timeoutMs = 30000;   // for the whole transfer, name lookup included
    };

    // Takes a piece of the body; false stops the transfer, which then still counts as answered.
    using Sink = std::function<bool(const char* data, size_t size)>;

    HttpTransfer();
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // False when the library gave no handle (out of memory).
    bool valid() const { return easy_ != nullptr && multi_ != nullptr; }

    // Makes the GET on a fresh connection, following redirects, and hands the body of the final
    // answer to sink. None when the server answered, whatever the status (status holds it, 0 when
    // nothing answered; the proxy's status when it refused the tunnel). cancelled (may be empty)
    // is asked about every 50 ms.
    Failure get(const Request& request, const Sink& sink, const std::function<bool()>& cancelled, int& status);

    // Where the certificates (DER) that HTTPS servers must chain to come from, for every transfer
    // of the process. The source is asked once, when the first TLS connection is set up (a
    // process that never speaks TLS never loads them); until then none is trusted.
    using TrustSource = std::vector<std::string> (*)();
    static void setTrustSource(TrustSource source);

private:
    void* easy_;
    void* multi_;
};
