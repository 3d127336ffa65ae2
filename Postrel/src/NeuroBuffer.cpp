#include "NeuroBuffer.h"
#include "SocketException.h"
#include <stdio.h>
#include <string.h>

CNeuroBuffer::CNeuroBuffer(const CNeuroBuffer& other)
    : m_data(other.m_data.begin(), other.m_data.begin() + other.m_length),
      m_length(other.m_length),
      m_position(other.m_position)
{
    m_data.resize(kGrowthStep * (m_length / kGrowthStep + 1));
}

CNeuroBuffer& CNeuroBuffer::operator=(const CNeuroBuffer& other)
{
    if (this != &other) {
        CNeuroBuffer copy(other);
        m_data.swap(copy.m_data);
        m_length = copy.m_length;
        m_position = copy.m_position;
    }
    return *this;
}

void CNeuroBuffer::Append(const void* bytes, size_t count)
{
    if (m_length + count > m_data.size()) m_data.resize(kGrowthStep * ((m_length + count) / kGrowthStep + 1));
    if (count > 0) memcpy(m_data.data() + m_length, bytes, count);
    m_length += count;
}

void CNeuroBuffer::AppendUInt16(uint16_t value)
{
    unsigned char b[2] = {static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value & 0xFF)};
    Append(b, 2);
}

void CNeuroBuffer::Reserve(size_t count)
{
    size_t wanted = kGrowthStep * (count / kGrowthStep + 1);
    if (wanted > m_data.size()) m_data.resize(wanted);
}

void CNeuroBuffer::Assign(const std::string& bytes)
{
    Clear();
    Append(bytes);
}

void CNeuroBuffer::Clear()
{
    m_length = 0;
    m_position = 0;
}

void CNeuroBuffer::Need(size_t position, size_t size) const
{
    if (position <= m_length && size <= m_length - position) return;
    char text[96];
    snprintf(text, sizeof text, "Insufficient Data Pointer:%d  Size:%d  Total:%d", int(position), int(size),
             int(m_length));
    throw new CSocketException(text);
}

void CNeuroBuffer::ReadBytes(void* destination, size_t count)
{
    Need(m_position, count);
    if (count > 0) memcpy(destination, m_data.data() + m_position, count);
    m_position += count;
}

uint8_t CNeuroBuffer::ReadByte()
{
    Need(m_position, 1);
    return m_data[m_position++];
}

uint16_t CNeuroBuffer::ReadUInt16()
{
    Need(m_position, 2);
    uint16_t v = uint16_t((m_data[m_position] << 8) | m_data[m_position + 1]);
    m_position += 2;
    return v;
}

uint32_t CNeuroBuffer::ReadUInt32()
{
    Need(m_position, 4);
    const unsigned char* p = m_data.data() + m_position;
    m_position += 4;
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

void CNeuroBuffer::SetPosition(size_t position)
{
    Need(position, 0);
    m_position = position;
}
