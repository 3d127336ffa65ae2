// A content transfer encoding: turns bytes into mail-safe text and back.
#pragma once
#include <stddef.h>
#include <string>

class CMIMECode {
public:
    virtual ~CMIMECode() = default;
    // Decodes text into out; the number of bytes written, 0 when the text is not valid.
    virtual int Decode(const std::string& text, std::string& out) const = 0;
    virtual std::string Encode(const unsigned char* data, size_t count) const = 0;
    std::string Encode(const std::string& data) const
    {
        return Encode(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    }
};
