#include "WindowTestSupport.h"

namespace wintest {

CWinApp& testApp()
{
    static CWinApp app("Orvane window tests");
    return app;
}

}  // namespace wintest
