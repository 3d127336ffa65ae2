// Base of the library's own sockets.
#pragma once

class CSocketEx {
public:
    CSocketEx() = default;
    CSocketEx(const CSocketEx&) = delete;
    CSocketEx& operator=(const CSocketEx&) = delete;
    virtual ~CSocketEx() = default;
};
