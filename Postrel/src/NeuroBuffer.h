// A growable byte buffer with a read position. Every read is checked against the length: a read
// past the end raises a CSocketException, so a truncated message can never be read beyond.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string>
#include <vector>

class CNeuroBuffer {
public:
    static const size_t kGrowthStep = 64;

    CNeuroBuffer() = default;
    CNeuroBuffer(const CNeuroBuffer& other);
    CNeuroBuffer& operator=(const CNeuroBuffer& other);
    virtual ~CNeuroBuffer() = default;

    void Append(const void* bytes, size_t count);
    void Append(const std::string& bytes) { Append(bytes.data(), bytes.size()); }
    void AppendUInt16(uint16_t value);   // big-endian
    // Room for count bytes in all (the contents are kept).
    void Reserve(size_t count);
    // Replaces the contents with bytes and starts reading at 0.
    void Assign(const std::string& bytes);
    void Clear();

    void ReadBytes(void* destination, size_t count);
    uint8_t ReadByte();
    uint16_t ReadUInt16();   // big-endian
    uint32_t ReadUInt32();   // big-endian

    size_t Length() const { return m_length; }
    size_t Capacity() const { return m_data.size(); }
    size_t Position() const { return m_position; }
    void SetPosition(size_t position);   // checked: at most the length
    const unsigned char* Data() const { return m_data.data(); }
    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(m_data.data()), m_length); }

protected:
    // Raises "Insufficient Data Pointer:..." unless size bytes exist at position.
    void Need(size_t position, size_t size) const;

    std::vector<unsigned char> m_data;   // its size is the capacity
    size_t m_length = 0;
    size_t m_position = 0;
};
