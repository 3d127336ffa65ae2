// End-to-end proof that the platform works under Wine: Win32 threads and named events, log4cxx,
// WinINet against the loopback HTTP fixture, ICMP echo, and a window painted under Xvfb.
#include "orv/gtest.h"
#include "orv/log4cxx.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"

#include <windows.h>
#include <wininet.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <string>

namespace {

struct WaitJob {
    HANDLE events[2];
    DWORD result = 0;
    DWORD secondResult = 0;
};

DWORD WINAPI waitOnBoth(LPVOID p)
{
    WaitJob* job = static_cast<WaitJob*>(p);
    job->result = WaitForMultipleObjects(2, job->events, FALSE, 5000);
    // auto-reset: the signal that woke us is gone
    job->secondResult = WaitForMultipleObjects(2, job->events, FALSE, 50);
    return 0;
}

}  // namespace

TEST(PlatformUnit, ThreadWakesOnTheSecondOfTwoNamedAutoResetEvents)
{
    WaitJob job;
    job.events[0] = CreateEventA(NULL, FALSE, FALSE, "OrvSmokeStop");
    job.events[1] = CreateEventA(NULL, FALSE, FALSE, "OrvSmokeWake");
    ASSERT_TRUE(job.events[0] && job.events[1]);
    HANDLE t = CreateThread(NULL, 0, waitOnBoth, &job, 0, NULL);
    ASSERT_TRUE(t);
    HANDLE byName = OpenEventA(EVENT_MODIFY_STATE, FALSE, "OrvSmokeWake");
    ASSERT_TRUE(byName);
    Sleep(50);
    SetEvent(byName);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t, 5000));
    EXPECT_EQ(WAIT_OBJECT_0 + 1, job.result);
    EXPECT_EQ(DWORD(WAIT_TIMEOUT), job.secondResult);
    CloseHandle(t);
    CloseHandle(byName);
    CloseHandle(job.events[0]);
    CloseHandle(job.events[1]);
}

TEST(PlatformUnit, Log4cxxWritesALineThatWin32ReadsBack)
{
    std::string unixLog = orvtest::fixtureDir() + "/smoke.log";
    log4cxx::LayoutPtr layout(new log4cxx::PatternLayout("%p %c - %m%n"));
    log4cxx::AppenderPtr appender(new log4cxx::FileAppender(layout, unixLog, false));
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("smoke.platform");
    logger->addAppender(appender);
    LOG4CXX_INFO(logger, "platform smoke line " << 42);
    logger->removeAppender(appender);
    appender->close();
    EXPECT_EQ("INFO smoke.platform - platform smoke line 42\n", orvtest::readFile(orvtest::windowsPath(unixLog), "<cannot open " + unixLog + ">"));
}

TEST(PlatformNet, WinInetFetchesThePageOfTheLoopbackHttpFixture)
{
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "8080"});
    ASSERT_TRUE(http.running()) << http.error();
    HINTERNET session = InternetOpenA("Orvane smoke", INTERNET_OPEN_TYPE_DIRECT, NULL, NULL, 0);
    ASSERT_TRUE(session);
    DWORD limit = 5000;
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &limit, sizeof limit);
    HINTERNET url = InternetOpenUrlA(session, "http://127.0.0.1:8080/index.html", NULL, 0, INTERNET_FLAG_RELOAD, 0);
    ASSERT_TRUE(url) << "error " << GetLastError();
    DWORD status = 0, size = sizeof status;
    HttpQueryInfoA(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, NULL);
    std::string body;
    char buf[1024];
    DWORD n;
    while (InternetReadFile(url, buf, sizeof buf, &n) && n > 0) body.append(buf, n);
    InternetCloseHandle(url);
    InternetCloseHandle(session);
    EXPECT_EQ(200u, status);
    EXPECT_NE(std::string::npos, body.find("Hello from the fixture")) << body;
    std::vector<std::string> log = http.outputOfAtLeast(1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(0u, log[0].find("REQ GET /index.html")) << log[0];
}

TEST(PlatformNet, HttpsFixtureIsTrustedThroughTheTestCa)
{
    std::string certs = orvtest::env("ORV_BINARY_DIR") + "/wine/certs/";
    orvtest::FixtureServer https("http_srv", {"127.0.0.1", "8443", "--tls", certs + "localhost.pem", certs + "localhost.key"});
    ASSERT_TRUE(https.running()) << https.error();
    HINTERNET session = InternetOpenA("Orvane smoke", INTERNET_OPEN_TYPE_DIRECT, NULL, NULL, 0);
    ASSERT_TRUE(session);
    // the certificate names localhost; WinINet checks the name even for an IP in the SAN
    HINTERNET url = InternetOpenUrlA(session, "https://localhost:8443/status/200", NULL, 0,
                                     INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE, 0);
    DWORD error = GetLastError(), status = 0, size = sizeof status;
    if (url) HttpQueryInfoA(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, NULL);
    if (url) InternetCloseHandle(url);
    InternetCloseHandle(session);
    ASSERT_TRUE(url) << "error " << error;
    EXPECT_EQ(200u, status);
}

TEST(PlatformNet, IcmpEchoToLoopbackIsAnswered)
{
    HANDLE icmp = IcmpCreateFile();
    ASSERT_NE(INVALID_HANDLE_VALUE, icmp);
    char payload[32] = "orvane smoke";
    char reply[sizeof(ICMP_ECHO_REPLY) + sizeof payload + 64];
    DWORD n = IcmpSendEcho(icmp, htonl(INADDR_LOOPBACK), payload, sizeof payload, NULL, reply, sizeof reply, 2000);
    ASSERT_EQ(1u, n) << "error " << GetLastError();
    const ICMP_ECHO_REPLY* r = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
    EXPECT_EQ(DWORD(IP_SUCCESS), r->Status);
    EXPECT_EQ(htonl(INADDR_LOOPBACK), r->Address);
    IcmpCloseHandle(icmp);
}

namespace {

LRESULT CALLBACK redWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT rc;
        GetClientRect(w, &rc);
        FillRect(dc, &rc, red);
        DeleteObject(red);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

TEST(PlatformGui, WindowPaintedUnderXvfbIsReadBackByPixel)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = redWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "OrvSmokeRed";
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND w = CreateWindowExA(0, "OrvSmokeRed", "Orvane smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                             NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(w) << "error " << GetLastError();
    UpdateWindow(w);
    MSG m;
    DWORD until = GetTickCount() + 500;
    while (GetTickCount() < until) {
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    HDC dc = GetDC(w);
    COLORREF inside = GetPixel(dc, 150, 80);
    ReleaseDC(w, dc);
    // and through the screen, as a user would see it
    POINT p = {150, 80};
    ClientToScreen(w, &p);
    HDC screen = GetDC(NULL);
    COLORREF onScreen = GetPixel(screen, p.x, p.y);
    ReleaseDC(NULL, screen);
    RECT client;
    GetClientRect(w, &client);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    // the picture must show the window: taken from the X server, read back from the PNG kept
    orvtest::Picture picture;
    bool pictured = orvtest::screenshot("platform_smoke_window", &picture);
    DestroyWindow(w);
    EXPECT_EQ(RGB(255, 0, 0), inside);
    EXPECT_EQ(RGB(255, 0, 0), onScreen);
    ASSERT_TRUE(pictured);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), picture.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), picture.height);
    EXPECT_EQ(RGB(255, 0, 0), picture.pixel(p.x, p.y));
    // the whole client area is red in the picture, and nothing left of it
    int area = client.right * client.bottom;
    EXPECT_EQ(area, picture.count(RGB(255, 0, 0), origin.x, origin.y, origin.x + client.right,
                                  origin.y + client.bottom));
    EXPECT_EQ(0, picture.count(RGB(255, 0, 0), 0, 0, origin.x, picture.height));
}

// A window test that also reaches fixture servers on fixed ports: the display and the network
// namespace of its own together (isolate.sh --display-netns).
TEST(PlatformGuiNet, WindowShowsWhatTheHttpFixtureOnPort80Served)
{
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    HINTERNET session = InternetOpenA("Orvane smoke", INTERNET_OPEN_TYPE_DIRECT, NULL, NULL, 0);
    ASSERT_TRUE(session);
    DWORD limit = 5000;
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &limit, sizeof limit);
    HINTERNET url = InternetOpenUrlA(session, "http://127.0.0.1/index.html", NULL, 0, INTERNET_FLAG_RELOAD, 0);
    ASSERT_TRUE(url) << "error " << GetLastError();
    std::string body;
    char buf[1024];
    DWORD n;
    while (InternetReadFile(url, buf, sizeof buf, &n) && n > 0) body.append(buf, n);
    InternetCloseHandle(url);
    InternetCloseHandle(session);
    ASSERT_NE(std::string::npos, body.find("Hello from the fixture")) << body;

    // the same program shows it on its own display
    WNDCLASSA wc = {};
    wc.lpfnWndProc = redWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "OrvSmokeRedNet";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND w = CreateWindowExA(0, "OrvSmokeRedNet", "Hello from the fixture", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 300, 200, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(w) << "error " << GetLastError();
    UpdateWindow(w);
    POINT p = {150, 80};
    ClientToScreen(w, &p);
    // the X server maps the window in its own time: pump until the screen shows it (bounded)
    COLORREF onScreen = CLR_INVALID;
    for (DWORD until = GetTickCount() + 10000; GetTickCount() < until;) {
        MSG m;
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        HDC screen = GetDC(NULL);
        onScreen = GetPixel(screen, p.x, p.y);
        ReleaseDC(NULL, screen);
        if (onScreen == RGB(255, 0, 0)) break;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    bool pictured = orvtest::screenshot("platform_smoke_window_net");
    DestroyWindow(w);
    EXPECT_EQ(RGB(255, 0, 0), onScreen);
    EXPECT_TRUE(pictured);
    std::vector<std::string> log = http.outputOfAtLeast(1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(0u, log[0].find("REQ GET /index.html")) << log[0];
}
