// Fetches one web page over HTTP or HTTPS. The HTTP check makes one per cycle;
// the GUI makes one on its own stack for a snapshot of an address or to try a search string:
//
//     HttpDownloader d("Orvane");
//     d.setSecureMode(true);           // both before SetURL: they only take effect through it
//     d.setPort(443);
//     d.SetURL("www.example.com/index.html");   // https://www.example.com:443/index.html
//     if (d.Initialize() && d.DownloadPage()) use(d.GetStatusCode(), d.GetPage());
//
// The transfer itself is made on the Unix side of the process (HttpTransfer), which costs no
// wineserver round trip; failures are reported with WinINet's error codes all the same. The object
// owns its session: the destructor closes it, and the object cannot be copied (two copies would
// close one session twice). Callers depend on the order and size of the data
// members, which therefore stay as they are; 32-bit values are fixed-width.
//
// The whole download, name lookup and redirects included, has one deadline (30 s unless
// setTimeout says otherwise), so neither a server that accepts and never answers nor one that
// answers a byte at a time holds the caller. Trusted HTTPS servers are those whose certificate
// chains to one of the system's trusted roots.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>
#include <string>

class HttpDownloader {
public:
    // agent: the User-Agent text. Secure mode off, port 80, nothing downloaded yet.
    explicit HttpDownloader(const char* agent);
    // Closes the session when one is open.
    ~HttpDownloader();

    HttpDownloader(const HttpDownloader&) = delete;
    HttpDownloader& operator=(const HttpDownloader&) = delete;

    // Opens the session, through the proxy the worker manager holds when it says to use one (its
    // login is read at each download). An earlier session is closed first. False when the system
    // gave no session (GetLastError tells why).
    bool Initialize();
    // Closes the session (nothing when none is open).
    void Cleanup();

    // Deadline of later downloads on the open session, in milliseconds (a value below 1 means the
    // default). Call after Initialize.
    void setTimeout(int milliseconds);

    // Stores the address, with the scheme in front when it has none and the port after the host
    // when the address names none: "host/x" with port 80 gives "http://host:80/x".
    void SetURL(const char* url);
    const std::string& getURL() const { return url_; }
    void setSecureMode(bool secure) { secureMode_ = secure; }
    void setPort(int port) { port_ = port; }

    // Downloads the whole page. True when the server answered, whatever the status (a 404 page
    // is a completed download); false when the address could not be opened or the answer broke
    // off, and GetLastError then holds WinINet's error code. A zero byte in the page ends the text
    // of its chunk. Reading stops after kMaxPageBytes: a check of a large file's address must not
    // hold the file in memory.
    bool DownloadPage();
    // The same with a stop: the download is given up as soon as cancelled answers true (looked at
    // every 50 ms), with ERROR_INTERNET_OPERATION_CANCELLED. The time-out (setTimeout) bounds the
    // whole download; past it the download fails with ERROR_INTERNET_TIMEOUT.
    bool DownloadPage(const std::function<bool()>& cancelled);
    // The text of the last download; valid until the next download or destruction.
    const char* GetPage() const { return page_.c_str(); }
    // Milliseconds and HTTP status of the last download (both 0 when nothing answered).
    int32_t GetDownloadTime() const { return downloadTime_; }
    int32_t GetStatusCode() const { return statusCode_; }

    // The first bytes (at most 1024) of the page; empty when the address cannot be opened.
    std::string getSnapshot();
    // A server text to show besides the error code: what a proxy that refused the tunnel to an
    // HTTPS server answered (ERROR_INTERNET_EXTENDED_ERROR); empty after any other outcome.
    std::string getLastError();

    // Stored only.
    void SetTestMode(bool testMode) { testMode_ = testMode; }
    void SetWindow(HWND window) { window_ = window; }

    // The session's time-out when setTimeout was not called.
    static const int kDefaultTimeoutMs = 30000;
    static const size_t kMaxPageBytes = 16 * 1024 * 1024;

private:
    void fixUrl();
    // One GET of the address on the open session, its body handed to sink; false with error set
    // (WinINet's code) when no answer came.
    bool transfer(const std::function<bool(const char*, size_t)>& sink, const std::function<bool()>& cancelled,
                  int& status, DWORD& error);

    std::string agent_;
    std::string url_;
    void* session_;   // the open session; NULL when none
    bool testMode_;
    HWND window_;
    std::string page_;
    int32_t downloadTime_;
    int32_t statusCode_;
    char buffer_[2048];   // reserved: part of the layout callers rely on
    bool secureMode_;
    int32_t port_;
};
