#include "PortWorker.h"

#include <boost/format.hpp>

#include "AddressPrefix.h"
#include "Connection.h"

namespace {

const WorkerTexts kPortTexts = {"Starting worker", "Ending thread", "Port test started",
                                "Port test ended", true};

}  // namespace

PortWorker::PortWorker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.PortWorker", kPortTexts)
{
}

void PortWorker::check(const ItemGeneralSettings& general, CheckResult& result)
{
    DWORD started = GetTickCount();
    result.code = 200;
    result.message = "Success";
    result.ok = false;

    Connection connection;
    connection.setCancel([this] { return stopRequested(); });
    // The limit bounds the connect too: a target that never answers fails here instead of
    // holding the worker for the system's connect time-out of about two minutes.
    if (connection.connect(stripAddressPrefix(general.address), general.port,
                           boundedTimeoutMs(general.timeoutMs))) {
        result.ok = true;
    } else if (connection.lastErrorCode() == WSAHOST_NOT_FOUND) {
        result.message = "Host not found";
    } else if (connection.lastErrorCode() == WSAEINTR && stopRequested()) {
        result.stopped = true;
    } else if (connection.lastError().compare(0, 23, "Failed to create socket") == 0) {
        result.message = connection.lastError();
    } else {
        result.message = "Connection failed with error code: " +
                         std::to_string(connection.lastErrorCode());
    }
    connection.close();

    result.elapsedMs = static_cast<int>(GetTickCount() - started);
    result.successText = (boost::format("Sucessfuly connected in %1% miliseconds.") % result.elapsedMs).str();
}
