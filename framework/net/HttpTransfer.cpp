// Only Unix headers here: see HttpTransfer.h. The compiler announces a Windows target, which would
// make the library headers below declare their Windows forms (Winsock sockets, Windows types):
// this file is built for the Unix side, where the libraries themselves live.
#undef _WIN32
#undef _WIN64
#undef WIN32
#undef WIN64
#undef __WIN32__
#undef __WIN64
#undef __WINNT
#undef __WINNT__

#include "HttpTransfer.h"

#include <curl/curl.h>
#include <errno.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const long kMaxRedirects = 10;
const int kSliceMs = 50;

std::mutex gTrustLock;
HttpTransfer::TrustSource gTrustSource = nullptr;
bool gTrustLoaded = false;
X509_STORE* gTrusted = nullptr;   // shared by every TLS context; each holds a reference

X509_STORE* storeOf(const std::vector<std::string>& der)
{
    X509_STORE* store = X509_STORE_new();
    if (!store)
        return nullptr;
    for (const std::string& certificate : der) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(certificate.data());
        X509* x = d2i_X509(nullptr, &bytes, static_cast<long>(certificate.size()));
        if (x) {
            X509_STORE_add_cert(store, x);
            X509_free(x);
        }
    }
    return store;
}

void initialiseOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// The library loads no authority of its own (the system bundle is not the set this program trusts):
// every TLS context gets the certificates of the trust source, loaded on the first one.
CURLcode onSslContext(CURL*, void* context, void*)
{
    std::lock_guard<std::mutex> lock(gTrustLock);
    if (!gTrustLoaded && gTrustSource) {
        gTrusted = storeOf(gTrustSource());
        gTrustLoaded = gTrusted != nullptr;
    }
    if (gTrusted)
        SSL_CTX_set1_cert_store(static_cast<SSL_CTX*>(context), gTrusted);
    return CURLE_OK;
}

// Handles left by transfers that ended, for the next ones: making a pair costs more than the GET
// of a small page (the multi handle's tables and its wake-up socket pair). A handle keeps nothing
// of one transfer for the next: each GET resets every option and opens a connection of its own.
class HandlePool {
public:
    static const size_t kMaxIdle = 32;

    void take(void*& easy, void*& multi)
    {
        {
            std::lock_guard<std::mutex> lock(lock_);
            if (!idle_.empty()) {
                easy = idle_.back().first;
                multi = idle_.back().second;
                idle_.pop_back();
                return;
            }
        }
        easy = curl_easy_init();
        multi = curl_multi_init();
    }

    void give(void* easy, void* multi)
    {
        if (easy && multi) {
            std::lock_guard<std::mutex> lock(lock_);
            if (idle_.size() < kMaxIdle) {
                idle_.emplace_back(easy, multi);
                return;
            }
        }
        if (multi)
            curl_multi_cleanup(static_cast<CURLM*>(multi));
        if (easy)
            curl_easy_cleanup(static_cast<CURL*>(easy));
    }

private:
    std::mutex lock_;
    std::vector<std::pair<void*, void*>> idle_;
};

HandlePool& pool()
{
    static HandlePool* handles = new HandlePool;   // never destroyed: transfers may end after exit() began
    return *handles;
}

struct Receiver {
    const HttpTransfer::Sink* sink;
    bool stopped;
};

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    Receiver* r = static_cast<Receiver*>(user);
    size_t bytes = size * count;
    if (bytes > 0 && !(*r->sink)(data, bytes)) {
        r->stopped = true;
        return 0;   // ends the transfer with a write error, which the caller knows to be its own stop
    }
    return bytes;
}

HttpTransfer::Failure certificateFailure(CURL* easy)
{
    long verify = X509_V_OK;
    curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &verify);
    switch (verify) {
    case X509_V_OK:
    // The library checks the name itself once the handshake has accepted the chain, and then
    // leaves the result at the value it starts from until the chain is judged: a good chain
    // whose certificate names another host.
    case X509_V_ERR_UNSPECIFIED:
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return HttpTransfer::CertificateName;
    case X509_V_ERR_CERT_NOT_YET_VALID:
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return HttpTransfer::CertificateDate;
    default:
        return HttpTransfer::CertificateUntrusted;
    }
}

HttpTransfer::Failure failureOf(CURLcode code, CURL* easy)
{
    switch (code) {
    case CURLE_OK:
        return HttpTransfer::None;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return HttpTransfer::UnknownScheme;
    case CURLE_URL_MALFORMAT:
        return HttpTransfer::BadAddress;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
        return HttpTransfer::NameNotResolved;
    case CURLE_COULDNT_CONNECT:
        return HttpTransfer::CannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpTransfer::TimedOut;
    case CURLE_PARTIAL_FILE:
        return HttpTransfer::ConnectionAborted;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: {
        long systemError = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &systemError);
        return systemError == ECONNRESET ? HttpTransfer::ConnectionReset : HttpTransfer::ConnectionAborted;
    }
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
        return HttpTransfer::InvalidResponse;
    case CURLE_SSL_CONNECT_ERROR:
        return HttpTransfer::SecureChannel;
    case CURLE_PEER_FAILED_VERIFICATION:
        return certificateFailure(easy);
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CLIENTCERT:
        return HttpTransfer::ClientCertificateNeeded;
    case CURLE_TOO_MANY_REDIRECTS:
        return HttpTransfer::TooManyRedirects;
    case CURLE_OUT_OF_MEMORY: {
        // The library says so also of a header line past its bound (an endless status or header
        // line): once a server was reached, that is what it was.
        long connects = 0;
        curl_easy_getinfo(easy, CURLINFO_NUM_CONNECTS, &connects);
        return connects > 0 ? HttpTransfer::InvalidResponse : HttpTransfer::OutOfMemory;
    }
    default:
        return HttpTransfer::Other;
    }
}

void setOptions(CURL* easy, const HttpTransfer::Request& request, Receiver& receiver)
{
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, request.agent.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    // A check measures a connection of its own, as a visitor would make it.
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_DNS_CACHE_TIMEOUT, 0L);   // and a lookup of its own
    // The system's lookup cannot be interrupted; the library runs it on a thread of its own and,
    // unless told otherwise, waits for that thread when a transfer ends before the lookup did (a
    // time-out, a stop): with a name server that never answers, until the resolver gives up,
    // seconds past the limit. Told so, it leaves the thread to end by itself. The same holds for
    // the lookup of a proxy known by name.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    long timeoutMs = static_cast<long>(std::max(1ul, request.timeoutMs));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    // The proxy is the caller's alone: an empty one turns off any the environment names.
    curl_easy_setopt(easy, CURLOPT_PROXY, request.proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    if (!request.proxy.empty() && !request.proxyUser.empty()) {
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_CAINFO, static_cast<char*>(nullptr));
    curl_easy_setopt(easy, CURLOPT_CAPATH, static_cast<char*>(nullptr));
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, onSslContext);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &receiver);
}

}  // namespace

HttpTransfer::HttpTransfer()
{
    initialiseOnce();
    pool().take(easy_, multi_);
}

HttpTransfer::~HttpTransfer()
{
    pool().give(easy_, multi_);
}

HttpTransfer::Failure HttpTransfer::get(const Request& request, const Sink& sink,
                                        const std::function<bool()>& cancelled, int& status)
{
    status = 0;
    if (!valid())
        return OutOfMemory;
    CURL* easy = static_cast<CURL*>(easy_);
    CURLM* multi = static_cast<CURLM*>(multi_);
    curl_easy_reset(easy);
    Receiver receiver = {&sink, false};
    setOptions(easy, request, receiver);
    if (curl_multi_add_handle(multi, easy) != CURLM_OK)
        return OutOfMemory;

    // The library's own time-out ends the transfer; the deadline here is the same, in case a
    // step it does not time (a lookup on its resolver thread) outlasts it.
    const Clock::time_point started = Clock::now();
    const Clock::time_point deadline = started + std::chrono::milliseconds(std::max(1ul, request.timeoutMs));
    Clock::time_point nextAsk = started + std::chrono::milliseconds(kSliceMs);
    Failure failure = None;
    bool finished = false;
    CURLcode code = CURLE_OK;
    while (!finished) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            failure = Other;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                code = message->data.result;
                finished = true;
            }
        }
        if (finished || running == 0) {
            finished = true;
            break;
        }
        Clock::time_point now = Clock::now();
        // Asking about a stop may cost a system call: once a slice, not once a wake-up.
        if (cancelled && now >= nextAsk) {
            if (cancelled()) {
                failure = Cancelled;
                break;
            }
            nextAsk = now + std::chrono::milliseconds(kSliceMs);
        }
        if (now >= deadline) {
            failure = TimedOut;
            break;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        int waitMs = static_cast<int>(std::min<long long>(left, cancelled ? kSliceMs : left));
        curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
    }

    long answered = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &answered);
    long tunnel = 0;
    curl_easy_getinfo(easy, CURLINFO_HTTP_CONNECTCODE, &tunnel);
    if (finished) {
        failure = receiver.stopped && code == CURLE_WRITE_ERROR ? None : failureOf(code, easy);
        // A proxy that answered the tunnel's request with anything but 2xx (a redirect, an
        // interim answer, a refusal) never opened it: the server was not reached, whatever the
        // proxy's status says. The proxy's status is the one there is.
        if (failure != None && tunnel != 0 && (tunnel < 200 || tunnel > 299)) {
            answered = tunnel;
            failure = TunnelRefused;
        }
    }
    // A transfer that ran out of time or was stopped has no answer, whatever came before.
    status = failure == TimedOut || failure == Cancelled ? 0 : static_cast<int>(answered);
    curl_multi_remove_handle(multi, easy);
    return failure;
}

void HttpTransfer::setTrustSource(TrustSource source)
{
    std::lock_guard<std::mutex> lock(gTrustLock);
    gTrustSource = source;
}
