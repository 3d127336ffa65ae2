#include "DnsQuery.h"
#include "DnsTransport.h"
#include "SocketException.h"

CDnsQuery::CDnsQuery()
{
    m_header.id = uint16_t(GetTickCount() & 0xFFFF);
}

std::string CDnsQuery::BuildRequest(const std::string& name, uint16_t type) const
{
    // a fully qualified name may end with its root dot; the root alone is no name to ask about
    std::string text = name;
    if (!text.empty() && text.back() == '.') text.pop_back();
    std::string message;
    // a plain query, no recursion asked
    if (text.empty() || text.size() > 253 || !DnsMessage::writeQuery(text, type, m_header.id, 0, message))
        throw new CSocketException("Bad domain name: " + name);
    return message;
}

void CDnsQuery::ParseResponse(const std::string& message)
{
    m_answers.RemoveAll();
    m_authority.RemoveAll();
    m_additional.RemoveAll();
    m_buffer.Assign(message);
    DnsMessage::Reader reader(message.data(), message.size(), false);
    DnsMessage::Header header;
    m_buffer.Raise(reader.header(header));
    m_header.id = header.id;
    m_header.flags = header.flags;
    m_header.questions = header.questions;
    m_header.answers = header.answers;
    m_header.authority = header.authority;
    m_header.additional = header.additional;
    // the response repeats the one question; every count is bounded by the data itself, since
    // each question and record takes bytes that the reader checks
    unsigned questions = m_header.questions > 0 ? m_header.questions : 1;
    for (unsigned i = 0; i < questions; ++i) m_buffer.Raise(reader.skipQuestion());
    m_buffer.SetPosition(reader.position());
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
