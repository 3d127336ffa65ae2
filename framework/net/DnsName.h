// Reading of a (possibly compressed) domain name in a DNS message: the one reader behind both
// DNS clients of the program (the SMTP check's MX query over UDP and the mail library's resolver
// over TCP). Every byte is checked against the message's length and compression pointers are
// followed at most kMaxHops times, so neither a truncated nor a hostile message is read beyond
// its end or loops.
#pragma once

#include <stddef.h>

#include <string>

class DnsName {
public:
    enum Result { Ok, Truncated, TooManyHops, TooLong, BadLabel };
    // Pointers one name may lead through: a pointer may point at itself or two at each other.
    static const int kMaxHops = 16;
    // Longest name in text form (RFC 1035: 255 bytes on the wire).
    static const size_t kMaxLength = 255;

    struct Outcome {
        Result result = Ok;
        size_t next = 0;       // where the record goes on: past the name in place (its zero byte
                               // or its first pointer), not past any byte reached by a pointer
        size_t needAt = 0;     // Truncated: where the missing bytes begin ...
        size_t needSize = 0;   // ... and how many were wanted
    };

    // Reads the name at pos of data[0, size) into name ("a.b.c", "" for the root). strict also
    // refuses what a lenient reader lets through: the label types 0x40 and 0x80 (else read as
    // pointers), pointers into the 12-byte header, and NUL bytes in a label (a name cut short
    // at a NUL would name another host).
    static Outcome read(const unsigned char* data, size_t size, size_t pos, std::string& name, bool strict);
};
