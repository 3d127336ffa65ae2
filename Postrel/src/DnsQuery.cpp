#include "DnsQuery.h"
#include "DnsTransport.h"
#include "SocketException.h"

CDnsQuery::CDnsQuery()
{
    m_header.id = uint16_t(GetTickCount() & 0xFFFF);
}

std::string CDnsQuery::BuildRequest(const std::string& name, uint16_t type) const
{
    // a fully qualified name may end with its root dot; the zero byte below stands for it
    std::string text = name;
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text.empty() || text.size() > 253) throw new CSocketException("Bad domain name: " + name);
    CNeuroBuffer message;
    message.AppendUInt16(m_header.id);
    message.AppendUInt16(0);   // a plain query, no recursion asked
    message.AppendUInt16(1);
    message.AppendUInt16(0);
    message.AppendUInt16(0);
    message.AppendUInt16(0);
    size_t start = 0;
    for (;;) {
        size_t dot = text.find('.', start);
        size_t end = dot == std::string::npos ? text.size() : dot;
        size_t length = end - start;
        // an empty label would end the name early; a longer one would not fit its length byte
        if (length == 0 || length > 63) throw new CSocketException("Bad domain name: " + name);
        unsigned char lengthByte = static_cast<unsigned char>(length);
        message.Append(&lengthByte, 1);
        message.Append(text.data() + start, length);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    unsigned char zero = 0;
    message.Append(&zero, 1);
    message.AppendUInt16(type);
    message.AppendUInt16(1);
    return message.Bytes();
}

void CDnsQuery::ParseResponse(const std::string& message)
{
    m_answers.RemoveAll();
    m_authority.RemoveAll();
    m_additional.RemoveAll();
    m_buffer.Assign(message);
    m_header.id = m_buffer.ReadUInt16();
    m_header.flags = m_buffer.ReadUInt16();
    m_header.questions = m_buffer.ReadUInt16();
    m_header.answers = m_buffer.ReadUInt16();
    m_header.authority = m_buffer.ReadUInt16();
    m_header.additional = m_buffer.ReadUInt16();
    // the response repeats the one question; every count is bounded by the data itself, since
    // each question and record takes bytes that the buffer checks
    unsigned questions = m_header.questions > 0 ? m_header.questions : 1;
    for (unsigned i = 0; i < questions; ++i) {
        m_buffer.ReadName();
        m_buffer.ReadUInt16();
        m_buffer.ReadUInt16();
    }
    for (unsigned i = 0; i < m_header.answers; ++i) m_answers.Add(CDnsRR::Parse(m_buffer));
    for (unsigned i = 0; i < m_header.authority; ++i) m_authority.Add(CDnsRR::Parse(m_buffer));
    for (unsigned i = 0; i < m_header.additional; ++i) m_additional.Add(CDnsRR::Parse(m_buffer));
}

bool CDnsQuery::Run(CDnsTransport& transport, const std::string& server, const std::string& name,
                    const std::string& typeName)
{
    try {
        int type = TypeCodeFromName(typeName);
        if (type < 0) throw new CSocketException("Unknown record type " + typeName);
        m_type = uint16_t(type);
        std::string request = BuildRequest(name, m_type);
        ParseResponse(transport.Exchange(server, request));
        return true;
    } catch (CSocketException* e) {
        m_error += e->Text() + "\n";
        e->Delete();
        m_answers.RemoveAll();
        m_authority.RemoveAll();
        m_additional.RemoveAll();
        return false;
    }
}
