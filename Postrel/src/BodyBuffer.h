// The text of a message body while it is written. Part writers append a great deal (a large
// attachment line by line), so a bulk write reserves room in steps instead of growing per line.
#pragma once
#include <stddef.h>
#include <string>

class BodyBuffer {
public:
    static const size_t kBulkStep = 300000;

    void Append(const char* text, size_t count) { Grow(count); m_text.append(text, count); }
    void Append(const std::string& text) { Append(text.data(), text.size()); }
    void Append(const char* text);
    void Append(char ch) { Grow(1); m_text += ch; }

    // Appends CR LF unless the text already ends with it.
    void EndLine();
    bool EndsWithLineEnd() const;

    void BeginBulk(size_t step = kBulkStep);
    void EndBulk() { m_step = 0; }

    const std::string& Text() const { return m_text; }
    bool IsEmpty() const { return m_text.empty(); }
    void Assign(const std::string& text) { m_text = text; }
    void Clear() { m_text.clear(); }

private:
    void Grow(size_t count);

    std::string m_text;
    size_t m_step = 0;   // 0: plain appending
};
