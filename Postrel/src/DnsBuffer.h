// A DNS message in a buffer, with the reading of (possibly compressed) domain names.
#pragma once
#include "DnsMessage.h"
#include "NeuroBuffer.h"

class CDnsBuffer : public CNeuroBuffer {
public:
    // A name may lead through at most this many compression pointers: a pointer may point at
    // itself or two may point at each other, and a name must still end.
    static const int kMaxPointerHops = 16;
    // Longest name in text form (RFC 1035 allows 255 bytes on the wire).
    static const size_t kMaxNameLength = 255;

    // Reads the name at offset, or at the read position when offset is 0. At the read position
    // the position moves past the name (past its zero byte or its first pointer); at an offset
    // it is left where it was. The name comes without a trailing dot. Bad data raises a
    // CSocketException.
    virtual std::string ReadName(size_t offset = 0);

    // Raises the CSocketException that tells what stopped the message reader (nothing when it
    // read on).
    void Raise(const DnsMessage::Outcome& outcome) const;
};
