// The service-control base outside the service control manager: what each control does to the
// reported state and which operation it calls. (Reports to the manager itself need a registered
// service; the service net test covers them.)
#include "orv/gtest.h"

#include <string>
#include <vector>

#include "MyService.h"
#include "NTService.h"

namespace {

class RecordingService : public NTService {
public:
    explicit RecordingService(const std::string& name = "Recorder")
        : NTService(name, &NTService::serviceMainEntry, &NTService::controlHandlerEntry)
    {
    }
    int run() override { return 0; }
    int onPause() override { calls.push_back("pause"); return pauseResult; }
    int onContinue() override { calls.push_back("continue"); return continueResult; }
    void onStop() override
    {
        if (stopGate)
            WaitForSingleObject(stopGate, 10000);
        calls.push_back("stop");
    }
    void onInterrogate() override { calls.push_back("interrogate"); }
    void onUserControl(int control) override { calls.push_back("user " + std::to_string(control)); }
    bool paused() const { return paused_; }

    std::vector<std::string> calls;
    int pauseResult = 0;
    int continueResult = 0;
    HANDLE stopGate = nullptr;   // when set, onStop waits for it
};

// A stop runs on a thread of its own: wait (briefly) for the state the controls lead to.
DWORD settledState(NTService& service, DWORD expected)
{
    for (int i = 0; i < 500 && service.getStatus().dwCurrentState != expected; ++i)
        Sleep(10);
    return service.getStatus().dwCurrentState;
}

std::string join(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& p : parts)
        text += (text.empty() ? "" : ",") + p;
    return text;
}

}  // namespace

TEST(NTService, EachControlLeadsToItsStateAndCallsItsOperation)
{
    struct Case {
        const char* what;
        std::vector<DWORD> controls;
        int pauseResult;
        DWORD state;
        bool paused;
        const char* calls;
    } cases[] = {
        {"stop", {SERVICE_CONTROL_STOP}, 0, SERVICE_STOPPED, false, "stop"},
        {"shutdown runs onStop", {SERVICE_CONTROL_SHUTDOWN}, 0, SERVICE_STOPPED, false, "stop"},
        {"a second stop does not stop again", {SERVICE_CONTROL_STOP, SERVICE_CONTROL_STOP}, 0,
         SERVICE_STOPPED, false, "stop"},
        {"nor does a shutdown after the stop", {SERVICE_CONTROL_STOP, SERVICE_CONTROL_SHUTDOWN}, 0,
         SERVICE_STOPPED, false, "stop"},
        {"pause", {SERVICE_CONTROL_PAUSE}, 0, SERVICE_PAUSED, true, "pause"},
        {"pause then continue", {SERVICE_CONTROL_PAUSE, SERVICE_CONTROL_CONTINUE}, 0,
         SERVICE_RUNNING, false, "pause,continue"},
        {"a refused pause leaves the service running", {SERVICE_CONTROL_PAUSE}, 1,
         SERVICE_RUNNING, false, "pause"},
        {"interrogate changes nothing", {SERVICE_CONTROL_INTERROGATE}, 0, SERVICE_RUNNING, false,
         "interrogate"},
        {"a user control goes to onUserControl", {200}, 0, SERVICE_RUNNING, false, "user 200"},
    };
    for (const Case& c : cases) {
        RecordingService service;
        service.pauseResult = c.pauseResult;
        service.setStatus(SERVICE_RUNNING);
        for (DWORD control : c.controls)
            service.handleControl(control);

        EXPECT_EQ(c.state, settledState(service, c.state)) << c.what;
        SERVICE_STATUS status = service.getStatus();
        EXPECT_EQ(0u, status.dwCheckPoint) << c.what;
        EXPECT_EQ(0u, status.dwWaitHint) << c.what;
        EXPECT_EQ(c.paused, service.paused()) << c.what;
        EXPECT_EQ(c.calls, join(service.calls)) << c.what;
    }
}

TEST(NTService, AStopAnswersAtOnceAndReportsStopPendingUntilItsWorkIsDone)
{
    RecordingService service;
    service.stopGate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    service.setStatus(SERVICE_RUNNING);

    DWORD started = GetTickCount();
    service.handleControl(SERVICE_CONTROL_STOP);
    EXPECT_LT(GetTickCount() - started, 1000u) << "the handler waited for the stop";
    Sleep(100);
    SERVICE_STATUS pending = service.getStatus();
    EXPECT_EQ(DWORD(SERVICE_STOP_PENDING), pending.dwCurrentState);
    EXPECT_EQ(NTService::kStopWaitHintMs, pending.dwWaitHint);
    EXPECT_TRUE(service.calls.empty());

    SetEvent(service.stopGate);
    EXPECT_EQ(DWORD(SERVICE_STOPPED), settledState(service, SERVICE_STOPPED));
    EXPECT_EQ("stop", join(service.calls));
    CloseHandle(service.stopGate);
}

TEST(NTService, StartsPendingAsAWin32ServiceWithTheNameCutTo35Characters)
{
    RecordingService service("A service name that is much longer than thirty-five characters");
    SERVICE_STATUS status = service.getStatus();
    EXPECT_EQ(DWORD(SERVICE_START_PENDING), status.dwCurrentState);
    EXPECT_EQ(DWORD(SERVICE_WIN32), status.dwServiceType);
    EXPECT_EQ(DWORD(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE | SERVICE_ACCEPT_SHUTDOWN),
              status.dwControlsAccepted);
    EXPECT_EQ(0, service.getExitCode());
    EXPECT_EQ(0, service.getLastError());
    EXPECT_EQ("A service name that is much longer ", service.getName());
}

TEST(NTService, TheOrvaneServiceAcceptsOnlyStopAndShutdown)
{
    MyService service("Orvane", &NTService::serviceMainEntry, &NTService::controlHandlerEntry);
    EXPECT_EQ(DWORD(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN),
              service.getStatus().dwControlsAccepted);
    EXPECT_EQ(MyService::kStartDelayMs, service.startDelayMs()) << "no StartDelay value is set";
}
