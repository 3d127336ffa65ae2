// Input through the X server's test extension (see XInput.h).
#include <orv/XInput.h>
#include <dlfcn.h>
#include <stdlib.h>

namespace orvtest {

XInput& XInput::Get()
{
    static XInput input;
    return input;
}

XInput::XInput()
{
    void* hX11 = ::dlopen("libX11.so.6", RTLD_NOW);
    void* hXtst = ::dlopen("libXtst.so.6", RTLD_NOW);
    const char* pszDisplay = ::getenv("DISPLAY");
    if (hX11 == nullptr || hXtst == nullptr || pszDisplay == nullptr)
        return;
    auto pfnOpen = (void* (*)(const char*))::dlsym(hX11, "XOpenDisplay");
    m_pfnKeysymToKeycode = (unsigned char (*)(void*, unsigned long))::dlsym(hX11, "XKeysymToKeycode");
    m_pfnFlush = (int (*)(void*))::dlsym(hX11, "XFlush");
    m_pfnFakeKeyEvent = (int (*)(void*, unsigned int, int, unsigned long))::dlsym(hXtst, "XTestFakeKeyEvent");
    m_pfnFakeButtonEvent = (int (*)(void*, unsigned int, int, unsigned long))::dlsym(hXtst, "XTestFakeButtonEvent");
    m_pfnFakeMotionEvent = (int (*)(void*, int, int, int, unsigned long))::dlsym(hXtst, "XTestFakeMotionEvent");
    if (pfnOpen != nullptr && m_pfnKeysymToKeycode != nullptr && m_pfnFlush != nullptr && m_pfnFakeKeyEvent != nullptr &&
        m_pfnFakeButtonEvent != nullptr && m_pfnFakeMotionEvent != nullptr)
        m_pDisplay = pfnOpen(pszDisplay);
}

bool XInput::Move(int x, int y)
{
    if (m_pDisplay == nullptr || !m_pfnFakeMotionEvent(m_pDisplay, -1, x, y, 0))
        return false;
    m_pfnFlush(m_pDisplay);
    return true;
}

bool XInput::Button(unsigned int nButton, bool bDown)
{
    if (m_pDisplay == nullptr || !m_pfnFakeButtonEvent(m_pDisplay, nButton, bDown ? 1 : 0, 0))
        return false;
    m_pfnFlush(m_pDisplay);
    return true;
}

bool XInput::Key(unsigned long nKeysym, bool bDown)
{
    if (m_pDisplay == nullptr)
        return false;
    const unsigned char nKeycode = m_pfnKeysymToKeycode(m_pDisplay, nKeysym);
    if (nKeycode == 0 || !m_pfnFakeKeyEvent(m_pDisplay, nKeycode, bDown ? 1 : 0, 0))
        return false;
    m_pfnFlush(m_pDisplay);
    return true;
}

}  // namespace orvtest
