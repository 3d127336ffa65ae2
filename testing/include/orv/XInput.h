// The test's own connection to the X server: the display's pointer moved, its buttons and keys
// pressed through the server's test extension, input that reaches the system as a user's would,
// from outside Wine. The connection stays open for the whole test program: the server lets go of
// a client's keys when the client goes.
#pragma once

namespace orvtest {

class XInput {
public:
    static XInput& Get();
    enum : unsigned long { kControl = 0xFFE3, kShift = 0xFFE1 };   // keysyms Control_L, Shift_L
    // False when the display or the test extension cannot be reached.
    bool Available() const { return m_pDisplay != nullptr; }
    // Screen coordinates: Wine's desktop fills the X screen from its corner.
    bool Move(int x, int y);
    // nButton: 1 left, 2 middle, 3 right.
    bool Button(unsigned int nButton, bool bDown);
    bool Key(unsigned long nKeysym, bool bDown);

private:
    XInput();
    void* m_pDisplay = nullptr;
    unsigned char (*m_pfnKeysymToKeycode)(void*, unsigned long) = nullptr;
    int (*m_pfnFlush)(void*) = nullptr;
    int (*m_pfnFakeKeyEvent)(void*, unsigned int, int, unsigned long) = nullptr;
    int (*m_pfnFakeButtonEvent)(void*, unsigned int, int, unsigned long) = nullptr;
    int (*m_pfnFakeMotionEvent)(void*, int, int, int, unsigned long) = nullptr;
};

}  // namespace orvtest
