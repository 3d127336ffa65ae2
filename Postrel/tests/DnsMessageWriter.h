// Builds DNS messages byte by byte for the parser and resolver tests: a header with the section
// counts, one question, then records in the order they are added. Names are written in full
// unless given already in wire form.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

class DnsMessageWriter {
public:
    enum Section { Answer, Authority, Additional };

    explicit DnsMessageWriter(const std::string& question = "example.test", uint16_t type = 15);

    // "mx1.example.test" in wire form: length-prefixed labels and the zero byte.
    static std::string Name(const std::string& dotted);

    DnsMessageWriter& Record(Section section, const std::string& wireOwner, uint16_t type, uint32_t ttl,
                             const std::string& data);
    DnsMessageWriter& Mx(Section section, const std::string& owner, uint16_t preference, const std::string& exchange);
    DnsMessageWriter& A(Section section, const std::string& owner, const std::string& dotted);
    DnsMessageWriter& Ns(Section section, const std::string& owner, const std::string& host);
    DnsMessageWriter& Cname(Section section, const std::string& owner, const std::string& canonical);

    std::string Bytes() const;
    // Offset of the question name in every message (just after the header).
    static const size_t kQuestionOffset = 12;

private:
    std::string m_question;
    std::vector<std::string> m_sections[3];
};

std::string U16(uint16_t v);
std::string U32(uint32_t v);
