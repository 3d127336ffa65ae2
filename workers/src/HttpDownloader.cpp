#include "workers/HttpDownloader.h"

#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "HttpTransfer.h"
#include "workers/WorkerManager.h"

namespace {

const size_t kChunkBytes = 10249;
const size_t kSnapshotBytes = 1024;

// What Initialize opens: the transfer handles, kept for every download of the object, and what
// was fixed when the session opened (the proxy) or set on it since (the time-out).
struct Session {
    HttpTransfer transfer;
    std::string proxyList;   // the manager's proxy text; empty when no proxy is used
    DWORD timeoutMs = HttpDownloader::kDefaultTimeoutMs;
    std::string lastResponse;   // what a proxy said of the last transfer's failure; empty for none
};

Session* sessionOf(void* session)
{
    return static_cast<Session*>(session);
}

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

// The proxy for one scheme out of a proxy list as users give it: "host:port", or entries separated
// by spaces or semicolons, of which "http=host:port" and "https=host:port" name a scheme's own.
std::string proxyFor(const std::string& list, bool secure)
{
    const std::string own = secure ? "https=" : "http=";
    std::string any;
    size_t at = 0;
    while (at < list.size()) {
        size_t end = list.find_first_of("; ", at);
        std::string entry = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? list.size() : end + 1;
        if (entry.empty())
            continue;
        if (entry.compare(0, own.size(), own) == 0)
            return entry.substr(own.size());
        if (any.empty() && entry.find('=') == std::string::npos)
            any = entry;
    }
    return any;
}

// The certificates of the system's trusted roots: HTTPS servers are trusted exactly when the
// system trusts them.
std::vector<std::string> systemRoots()
{
    std::vector<std::string> der;
    HCERTSTORE store = CertOpenSystemStoreA(0, "ROOT");
    if (store) {
        PCCERT_CONTEXT certificate = NULL;
        while ((certificate = CertEnumCertificatesInStore(store, certificate)) != NULL)
            der.emplace_back(reinterpret_cast<const char*>(certificate->pbCertEncoded), certificate->cbCertEncoded);
        CertCloseStore(store, 0);
    }
    return der;
}

// Milliseconds of a steady clock read without a system round trip. GetTickCount lags behind by up
// to a scheduler tick when nothing asked the system anything for a while, as during a transfer
// made on the Unix side: a page that took 600 ms would then be timed a few milliseconds short.
long long steadyMs()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000 / frequency.QuadPart;
}

DWORD internetError(HttpTransfer::Failure failure)
{
    switch (failure) {
    case HttpTransfer::None: return 0;
    case HttpTransfer::BadAddress: return ERROR_INTERNET_INVALID_URL;
    case HttpTransfer::UnknownScheme: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case HttpTransfer::NameNotResolved: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case HttpTransfer::CannotConnect: return ERROR_INTERNET_CANNOT_CONNECT;
    case HttpTransfer::TimedOut: return ERROR_INTERNET_TIMEOUT;
    case HttpTransfer::Cancelled: return ERROR_INTERNET_OPERATION_CANCELLED;
    case HttpTransfer::ConnectionAborted: return ERROR_INTERNET_CONNECTION_ABORTED;
    case HttpTransfer::ConnectionReset: return ERROR_INTERNET_CONNECTION_RESET;
    case HttpTransfer::InvalidResponse: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case HttpTransfer::CertificateDate: return ERROR_INTERNET_SEC_CERT_DATE_INVALID;
    case HttpTransfer::CertificateName: return ERROR_INTERNET_SEC_CERT_CN_INVALID;
    case HttpTransfer::CertificateUntrusted: return ERROR_INTERNET_INVALID_CA;
    case HttpTransfer::ClientCertificateNeeded: return ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED;
    case HttpTransfer::SecureChannel: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case HttpTransfer::TooManyRedirects: return ERROR_HTTP_REDIRECT_FAILED;
    case HttpTransfer::TunnelRefused: return ERROR_INTERNET_EXTENDED_ERROR;   // the text tells
    case HttpTransfer::OutOfMemory: return ERROR_NOT_ENOUGH_MEMORY;
    case HttpTransfer::Other: break;
    }
    return ERROR_INTERNET_INTERNAL_ERROR;
}

// Gathers a page as the check reads it: in chunks of kChunkBytes counted from the start of the
// body, a zero byte ending the text of its chunk; reading stops at kMaxPageBytes.
class PageReader {
public:
    explicit PageReader(std::string& page) : page_(page), inChunk_(0), skipping_(false) {}

    bool take(const char* data, size_t size)
    {
        while (size > 0) {
            size_t part = std::min(size, kChunkBytes - inChunk_);
            if (!skipping_) {
                size_t text = strnlen(data, part);
                page_.append(data, text);
                skipping_ = text < part;
            }
            inChunk_ += part;
            data += part;
            size -= part;
            if (inChunk_ == kChunkBytes) {
                inChunk_ = 0;
                skipping_ = false;
            }
        }
        return page_.size() < HttpDownloader::kMaxPageBytes;
    }

private:
    std::string& page_;
    size_t inChunk_;
    bool skipping_;
};

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
    HttpTransfer::setTrustSource(systemRoots);
    Session* session = new (std::nothrow) Session;
    if (!session || !session->transfer.valid()) {
        delete session;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    bool useProxy = false;
    std::string proxy, user, password;
    WorkerManager::instance()->getProxy(useProxy, proxy, user, password);
    if (useProxy)
        session->proxyList = proxy;
    session_ = session;
    return true;
}

void HttpDownloader::Cleanup()
{
    delete sessionOf(session_);
    session_ = NULL;
}

void HttpDownloader::setTimeout(int milliseconds)
{
    if (session_)
        sessionOf(session_)->timeoutMs = static_cast<DWORD>(milliseconds > 0 ? milliseconds : kDefaultTimeoutMs);
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

bool HttpDownloader::transfer(const std::function<bool(const char*, size_t)>& sink,
                              const std::function<bool()>& cancelled, int& status, DWORD& error)
{
    status = 0;
    error = ERROR_INVALID_HANDLE;
    Session* session = sessionOf(session_);
    if (!session)
        return false;

    HttpTransfer::Request request;
    // Backslashes are what users type for slashes, and spaces what they type in paths; no server
    // expects either as they are.
    for (char c : url_) {
        if (c == '\\')
            request.url += '/';
        else if (c == ' ')
            request.url += "%20";
        else
            request.url += c;
    }
    request.agent = agent_;
    request.timeoutMs = session->timeoutMs;
    if (!session->proxyList.empty()) {
        request.proxy = proxyFor(session->proxyList, request.url.compare(0, 6, "https:") == 0);
        proxyLogin(request.proxyUser, request.proxyPassword);
    }
    HttpTransfer::Failure failure = session->transfer.get(request, sink, cancelled, status);
    error = internetError(failure);
    session->lastResponse.clear();
    if (failure == HttpTransfer::TunnelRefused)
        session->lastResponse = "the proxy refused the tunnel to the server with HTTP status " + std::to_string(status);
    return failure == HttpTransfer::None;
}

bool HttpDownloader::DownloadPage()
{
    return DownloadPage(std::function<bool()>());
}

bool HttpDownloader::DownloadPage(const std::function<bool()>& cancelled)
{
    page_.clear();
    downloadTime_ = 0;
    statusCode_ = 0;
    long long started = steadyMs();
    std::string page;
    PageReader reader(page);
    int status = 0;
    DWORD error = 0;
    bool downloaded = transfer([&reader](const char* data, size_t size) { return reader.take(data, size); },
                               cancelled, status, error);
    downloadTime_ = session_ ? static_cast<int32_t>(steadyMs() - started) : 0;
    statusCode_ = status;
    page_.swap(page);
    if (!downloaded)
        SetLastError(error);
    return downloaded;
}

std::string HttpDownloader::getSnapshot()
{
    std::string snapshot;
    int status = 0;
    DWORD error = 0;
    bool downloaded = transfer(
        [&snapshot](const char* data, size_t size) {
            snapshot.append(data, std::min(size, kSnapshotBytes - snapshot.size()));
            return snapshot.size() < kSnapshotBytes;
        },
        std::function<bool()>(), status, error);
    (void)downloaded;   // what came before a failure is still the first bytes of the page
    return snapshot;
}

std::string HttpDownloader::getLastError()
{
    // The transfer keeps no server text besides the status: the error code says it all, unless a
    // proxy refused the tunnel (ERROR_INTERNET_EXTENDED_ERROR), whose status is told here.
    Session* session = sessionOf(session_);
    return session ? session->lastResponse : std::string();
}
