#include "AfxThreadState.h"

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE state = [] {
        AFX_THREAD_STATE s = {};
        s.m_nLastHit = -1;
        s.m_nLastStatus = -1;
        return s;
    }();
    return &state;
}
