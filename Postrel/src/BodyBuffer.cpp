#include "BodyBuffer.h"
#include <string.h>

void BodyBuffer::Append(const char* text)
{
    if (text != NULL) Append(text, strlen(text));
}

void BodyBuffer::EndLine()
{
    if (!EndsWithLineEnd()) Append("\r\n", 2);
}

bool BodyBuffer::EndsWithLineEnd() const
{
    size_t n = m_text.size();
    return n >= 2 && m_text[n - 2] == '\r' && m_text[n - 1] == '\n';
}

void BodyBuffer::BeginBulk(size_t step)
{
    m_step = step;
    m_text.reserve(m_text.size() + step);
}

void BodyBuffer::Grow(size_t count)
{
    if (m_step == 0 || m_text.size() + count < m_text.capacity()) return;
    size_t wanted = m_text.capacity();
    while (wanted <= m_text.size() + count) wanted += m_step;
    m_text.reserve(wanted);
}
