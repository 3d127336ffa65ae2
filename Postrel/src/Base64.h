// Base64 of RFC 2045 (standard alphabet, "=" padding, no line breaks of its own: callers encode
// one line's worth of bytes at a time).
#pragma once
#include "MIMECode.h"

class CBase64 : public CMIMECode {
public:
    using CMIMECode::Encode;
    std::string Encode(const unsigned char* data, size_t count) const override;
    // Any character outside the alphabet, line ends included, makes the whole text invalid (0).
    int Decode(const std::string& text, std::string& out) const override;
};
