// A base for the framework's process-wide caches and per-thread records: objects of a derived
// class are made in zero-filled memory, so every member the constructor does not set reads 0
// (a cache starts empty without listing each field).
#pragma once
#include <cstddef>

class CNoTrackObject {
public:
    void* operator new(size_t nSize);
    void operator delete(void* p);
    virtual ~CNoTrackObject();
};
