#include "workers/HttpDownloader.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "AbandonableCall.h"
#include "InternetSession.h"
#include "workers/WorkerManager.h"

namespace {

const DWORD kChunkBytes = 10249;
const DWORD kSnapshotBytes = 1024;

// The connection and request handles of one download, closed whatever way the download ends.
class Request {
public:
    Request() : connection_(NULL), request_(NULL) {}
    ~Request() { close(); }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    // Connects and sends the GET of url. False on failure, with GetLastError kept.
    //
    // The request is built by hand rather than with InternetOpenUrl so that its time-outs can be
    // set before it is sent: the one-call form waits for the answer with no time-out at all on
    // some WinINet implementations, and a server that accepts and never answers would hold the
    // worker for ever.
    bool open(HINTERNET session, const std::string& url, bool secure, DWORD timeoutMs,
              const std::string& proxyUser, const std::string& proxyPassword)
    {
        // Backslashes are what users type for slashes; no server expects one in a path.
        std::string address = url;
        for (char& c : address)
            if (c == '\\')
                c = '/';

        URL_COMPONENTSA parts = {};
        parts.dwStructSize = sizeof parts;
        parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUserNameLength = 1;
        parts.dwPasswordLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
        if (!InternetCrackUrlA(address.c_str(), 0, 0, &parts) || !parts.lpszHostName || parts.dwHostNameLength == 0) {
            SetLastError(ERROR_INTERNET_INVALID_URL);
            return false;
        }
        std::string host(parts.lpszHostName, parts.dwHostNameLength);
        std::string user = parts.lpszUserName ? std::string(parts.lpszUserName, parts.dwUserNameLength) : "";
        std::string password = parts.lpszPassword ? std::string(parts.lpszPassword, parts.dwPasswordLength) : "";
        std::string path = parts.lpszUrlPath ? std::string(parts.lpszUrlPath, parts.dwUrlPathLength) : "";
        std::string extra = parts.lpszExtraInfo ? std::string(parts.lpszExtraInfo, parts.dwExtraInfoLength) : "";
        size_t fragment = extra.find('#');   // the fragment is the browser's business, not the server's
        if (fragment != std::string::npos)
            extra.erase(fragment);
        if (path.empty())
            path = "/";

        DWORD flags = INTERNET_FLAG_RELOAD;
        if (secure || parts.nScheme == INTERNET_SCHEME_HTTPS)
            flags |= INTERNET_FLAG_SECURE;

        connection_ = InternetConnectA(session, host.c_str(), parts.nPort, user.empty() ? NULL : user.c_str(),
                                       password.empty() ? NULL : password.c_str(), INTERNET_SERVICE_HTTP, 0, 0);
        if (!connection_)
            return false;
        request_ = HttpOpenRequestA(connection_, "GET", (path + extra).c_str(), NULL, NULL, NULL, flags, 0);
        if (!request_)
            return false;
        InternetSetOptionA(request_, INTERNET_OPTION_CONNECT_TIMEOUT, &timeoutMs, sizeof timeoutMs);
        InternetSetOptionA(request_, INTERNET_OPTION_SEND_TIMEOUT, &timeoutMs, sizeof timeoutMs);
        InternetSetOptionA(request_, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeoutMs, sizeof timeoutMs);
        if (!HttpSendRequestA(request_, NULL, 0, NULL, 0))
            return false;
        if (!proxyUser.empty() && status() == HTTP_STATUS_PROXY_AUTH_REQ) {
            // Not every WinINet sends the proxy login set on the session by itself: answer the
            // proxy's challenge once with the login on the request.
            char discard[1024];
            DWORD read = 0;
            while (InternetReadFile(request_, discard, sizeof discard, &read) && read > 0) {
            }
            InternetSetOptionA(request_, INTERNET_OPTION_PROXY_USERNAME, const_cast<char*>(proxyUser.c_str()),
                               static_cast<DWORD>(proxyUser.size()));
            InternetSetOptionA(request_, INTERNET_OPTION_PROXY_PASSWORD, const_cast<char*>(proxyPassword.c_str()),
                               static_cast<DWORD>(proxyPassword.size()));
            return HttpSendRequestA(request_, NULL, 0, NULL, 0) != FALSE;
        }
        return true;
    }

    // The HTTP status of the answer; 0 when it carries none.
    int status() const
    {
        char text[80] = "";
        DWORD size = sizeof text;
        return HttpQueryInfoA(request_, HTTP_QUERY_STATUS_CODE, text, &size, NULL) ? atoi(text) : 0;
    }

    HINTERNET handle() const { return request_; }

    void close()
    {
        DWORD error = GetLastError();
        if (request_)
            InternetCloseHandle(request_);
        if (connection_)
            InternetCloseHandle(connection_);
        request_ = connection_ = NULL;
        SetLastError(error);
    }

private:
    HINTERNET connection_;
    HINTERNET request_;
};

// Where the authority of url begins: after "//" (or a double backslash), else after "scheme:".
size_t authorityStart(const std::string& url, const char* bareScheme)
{
    size_t slashes = url.find("//");
    size_t backslashes = url.find("\\\\");
    if (backslashes != std::string::npos && (slashes == std::string::npos || backslashes < slashes))
        return backslashes + 2;
    if (slashes != std::string::npos)
        return slashes + 2;
    return url.compare(0, strlen(bareScheme), bareScheme) == 0 ? strlen(bareScheme) : 0;
}

// The authority (user info, host and port) names a port: "host:8080", "user:pw@host:8080",
// "[::1]:8080".
bool namesPort(const std::string& authority)
{
    size_t at = authority.rfind('@');
    std::string hostPort = at == std::string::npos ? authority : authority.substr(at + 1);
    size_t bracket = hostPort.rfind(']');
    return hostPort.find(':', bracket == std::string::npos ? 0 : bracket) != std::string::npos;
}

// The time-out setTimeout left on the session.
DWORD sessionTimeoutMs(HINTERNET session)
{
    DWORD timeoutMs = HttpDownloader::kDefaultTimeoutMs;
    DWORD size = sizeof timeoutMs;
    InternetQueryOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeoutMs, &size);
    return timeoutMs;
}

// The proxy login the worker manager holds; empty when no proxy is used.
void proxyLogin(std::string& user, std::string& password)
{
    bool useProxy = false;
    std::string proxy;
    WorkerManager::instance()->getProxy(useProxy, proxy, user, password);
    if (!useProxy) {
        user.clear();
        password.clear();
    }
}

}  // namespace

HttpDownloader::HttpDownloader(const char* agent)
    : agent_(agent ? agent : ""),
      session_(NULL),
      testMode_(false),
      window_(NULL),
      downloadTime_(0),
      statusCode_(0),
      secureMode_(false),
      port_(80)
{
    memset(buffer_, 0, sizeof buffer_);
}

HttpDownloader::~HttpDownloader()
{
    Cleanup();
}

bool HttpDownloader::Initialize()
{
    Cleanup();
    session_ = openInternetSession(agent_);
    if (session_)
        setTimeout(kDefaultTimeoutMs);
    return session_ != NULL;
}

void HttpDownloader::Cleanup()
{
    if (session_) {
        InternetCloseHandle(session_);
        session_ = NULL;
    }
}

// The session keeps the time-out as its connect time-out (an option every WinINet keeps and
// answers on a session handle); each request copies it to all three of its own time-outs.
void HttpDownloader::setTimeout(int milliseconds)
{
    if (!session_)
        return;
    DWORD value = static_cast<DWORD>(milliseconds > 0 ? milliseconds : kDefaultTimeoutMs);
    InternetSetOptionA(session_, INTERNET_OPTION_CONNECT_TIMEOUT, &value, sizeof value);
}

void HttpDownloader::SetURL(const char* url)
{
    url_ = url ? url : "";
    fixUrl();
}

void HttpDownloader::fixUrl()
{
    const char* backslashForm = secureMode_ ? "https:\\\\" : "http:\\\\";
    const char* bareScheme = secureMode_ ? "https:" : "http:";
    const char* slashForm = secureMode_ ? "https://" : "http://";

    if (url_.find(backslashForm) != std::string::npos)
        url_.erase(0, strlen(backslashForm));
    if (url_.find(bareScheme) == std::string::npos)
        url_.insert(0, slashForm);

    // The port goes where the authority ends, before the path, the query or the fragment; an
    // authority that already names a port keeps it (a second one would make the address invalid).
    size_t start = authorityStart(url_, bareScheme);
    size_t end = url_.find_first_of("/\\?#", start);
    if (namesPort(url_.substr(start, end == std::string::npos ? std::string::npos : end - start)))
        return;
    std::string port = ":" + std::to_string(port_);
    if (end == std::string::npos)
        url_ += port;
    else
        url_.insert(end, port);
}

namespace {

// One download, shared by the caller and the thread that makes it. The caller may walk away
// (deadline or stop) while a WinINet call still blocks: the thread then finishes on its own,
// stops reading at its next chunk, and closes the session it was handed.
struct Download {
    enum State { Running = 0, Finished = 1, Abandoned = 2 };

    HINTERNET session = NULL;
    std::string url;
    bool secure = false;
    DWORD limitMs = 0;
    std::string proxyUser;
    std::string proxyPassword;

    bool complete = false;
    DWORD error = 0;
    int status = 0;
    std::string page;
    volatile LONG state = Running;

    bool abandoned() const
    {
        return InterlockedCompareExchange(const_cast<volatile LONG*>(&state), 0, 0) == Abandoned;
    }
};

void download(Download& d)
{
    Request request;
    d.complete = request.open(d.session, d.url, d.secure, d.limitMs, d.proxyUser, d.proxyPassword);
    d.error = d.complete ? 0 : GetLastError();
    if (d.complete) {
        d.status = request.status();
        std::vector<char> buffer(kChunkBytes);
        char* chunk = buffer.data();
        while (!d.abandoned()) {
            DWORD read = 0;
            if (!InternetReadFile(request.handle(), chunk, kChunkBytes, &read)) {
                // an answer that breaks off is no page: the check must not pass on half of one
                d.error = GetLastError();
                d.complete = false;
                break;
            }
            if (read == 0)
                break;
            d.page.append(chunk, strnlen(chunk, read));
            if (d.page.size() >= HttpDownloader::kMaxPageBytes)
                break;
        }
    }
    request.close();
    // Whoever comes second owns the session: the caller when it is still waiting, else this.
    if (InterlockedCompareExchange(&d.state, Download::Finished, Download::Running) == Download::Abandoned)
        InternetCloseHandle(d.session);
}

}  // namespace

bool HttpDownloader::DownloadPage()
{
    return DownloadPage(std::function<bool()>());
}

bool HttpDownloader::DownloadPage(const std::function<bool()>& cancelled)
{
    page_.clear();
    downloadTime_ = 0;
    statusCode_ = 0;
    DWORD started = GetTickCount();
    if (!session_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    std::shared_ptr<Download> d = std::make_shared<Download>();
    d->session = session_;
    d->url = url_;
    d->secure = secureMode_;
    d->limitMs = sessionTimeoutMs(session_);
    proxyLogin(d->proxyUser, d->proxyPassword);

    // One deadline for the whole download, not only for each step: a server that sends a byte
    // within every receive time-out would otherwise hold the caller for ever. WinINet has no way
    // to interrupt a blocked call (closing its handles does not end it everywhere), so the
    // download runs on a thread of its own that the caller can leave.
    AbandonableCall::Outcome outcome = AbandonableCall::run([d] { download(*d); }, d->limitMs, cancelled);
    if (outcome != AbandonableCall::Done &&
        InterlockedCompareExchange(&d->state, Download::Abandoned, Download::Running) == Download::Running) {
        session_ = NULL;   // the download's thread closes it when it ends
        downloadTime_ = static_cast<int32_t>(GetTickCount() - started);
        SetLastError(outcome == AbandonableCall::TimedOut ? ERROR_INTERNET_TIMEOUT : ERROR_INTERNET_OPERATION_CANCELLED);
        return false;
    }
    downloadTime_ = static_cast<int32_t>(GetTickCount() - started);
    statusCode_ = d->status;
    page_.swap(d->page);
    if (!d->complete)
        SetLastError(d->error);
    return d->complete;
}

std::string HttpDownloader::getSnapshot()
{
    if (!session_)
        return std::string();
    std::string proxyUser, proxyPassword;
    proxyLogin(proxyUser, proxyPassword);
    Request request;
    if (!request.open(session_, url_, secureMode_, sessionTimeoutMs(session_), proxyUser, proxyPassword))
        return std::string();
    char snapshot[kSnapshotBytes];
    DWORD read = 0;
    if (!InternetReadFile(request.handle(), snapshot, sizeof snapshot, &read))
        read = 0;
    return std::string(snapshot, read);
}

std::string HttpDownloader::getLastError()
{
    return lastInternetResponse();
}
