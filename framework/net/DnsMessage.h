// DNS messages (RFC 1035 wire format) written and read in one place for both DNS clients of the
// program: the SMTP check's MX query over UDP and the mail library's resolver over TCP. The
// reader checks every byte against the message's length before it reads it, so neither a
// truncated nor a hostile message is read beyond its end; names go through DnsName.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <initializer_list>
#include <string>

#include "DnsName.h"

class DnsMessage {
public:
    static const size_t kHeaderBytes = 12;
    static const size_t kMaxLabel = 63;
    static const uint16_t kFlagResponse = 0x8000;
    static const uint16_t kFlagRecursionDesired = 0x0100;

    // A query of one question (name, type, class IN) with the given id and flags. False for a name
    // that cannot be put in a message: an empty label inside it ("a..b", ".a"), a label longer
    // than 63 bytes, a name longer than 255 bytes on the wire. "" and "." ask about the root; a
    // trailing dot adds nothing.
    static bool writeQuery(const std::string& name, uint16_t type, uint16_t id, uint16_t flags, std::string& out);

    struct Header {
        uint16_t id = 0;
        uint16_t flags = 0;
        uint16_t questions = 0;
        uint16_t answers = 0;
        uint16_t authority = 0;
        uint16_t additional = 0;
    };

    // A resource record's fixed part; its data is data[dataAt, dataAt + dataLength).
    struct Record {
        std::string owner;
        uint16_t type = 0;
        uint16_t klass = 0;
        uint32_t ttl = 0;
        size_t dataAt = 0;
        uint16_t dataLength = 0;
    };

    // Ok, or what stopped the reading: bytes missing (needAt, needSize), or a bad name (DnsName's
    // result in name).
    struct Outcome {
        enum Result { Ok, Truncated, BadName };
        Result result = Ok;
        DnsName::Result name = DnsName::Ok;
        size_t needAt = 0;
        size_t needSize = 0;
        bool ok() const { return result == Ok; }
    };

    // Reads a message front to back: the header, then each question and each record in turn.
    // strict reads names as DnsName's strict form does.
    class Reader {
    public:
        Reader(const void* data, size_t size, bool strict)
            : data_(static_cast<const unsigned char*>(data)), size_(size), strict_(strict), position_(0) {}

        Outcome header(Header& header);
        // Passes over one question (name, type, class).
        Outcome skipQuestion();
        // Reads one record's fixed part; the position moves past its data, which must be whole.
        Outcome record(Record& record);
        // The name at offset (not moving the position); next is where the name ends in place.
        Outcome nameAt(size_t offset, std::string& name, size_t& next) const;

        size_t position() const { return position_; }
        void setPosition(size_t position) { position_ = position; }
        uint16_t u16(size_t at) const { return static_cast<uint16_t>((data_[at] << 8) | data_[at + 1]); }

    private:
        Outcome need(size_t at, size_t size) const;
        Outcome needFields(size_t at, std::initializer_list<size_t> sizes) const;

        const unsigned char* data_;
        size_t size_;
        bool strict_;
        size_t position_;
    };
};
