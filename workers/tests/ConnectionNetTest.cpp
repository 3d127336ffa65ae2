// The TCP connection the socket checks share, against scripted peers on loopback: line reading
// (CR LF, LF, split segments, the byte cap, a peer that closes or stays silent), sending, and
// connects that are refused, unanswered, cancelled or aimed at unknown names.
#include <windows.h>

#include <vector>

#include "Connection.h"
#include "SilentTarget.h"
#include "WorkerTestSupport.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"

using namespace workertest;

namespace {

// Accepts one connection on 127.0.0.1 and plays a script: each step waits, sends, and may close.
// It also collects whatever the client sends until the client closes.
class ScriptedPeer {
public:
    struct Step {
        DWORD delayMs;
        std::string send;
        bool close;
    };

    explicit ScriptedPeer(const std::vector<Step>& steps) : steps_(steps), received_()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in sa = {};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = inet_addr("127.0.0.1");
        int length = sizeof sa;
        bind(listener_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        listen(listener_, 4);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&sa), &length);
        port_ = ntohs(sa.sin_port);
        thread_ = CreateThread(nullptr, 0, play, this, 0, nullptr);
    }
    ~ScriptedPeer()
    {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        closesocket(listener_);
    }
    int port() const { return port_; }
    // What the client sent (complete once the client closed and the peer ended).
    std::string received()
    {
        WaitForSingleObject(thread_, 10000);
        return received_;
    }

private:
    static DWORD WINAPI play(LPVOID self)
    {
        ScriptedPeer* p = static_cast<ScriptedPeer*>(self);
        SOCKET c = accept(p->listener_, nullptr, nullptr);
        if (c == INVALID_SOCKET)
            return 0;
        bool closed = false;
        for (const Step& s : p->steps_) {
            Sleep(s.delayMs);
            if (!s.send.empty())
                send(c, s.send.data(), static_cast<int>(s.send.size()), 0);
            if (s.close) {
                closed = true;
                break;
            }
        }
        if (!closed) {
            // Collect what the client sends until it closes (bounded).
            DWORD start = GetTickCount();
            char buf[8192];
            while (GetTickCount() - start < 8000) {
                fd_set fds;
                FD_ZERO(&fds);
                FD_SET(c, &fds);
                timeval tv = {0, 100000};
                if (select(0, &fds, nullptr, nullptr, &tv) <= 0)
                    continue;
                int n = recv(c, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                p->received_.append(buf, n);
            }
        }
        closesocket(c);
        return 0;
    }

    std::vector<Step> steps_;
    std::string received_;
    SOCKET listener_;
    int port_;
    HANDLE thread_;
};

TEST(ConnectionRead, LinesAcrossSegmentsAndEndings)
{
    // One peer plays every shape of line end and segmenting; the reads must come out whole.
    ScriptedPeer peer({{0, "220 first\r\n", false},
                       {0, "lf only\nsecond in", false},
                       {150, " one\r\n+OK", false},
                       {150, " split\r\nlast without end", true}});
    Connection c;
    ASSERT_TRUE(c.connect("127.0.0.1", peer.port(), 2000)) << c.lastError();
    c.setTimeout(3000);
    const char* expected[] = {"220 first", "lf only", "second in one", "+OK split", "last without end"};
    for (const char* want : expected) {
        std::string line;
        ASSERT_TRUE(c.readLine(line)) << "waiting for '" << want << "': " << c.lastError();
        EXPECT_EQ(want, line);
    }
    std::string line;
    EXPECT_FALSE(c.readLine(line));
    EXPECT_EQ("Connection closed by the peer", c.lastError());
}

TEST(ConnectionRead, FailuresAreBoundedAndNamed)
{
    struct Case {
        const char* name;
        std::vector<ScriptedPeer::Step> steps;
        size_t cap;
        int timeoutMs;
        int expectedCode;
        const char* expectedError;
        DWORD maxMs;
    };
    const Case cases[] = {
        {"silent peer", {{1500, "", true}}, 8192, 300, WSAETIMEDOUT, "Receive timed out after 300 ms", 1200},
        {"line over the cap", {{0, std::string(100, 'x'), false}, {1000, "", true}}, 64, 3000, 0,
         "Line longer than 64 bytes", 900},
        {"peer closes", {{0, "", true}}, 8192, 3000, WSAECONNRESET, "Connection closed by the peer", 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPeer peer(c.steps);
        Connection conn;
        ASSERT_TRUE(conn.connect("127.0.0.1", peer.port(), 2000)) << conn.lastError();
        conn.setTimeout(c.timeoutMs);
        std::string line;
        DWORD start = GetTickCount();
        EXPECT_FALSE(conn.readLine(line, c.cap));
        EXPECT_LT(GetTickCount() - start, c.maxMs);
        EXPECT_EQ(c.expectedError, conn.lastError());
        EXPECT_EQ(c.expectedCode, conn.lastErrorCode());
        conn.close();
    }
}

TEST(ConnectionRead, ReadSomeHandsOutBufferedBytesFirst)
{
    ScriptedPeer peer({{0, "line\r\nrest", false}, {200, "", true}});
    Connection c;
    ASSERT_TRUE(c.connect("127.0.0.1", peer.port(), 2000));
    std::string line;
    ASSERT_TRUE(c.readLine(line));
    EXPECT_EQ("line", line);
    char buf[16];
    int n = c.readSome(buf, sizeof buf);
    ASSERT_EQ(4, n);
    EXPECT_EQ("rest", std::string(buf, n));
    EXPECT_EQ(0, c.readSome(buf, sizeof buf));   // orderly close
}

TEST(ConnectionSend, EveryByteArrives)
{
    ScriptedPeer peer({});
    std::string payload;
    for (int i = 0; i < 300000; ++i)
        payload += static_cast<char>('a' + i % 26);
    {
        Connection c;
        ASSERT_TRUE(c.connect("127.0.0.1", peer.port(), 2000));
        c.setTimeout(5000);
        ASSERT_TRUE(c.sendAll(payload)) << c.lastError();
    }
    EXPECT_EQ(payload.size(), peer.received().size());
    EXPECT_TRUE(peer.received() == payload);
}

TEST(ConnectionConnect, OutcomesAndTheirBounds)
{
    SilentTarget silent;
    ASSERT_TRUE(silent.silent()) << "the backlog never filled";
    Listener open("127.0.0.1", true);
    const int closed = closedPort("127.0.0.1");
    struct Case {
        const char* name;
        std::string host;
        int port;
        int timeoutMs;
        bool ok;
        int code;
        long long minMs, maxMs;
    };
    const Case cases[] = {
        {"listening", "127.0.0.1", open.port(), 2000, true, 0, 0, 1000},
        {"by name", "localhost", open.port(), 2000, true, 0, 0, 1500},
        {"refused", "127.0.0.1", closed, 2000, false, WSAECONNREFUSED, 0, 1000},
        {"unanswered", "127.0.0.1", silent.port(), 700, false, WSAETIMEDOUT, 600, 1600},
        {"unknown name", "no-such-host.invalid", 80, 2000, false, WSAHOST_NOT_FOUND, 0, 3000},
        {"empty name", "", 80, 2000, false, WSAHOST_NOT_FOUND, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Connection conn;
        const long long start = orvtest::nowMs();
        EXPECT_EQ(c.ok, conn.connect(c.host, c.port, c.timeoutMs)) << conn.lastError();
        const long long spent = orvtest::nowMs() - start;
        EXPECT_GE(spent, c.minMs);
        EXPECT_LT(spent, c.maxMs);
        EXPECT_EQ(c.code, conn.lastErrorCode()) << conn.lastError();
        EXPECT_EQ(c.ok, conn.isOpen());
    }
}

TEST(ConnectionConnect, CancelCutsAWaitShort)
{
    SilentTarget silent;
    ASSERT_TRUE(silent.silent());
    Connection conn;
    DWORD start = GetTickCount();
    conn.setCancel([start] { return GetTickCount() - start > 200; });
    EXPECT_FALSE(conn.connect("127.0.0.1", silent.port(), 30000));
    EXPECT_LT(GetTickCount() - start, 1500u);
    EXPECT_EQ("Stopped", conn.lastError());
}

TEST(ConnectionResolve, DottedAddressIsUsedAsGiven)
{
    // 198.51.100.23 has no name anywhere; a reverse lookup would fail, the number itself must not.
    in_addr a;
    std::string error;
    ASSERT_TRUE(Connection::resolve("198.51.100.23", a, error)) << error;
    EXPECT_EQ(inet_addr("198.51.100.23"), a.s_addr);
    EXPECT_FALSE(Connection::resolve("no-such-host.invalid", a, error));
    EXPECT_EQ("Host not found", error);
}

}  // namespace
