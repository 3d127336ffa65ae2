// Fetches one web page over HTTP or HTTPS through WinINet. The HTTP check makes one per cycle;
// the GUI makes one on its own stack for a snapshot of an address or to try a search string:
//
//     HttpDownloader d("Orvane");
//     d.setSecureMode(true);           // both before SetURL: they only take effect through it
//     d.setPort(443);
//     d.SetURL("www.example.com/index.html");   // https://www.example.com:443/index.html
//     if (d.Initialize() && d.DownloadPage()) use(d.GetStatusCode(), d.GetPage());
//
// The object owns its WinINet session: the destructor closes it, and the object cannot be copied
// (two copies would close one handle twice). Callers depend on the order and size of the data
// members, which therefore stay as they are; 32-bit values are fixed-width.
//
// Every request has a connect, send and receive time-out (30 s unless setTimeout says otherwise),
// and the whole download has the same as its deadline, so neither a server that accepts and never
// answers nor one that answers a byte at a time holds the caller.
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

    // Opens the WinINet session, through the proxy the worker manager holds when it says to use
    // one. An earlier session is closed first. False when the system gave no session.
    bool Initialize();
    // Closes the session (nothing when none is open).
    void Cleanup();

    // Time-out of each connect, send and receive of later downloads on the open session, in
    // milliseconds (a value below 1 means the default). Call after Initialize.
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
    // whole download as well as each step; past it the download fails with ERROR_INTERNET_TIMEOUT.
    // A download given up takes the session with it: call Initialize before the next one.
    bool DownloadPage(const std::function<bool()>& cancelled);
    // The text of the last download; valid until the next download or destruction.
    const char* GetPage() const { return page_.c_str(); }
    // Milliseconds and HTTP status of the last download (both 0 when nothing answered).
    int32_t GetDownloadTime() const { return downloadTime_; }
    int32_t GetStatusCode() const { return statusCode_; }

    // The first bytes (at most 1024) of the page; empty when the address cannot be opened.
    std::string getSnapshot();
    // The server's last response text WinINet kept for this thread (FTP and proxies fill it).
    std::string getLastError();

    // Stored only.
    void SetTestMode(bool testMode) { testMode_ = testMode; }
    void SetWindow(HWND window) { window_ = window; }

    // The session's time-out when setTimeout was not called.
    static const int kDefaultTimeoutMs = 30000;
    static const size_t kMaxPageBytes = 16 * 1024 * 1024;

private:
    void fixUrl();

    std::string agent_;
    std::string url_;
    HINTERNET session_;
    bool testMode_;
    HWND window_;
    std::string page_;
    int32_t downloadTime_;
    int32_t statusCode_;
    char buffer_[2048];   // reserved: part of the layout callers rely on
    bool secureMode_;
    int32_t port_;
};
