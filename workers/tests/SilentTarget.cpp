#include "SilentTarget.h"

#include "Connection.h"

namespace workertest {

SilentTarget::SilentTarget(const std::string& address) : listener_(address, false, 0)
{
    for (int i = 0; i < 8; ++i) {
        Connection* c = new Connection;
        if (!c->connect(address, listener_.port(), 500)) {
            delete c;
            silent_ = true;
            break;
        }
        fillers_.push_back(c);
    }
}

SilentTarget::~SilentTarget()
{
    for (Connection* c : fillers_)
        delete c;
}

}  // namespace workertest
