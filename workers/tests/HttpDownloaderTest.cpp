// HttpDownloader: the address it builds (unit), and downloads from the loopback HTTP and HTTPS
// fixtures (net): status codes, page text, time-outs, certificates, proxy and handle hygiene.
#include "orv/gtest.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "workers/HttpDownloader.h"
#include "workers/WorkerManager.h"

using workertest::nextHandleValue;
using workertest::writeFile;

namespace {

// ---------------------------------------------------------------------------------------------
// The address

struct UrlCase {
    bool secure;
    int port;
    const char* address;
    const char* url;
};

class HttpDownloaderUnitUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(HttpDownloaderUnitUrl, GetsSchemeAndPort)
{
    const UrlCase& c = GetParam();
    HttpDownloader d("Orvane test");
    d.setSecureMode(c.secure);
    d.setPort(c.port);
    d.SetURL(c.address);
    EXPECT_EQ(std::string(c.url), d.getURL()) << "address " << c.address;
}

const UrlCase kUrlCases[] = {
    {false, 80, "host/index.html", "http://host:80/index.html"},
    {false, 80, "host", "http://host:80"},
    {false, 80, "http:\\\\host\\a", "http://host:80\\a"},
    {false, 80, "http://host/x", "http://host:80/x"},
    {false, 8080, "http://host", "http://host:8080"},
    {true, 443, "host", "https://host:443"},
    {true, 8443, "https://host/a?b=c", "https://host:8443/a?b=c"},
    {true, 443, "https:\\\\host\\a", "https://host:443\\a"},
    // a port already named stays the only one
    {false, 80, "host:8080/x", "http://host:8080/x"},
    {false, 80, "http://host:8080", "http://host:8080"},
    {true, 443, "https://host:8443/x", "https://host:8443/x"},
    {false, 80, "http://user:pw@host/x", "http://user:pw@host:80/x"},
    {false, 80, "http://user:pw@host:81/x", "http://user:pw@host:81/x"},
    {false, 80, "[::1]/x", "http://[::1]:80/x"},
    {false, 80, "http://[::1]:8080/x", "http://[::1]:8080/x"},
    // the port goes before a query or fragment, whose colons are not ports
    {false, 80, "host?q=a:b", "http://host:80?q=a:b"},
    {false, 80, "host#top:1", "http://host:80#top:1"},
    {false, 80, "host/a:b", "http://host:80/a:b"},
};

INSTANTIATE_TEST_SUITE_P(Addresses, HttpDownloaderUnitUrl, ::testing::ValuesIn(kUrlCases));

TEST(HttpDownloaderUnit, ModeAndPortTakeEffectOnlyThroughSetUrl)
{
    HttpDownloader d("Orvane test");
    d.SetURL("host");
    d.setPort(8080);
    d.setSecureMode(true);
    EXPECT_EQ("http://host:80", d.getURL());
}

TEST(HttpDownloaderUnit, DownloadWithoutSessionFailsCleanly)
{
    HttpDownloader d("Orvane test");
    d.SetURL("127.0.0.1/");
    EXPECT_FALSE(d.DownloadPage());
    EXPECT_EQ(0, d.GetStatusCode());
    EXPECT_STREQ("", d.GetPage());
    EXPECT_EQ("", d.getSnapshot());
}

// ---------------------------------------------------------------------------------------------
// Downloads

const char* const kHost = "127.0.0.1";

// Serves the fixture routes and the files of a scratch folder on 127.0.0.1:8080.
class HttpDownloaderNet : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = orvtest::fixtureDir() + "/www";
        CreateDirectoryA(orvtest::windowsPath(root_).c_str(), NULL);
        writeFile(orvtest::windowsPath(root_ + "/zero.html"), std::string("before\0after", 12));
        std::string big;
        for (int i = 0; i < 5000; ++i)
            big += static_cast<char>('a' + i % 26);
        writeFile(orvtest::windowsPath(root_ + "/big.html"), big);
        server_.reset(new orvtest::FixtureServer("http_srv", {kHost, "8080", "--root", root_}));
        ASSERT_TRUE(server_->running()) << server_->error();
    }

    std::string root_;
    std::unique_ptr<orvtest::FixtureServer> server_;
};

struct StatusCase {
    const char* path;
    int status;
    const char* pageHolds;
};

TEST_F(HttpDownloaderNet, AnyAnswerIsACompletedDownloadWithItsStatus)
{
    const StatusCase cases[] = {
        {"/status/200", 200, "status 200"},
        {"/status/404", 404, "status 404"},
        {"/status/500", 500, "status 500"},
        {"/status/503", 503, "status 503"},
        {"/no-such-file.html", 404, "not found"},
        {"/redirect?to=/status/201", 201, "status 201"},
    };
    for (const StatusCase& c : cases) {
        HttpDownloader d("Orvane test");
        d.setPort(8080);
        d.SetURL((std::string(kHost) + c.path).c_str());
        ASSERT_TRUE(d.Initialize());
        EXPECT_TRUE(d.DownloadPage()) << c.path << " error " << GetLastError();
        EXPECT_EQ(c.status, d.GetStatusCode()) << c.path;
        EXPECT_NE(std::string::npos, std::string(d.GetPage()).find(c.pageHolds)) << c.path << ": " << d.GetPage();
        EXPECT_GE(d.GetDownloadTime(), 0);
    }
}

TEST_F(HttpDownloaderNet, ZeroByteEndsTheTextOfItsChunk)
{
    HttpDownloader d("Orvane test");
    d.setPort(8080);
    d.SetURL("127.0.0.1/zero.html");
    ASSERT_TRUE(d.Initialize());
    ASSERT_TRUE(d.DownloadPage());
    EXPECT_STREQ("before", d.GetPage());
}

TEST_F(HttpDownloaderNet, SendsTheAgentAndThePathTheUserGave)
{
    HttpDownloader d("Orvane agent 7");
    d.setPort(8080);
    d.SetURL("http:\\\\127.0.0.1\\status\\200");
    ASSERT_TRUE(d.Initialize());
    ASSERT_TRUE(d.DownloadPage()) << GetLastError();
    EXPECT_EQ(200, d.GetStatusCode());
    std::vector<std::string> log = server_->outputOfAtLeast(1);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(0u, log[0].find("REQ GET /status/200 ")) << log[0];
    EXPECT_NE(std::string::npos, log[0].find("User-Agent=Orvane agent 7")) << log[0];
}

TEST_F(HttpDownloaderNet, SnapshotIsTheFirstKilobyte)
{
    HttpDownloader d("Orvane test");
    d.setPort(8080);
    d.SetURL("127.0.0.1/big.html");
    ASSERT_TRUE(d.Initialize());
    std::string snapshot = d.getSnapshot();
    ASSERT_FALSE(snapshot.empty());
    EXPECT_LE(snapshot.size(), 1024u);
    std::string expected;
    for (size_t i = 0; i < snapshot.size(); ++i)
        expected += static_cast<char>('a' + i % 26);
    EXPECT_EQ(expected, snapshot);
}

TEST_F(HttpDownloaderNet, NothingListeningFailsAtOnce)
{
    HttpDownloader d("Orvane test");
    d.setPort(8081);
    d.SetURL("127.0.0.1/");
    ASSERT_TRUE(d.Initialize());
    DWORD started = GetTickCount();
    EXPECT_FALSE(d.DownloadPage());
    EXPECT_NE(0u, GetLastError());
    EXPECT_LT(GetTickCount() - started, 5000u);
    EXPECT_STREQ("", d.GetPage());
    EXPECT_EQ(0, d.GetStatusCode());
    EXPECT_EQ("", d.getSnapshot());
}

// A name no resolver knows: the lookup runs on the Unix side and is bounded by the download's
// deadline like every other step, whether the resolver answers "no such name" or not at all.
TEST_F(HttpDownloaderNet, UnknownNameFailsWithinTheTimeOut)
{
    HttpDownloader d("Orvane test");
    d.setPort(8080);
    d.SetURL("no-such-host.invalid/status/200");
    ASSERT_TRUE(d.Initialize());
    d.setTimeout(2000);
    DWORD started = GetTickCount();
    EXPECT_FALSE(d.DownloadPage());
    DWORD error = GetLastError();
    EXPECT_TRUE(error == ERROR_INTERNET_NAME_NOT_RESOLVED || error == ERROR_INTERNET_TIMEOUT) << error;
    EXPECT_LT(GetTickCount() - started, 4000u);
    EXPECT_EQ(0, d.GetStatusCode());
}

// A server that takes the request and never answers ends the download after the time-out.
TEST_F(HttpDownloaderNet, SilentServerTimesOut)
{
    const int limits[] = {1500, 3000};
    for (int limit : limits) {
        HttpDownloader d("Orvane test");
        d.setPort(8080);
        d.SetURL("127.0.0.1/hang");
        ASSERT_TRUE(d.Initialize());
        d.setTimeout(limit);
        DWORD started = GetTickCount();
        EXPECT_FALSE(d.DownloadPage());
        DWORD took = GetTickCount() - started;
        EXPECT_GE(took + 100, static_cast<DWORD>(limit)) << "limit " << limit;
        EXPECT_LT(took, static_cast<DWORD>(limit) + 2000) << "limit " << limit;

        started = GetTickCount();
        EXPECT_EQ("", d.getSnapshot());
        took = GetTickCount() - started;
        EXPECT_LT(took, static_cast<DWORD>(limit) + 2000) << "snapshot, limit " << limit;
    }
}

TEST_F(HttpDownloaderNet, ThousandsOfDownloadsLeaveNoHandleOpen)
{
    uintptr_t before = nextHandleValue();
    for (int i = 0; i < 3000; ++i) {
        HttpDownloader d("Orvane test");
        // Mostly refused connections, which are quick; every tenth a whole download.
        d.setPort(i % 10 == 0 ? 8080 : 8081);
        d.SetURL(i % 20 ? "127.0.0.1/status/200" : "127.0.0.1/status/404");
        ASSERT_TRUE(d.Initialize());
        if (i % 7 == 0) {
            ASSERT_TRUE(d.Initialize());   // a second Initialize replaces the first session
        }
        d.DownloadPage();
        if (i % 100 == 0)
            d.getSnapshot();
    }
    EXPECT_EQ(before, nextHandleValue());
}

TEST_F(HttpDownloaderNet, GoesThroughTheProxyTheManagerHolds)
{
    WorkerManager::instance()->setProxy(true, "127.0.0.1:8080", "", "");
    HttpDownloader d("Orvane test");
    d.SetURL("target.invalid/status/200");
    bool opened = d.Initialize();
    WorkerManager::instance()->setProxy(false, "", "", "");
    ASSERT_TRUE(opened);
    ASSERT_TRUE(d.DownloadPage()) << GetLastError();
    EXPECT_EQ(200, d.GetStatusCode());
    std::vector<std::string> log = server_->outputOfAtLeast(1);
    ASSERT_EQ(1u, log.size());
    // the absolute address, the default port left out as HTTP allows
    EXPECT_EQ(0u, log[0].find("REQ GET http://target.invalid/status/200 ")) << log[0];
}

// A name server that takes the query and never answers: the system's resolver would wait for it
// for seconds whatever the download's limit. The lookup of the target, and of a proxy known by
// name, is one step of the download like the others: the limit and a stop end it.
TEST(HttpDownloaderNetSilentNameServer, TheLimitAndAStopEndTheLookup)
{
    orvtest::FixtureServer dns("dns_silent", {});
    ASSERT_TRUE(dns.running()) << dns.error();
    struct Case {
        const char* name;
        const char* address;
        const char* proxy;   // empty for none
        DWORD limitMs;
        DWORD stopAtMs;      // 0: no stop
        DWORD error;
    };
    const Case cases[] = {
        {"limit", "silent-name.example/status/200", "", 1500, 0, ERROR_INTERNET_TIMEOUT},
        {"stop", "silent-name.example/status/200", "", 60000, 300, ERROR_INTERNET_OPERATION_CANCELLED},
        {"proxy by name, limit", "127.0.0.1/status/200", "silent-proxy.example:8080", 1500, 0,
         ERROR_INTERNET_TIMEOUT},
        {"proxy by name, stop", "127.0.0.1/status/200", "silent-proxy.example:8080", 60000, 300,
         ERROR_INTERNET_OPERATION_CANCELLED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorkerManager::instance()->setProxy(c.proxy[0] != 0, c.proxy, "", "");
        HttpDownloader d("Orvane test");
        d.setPort(8080);
        d.SetURL(c.address);
        bool opened = d.Initialize();
        WorkerManager::instance()->setProxy(false, "", "", "");
        ASSERT_TRUE(opened);
        d.setTimeout(static_cast<int>(c.limitMs));
        DWORD started = GetTickCount();
        bool downloaded = d.DownloadPage([&] { return c.stopAtMs != 0 && GetTickCount() - started >= c.stopAtMs; });
        DWORD took = GetTickCount() - started;
        DWORD error = GetLastError();
        printf("[ figure   ] silent name server, %s: ended after %lu ms\n", c.name, static_cast<unsigned long>(took));
        EXPECT_FALSE(downloaded);
        EXPECT_EQ(c.error, error);
        EXPECT_EQ(0, d.GetStatusCode());
        // the resolver gives up after 5 s: the download must end well before that
        EXPECT_LT(took, 4000u);
    }
    // every lookup reached the name server and waited there
    std::vector<std::string> queries = dns.outputOfAtLeast(4);
    EXPECT_NE(queries.end(), std::find(queries.begin(), queries.end(), "QUERY silent-name.example"));
    EXPECT_NE(queries.end(), std::find(queries.begin(), queries.end(), "QUERY silent-proxy.example"));
}

// A proxy that wants a login: the manager's login answers its challenge, a wrong one does not.
TEST(HttpDownloaderNetProxy, ProxyLoginAnswersTheChallenge)
{
    orvtest::FixtureServer proxy("http_srv", {kHost, "8080", "--proxy-auth", "puser:ppass"});
    ASSERT_TRUE(proxy.running()) << proxy.error();
    struct Case {
        const char* user;
        const char* password;
        int status;
    };
    const Case cases[] = {{"puser", "ppass", 200}, {"puser", "wrong", 407}, {"", "", 407}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + ":" + c.password);
        WorkerManager::instance()->setProxy(true, "127.0.0.1:8080", c.user, c.password);
        HttpDownloader d("Orvane test");
        d.SetURL("target.invalid/status/200");
        bool opened = d.Initialize();
        bool downloaded = opened && d.DownloadPage();
        WorkerManager::instance()->setProxy(false, "", "", "");
        ASSERT_TRUE(downloaded) << GetLastError();
        EXPECT_EQ(c.status, d.GetStatusCode());
    }
    // three cases, at least one request each; the first case's login is among the first three lines
    std::vector<std::string> log = proxy.outputOfAtLeast(3);
    bool loginSent = false;
    for (const std::string& line : log)
        loginSent = loginSent || line.find("Proxy-Authorization=Basic cHVzZXI6cHBhc3M=") != std::string::npos;
    EXPECT_TRUE(loginSent);
}

// A proxy that refuses the tunnel to an HTTPS server: the server was never reached, whatever the
// proxy's status says. The failure names the proxy's status; the status is kept as the code.
TEST(HttpDownloaderNetProxy, ARefusedTunnelIsAFailureWithTheProxysStatus)
{
    struct Case {
        const char* statusLine;
        int status;
    };
    const Case cases[] = {{"302 Found", 302}, {"101 Switching Protocols", 101}, {"403 Forbidden", 403}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statusLine);
        orvtest::FixtureServer proxy("http_srv", {kHost, "8080", "--refuse-connect", c.statusLine});
        ASSERT_TRUE(proxy.running()) << proxy.error();
        WorkerManager::instance()->setProxy(true, "127.0.0.1:8080", "", "");
        HttpDownloader d("Orvane test");
        d.setSecureMode(true);
        d.setPort(8443);
        d.SetURL("localhost/status/200");
        bool opened = d.Initialize();
        WorkerManager::instance()->setProxy(false, "", "", "");
        ASSERT_TRUE(opened);
        EXPECT_FALSE(d.DownloadPage());
        EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_EXTENDED_ERROR), GetLastError());
        EXPECT_EQ(c.status, d.GetStatusCode());
        EXPECT_EQ("the proxy refused the tunnel to the server with HTTP status " + std::to_string(c.status),
                  d.getLastError());
        EXPECT_STREQ("", d.GetPage());
        std::vector<std::string> log = proxy.outputOfAtLeast(1);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ("REQ CONNECT localhost:8443", log[0]);
    }
}

// HTTPS against the certificate the test prefix trusts, a self-signed one, and a trusted one of
// another server (for another name and for no IP address).
struct TlsCase {
    const char* certificate;
    const char* host;
    DWORD error;   // 0: downloads
};

TEST(HttpDownloaderNetTls, OnlyATrustedCertificateForTheAddressDownloads)
{
    const TlsCase cases[] = {
        {"localhost", "localhost", 0},
        {"localhost", "127.0.0.1", 0},
        {"selfsigned", "localhost", ERROR_INTERNET_INVALID_CA},
        {"othername", "localhost", ERROR_INTERNET_SEC_CERT_CN_INVALID},
        {"othername", "127.0.0.1", ERROR_INTERNET_SEC_CERT_CN_INVALID},
    };
    std::string certs = orvtest::env("ORV_BINARY_DIR") + "/wine/certs/";
    for (const TlsCase& c : cases) {
        SCOPED_TRACE(std::string(c.certificate) + " at " + c.host);
        orvtest::FixtureServer https("http_srv", {kHost, "8443", "--tls", certs + c.certificate + ".pem",
                                                  certs + c.certificate + ".key"});
        ASSERT_TRUE(https.running()) << https.error();
        HttpDownloader d("Orvane test");
        d.setSecureMode(true);
        d.setPort(8443);
        d.SetURL((std::string(c.host) + "/status/200").c_str());
        EXPECT_EQ("https://" + std::string(c.host) + ":8443/status/200", d.getURL());
        ASSERT_TRUE(d.Initialize());
        bool downloads = c.error == 0;
        EXPECT_EQ(downloads, d.DownloadPage());
        EXPECT_EQ(c.error, downloads ? 0 : GetLastError());
        EXPECT_EQ(downloads ? 200 : 0, d.GetStatusCode());
        EXPECT_EQ(downloads, std::string(d.GetPage()).find("status 200") != std::string::npos);
    }
}

}  // namespace
