// Blocking sockets against small loopback peers run on Win32 threads of this process: an echo
// peer, a byte-counting sink, a silent peer that never answers, a peer that hangs up, and a
// listener whose accept queue is full (so connecting to it never completes).
#include "orv/gtest.h"
#include "afxsock.h"
#include <atomic>
#include <string>
#include <vector>

namespace {

enum class Mode { Echo, Sink, Silent, HangUp, QueueFull };

class Peer {
public:
    explicit Peer(Mode mode) : m_mode(mode) {
        EXPECT_TRUE(AfxSocketInit());
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = inet_addr("127.0.0.1");
        EXPECT_EQ(0, bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
        EXPECT_EQ(0, listen(m_listen, mode == Mode::QueueFull ? 0 : 8));
        int len = sizeof addr;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        if (mode == Mode::QueueFull)
            FillQueue();
        else
            m_thread = CreateThread(NULL, 0, [](LPVOID p) WINAPI -> DWORD {
                static_cast<Peer*>(p)->Run();
                return 0;
            }, this, 0, NULL);
    }
    ~Peer() {
        m_stop = true;
        if (m_thread != NULL) {
            WaitForSingleObject(m_thread, 10000);
            CloseHandle(m_thread);
        }
        for (SOCKET s : m_held)
            closesocket(s);
        closesocket(m_listen);
    }
    UINT Port() const { return m_port; }

private:
    // Waits up to 100 ms for s to become readable, so the stop flag is seen promptly.
    static bool Readable(SOCKET s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval tv = {0, 100000};
        return select(0, &set, NULL, NULL, &tv) == 1;
    }
    void FillQueue() {
        // The queue takes one connection; later connection attempts get no answer.
        for (int i = 0; i < 2; ++i) {
            SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
            u_long nb = 1;
            ioctlsocket(s, FIONBIO, &nb);
            sockaddr_in addr = {};
            addr.sin_family = AF_INET;
            addr.sin_port = htons((u_short)m_port);
            addr.sin_addr.s_addr = inet_addr("127.0.0.1");
            connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            m_held.push_back(s);
        }
        Sleep(200);
    }
    void Run() {
        while (!m_stop) {
            if (!Readable(m_listen))
                continue;
            SOCKET c = accept(m_listen, NULL, NULL);
            if (c == INVALID_SOCKET)
                continue;
            Serve(c);
        }
    }
    void Serve(SOCKET c) {
        switch (m_mode) {
        case Mode::Silent:
            m_held.push_back(c);  // keep it open, say nothing
            return;
        case Mode::HangUp:
            closesocket(c);
            return;
        case Mode::Echo:
        case Mode::Sink: {
            char buf[65536];
            DWORD total = 0;
            while (!m_stop) {
                if (!Readable(c))
                    continue;
                int n = recv(c, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                total += (DWORD)n;
                if (m_mode == Mode::Echo)
                    send(c, buf, n, 0);
            }
            if (m_mode == Mode::Sink)
                send(c, reinterpret_cast<const char*>(&total), sizeof total, 0);
            closesocket(c);
            return;
        }
        case Mode::QueueFull:
            return;
        }
    }

    Mode m_mode;
    SOCKET m_listen = INVALID_SOCKET;
    UINT m_port = 0;
    HANDLE m_thread = NULL;
    std::atomic<bool> m_stop{false};
    std::vector<SOCKET> m_held;
};

// Milliseconds taken by fn.
template <class F>
DWORD Timed(F fn) {
    DWORD start = GetTickCount();
    fn();
    return GetTickCount() - start;
}

TEST(SocketTest, EchoRoundTripByAddressAndByName) {
    Peer peer(Mode::Echo);
    for (const char* host : {"127.0.0.1", "localhost"}) {
        CSocket s;
        ASSERT_TRUE(s.Create()) << host << " error " << CSocket::GetLastError();
        ASSERT_TRUE(s.Connect(host, peer.Port())) << host << " error " << CSocket::GetLastError();
        EXPECT_EQ(5, s.Send("hello", 5)) << host;
        char buf[16] = {};
        int got = 0;
        while (got < 5) {
            int n = s.Receive(buf + got, sizeof buf - 1 - got);
            ASSERT_GT(n, 0) << host << " error " << CSocket::GetLastError();
            got += n;
        }
        EXPECT_STREQ("hello", buf) << host;
    }
}

TEST(SocketTest, LargeSendArrivesWhole) {
    Peer peer(Mode::Sink);
    CSocket s;
    ASSERT_TRUE(s.Create());
    ASSERT_TRUE(s.Connect("127.0.0.1", peer.Port()));
    std::vector<char> block(1 << 20, 'm');
    EXPECT_EQ((int)block.size(), s.Send(block.data(), (int)block.size()));
    ASSERT_TRUE(s.ShutDown(CSocket::sends));
    DWORD counted = 0;
    int got = 0;
    while (got < (int)sizeof counted) {
        int n = s.Receive(reinterpret_cast<char*>(&counted) + got, (int)sizeof counted - got);
        ASSERT_GT(n, 0) << "error " << CSocket::GetLastError();
        got += n;
    }
    EXPECT_EQ((DWORD)block.size(), counted);
}

TEST(SocketTest, SilentPeerFailsWithinTheTimeout) {
    Peer peer(Mode::Silent);
    CSocket s;
    s.SetTimeouts(5000, 1000);
    ASSERT_TRUE(s.Create());
    ASSERT_TRUE(s.Connect("127.0.0.1", peer.Port()));

    char buf[64];
    int rc = 0;
    DWORD ms = Timed([&] { rc = s.Receive(buf, sizeof buf); });
    EXPECT_EQ(SOCKET_ERROR, rc);
    EXPECT_EQ(WSAETIMEDOUT, CSocket::GetLastError());
    EXPECT_GE(ms, 900u);
    EXPECT_LE(ms, 2000u);

    // a peer that stops reading: the send waits for room at most the time-out
    std::vector<char> flood(64 << 20, 'f');
    ms = Timed([&] { rc = s.Send(flood.data(), (int)flood.size()); });
    EXPECT_EQ(SOCKET_ERROR, rc);
    EXPECT_EQ(WSAETIMEDOUT, CSocket::GetLastError());
    EXPECT_LE(ms, 5000u);
}

TEST(SocketTest, ConnectFailures) {
    struct Case { const char* what; Mode mode; bool usePeerPort; DWORD connectTimeout; int error; DWORD minMs; DWORD maxMs; };
    const Case cases[] = {
        {"nothing listening", Mode::Echo, false, 5000, WSAECONNREFUSED, 0, 1000},
        {"accept queue full", Mode::QueueFull, true, 1000, WSAETIMEDOUT, 900, 2500},
    };
    for (const Case& c : cases) {
        Peer peer(c.mode);
        UINT port = peer.Port();
        if (!c.usePeerPort) {
            // a port that was just free: bind, read it back, close
            SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in addr = {};
            addr.sin_family = AF_INET;
            addr.sin_addr.s_addr = inet_addr("127.0.0.1");
            bind(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            int len = sizeof addr;
            getsockname(probe, reinterpret_cast<sockaddr*>(&addr), &len);
            port = ntohs(addr.sin_port);
            closesocket(probe);
        }
        CSocket s;
        s.SetTimeouts(c.connectTimeout, 1000);
        ASSERT_TRUE(s.Create()) << c.what;
        BOOL ok = TRUE;
        DWORD ms = Timed([&] { ok = s.Connect("127.0.0.1", port); });
        EXPECT_FALSE(ok) << c.what;
        EXPECT_EQ(c.error, CSocket::GetLastError()) << c.what;
        EXPECT_GE(ms, c.minMs) << c.what;
        EXPECT_LE(ms, c.maxMs) << c.what;
    }

    CSocket s;
    ASSERT_TRUE(s.Create());
    EXPECT_FALSE(s.Connect("no-such-host.invalid", 25));
    EXPECT_NE(0, CSocket::GetLastError());
}

TEST(SocketTest, PeerHangingUpGivesZeroAndClosedSocketsFail) {
    Peer peer(Mode::HangUp);
    CSocket s;
    s.SetTimeouts(5000, 3000);
    ASSERT_TRUE(s.Create());
    ASSERT_TRUE(s.Connect("127.0.0.1", peer.Port()));
    char buf[8];
    // flags the socket cannot honour are refused, not dropped
    EXPECT_EQ(SOCKET_ERROR, s.Receive(buf, sizeof buf, MSG_PEEK));
    EXPECT_EQ(WSAEOPNOTSUPP, CSocket::GetLastError());
    EXPECT_EQ(0, s.Receive(buf, sizeof buf));
    EXPECT_FALSE(s.ShutDown(7));   // no such direction
    EXPECT_TRUE(s.ShutDown(CSocket::both));

    s.Close();
    EXPECT_FALSE(s.ShutDown());
    EXPECT_EQ(SOCKET_ERROR, s.Receive(buf, sizeof buf));
    EXPECT_EQ(SOCKET_ERROR, s.Send("x", 1));
    EXPECT_TRUE(s.Create());  // usable again after Close
    EXPECT_FALSE(s.Create());  // but not created twice
}

TEST(SocketTest, SocketInitFromManyThreads) {
    HANDLE threads[8];
    for (HANDLE& h : threads)
        h = CreateThread(NULL, 0, [](LPVOID) WINAPI -> DWORD {
            WSADATA data = {};
            return AfxSocketInit(&data) && data.wVersion == MAKEWORD(2, 2) ? 1 : 0;
        }, NULL, 0, NULL);
    WaitForMultipleObjects(8, threads, TRUE, 10000);
    for (HANDLE h : threads) {
        DWORD rc = 0;
        GetExitCodeThread(h, &rc);
        EXPECT_EQ(1u, rc);
        CloseHandle(h);
    }
}

}  // namespace
