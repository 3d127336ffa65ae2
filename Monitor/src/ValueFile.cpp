#include "ValueFile.h"

#include <windows.h>

#include "Monitor/FileIo.h"

ValueFile::ValueFile(const std::string& path, const std::vector<std::string>& defaults)
    : path_(path), defaults_(defaults), unreadable_(false), readError_(0),
      storedKnown_(false)
{
    load();
}

void ValueFile::load()
{
    values_.clear();
    stored_.clear();
    FileIo::ReadResult result = FileIo::read(path_, stored_);
    unreadable_ = result == FileIo::Unreadable;
    readError_ = unreadable_ ? GetLastError() : 0;
    storedKnown_ = result == FileIo::Read;
    const std::string& text = stored_;
    if (result == FileIo::Read) {
        std::string::size_type start = 0;
        for (;;) {
            std::string::size_type end = text.find('|', start);
            if (end == std::string::npos)
                break;
            values_.emplace_back(text, start, end - start);
            start = end + 1;
        }
    }
    while (values_.size() < defaults_.size())
        values_.push_back(defaults_[values_.size()]);
}

std::string ValueFile::get(std::size_t position) const
{
    return position < values_.size() ? values_[position] : std::string();
}

const std::string& ValueFile::value(std::size_t position) const
{
    static const std::string kNone;
    return position < values_.size() ? values_[position] : kNone;
}

void ValueFile::set(std::size_t position, const std::string& value)
{
    if (position < values_.size())
        values_[position] = value;
}

void ValueFile::set(std::size_t position, std::string&& value)
{
    if (position < values_.size())
        values_[position] = std::move(value);
}

void ValueFile::append(std::size_t position, const std::string& text)
{
    if (position < values_.size())
        values_[position] += text;
}

std::string ValueFile::contents() const
{
    std::string text;
    std::size_t size = defaults_.size();
    for (std::size_t i = 0; i < defaults_.size(); ++i)
        size += values_[i].size();
    text.reserve(size);
    for (std::size_t i = 0; i < defaults_.size(); ++i) {
        text += values_[i];
        text += '|';
    }
    return text;
}

bool ValueFile::save()
{
    if (unreadable_)
        return false;
    std::string text = contents();
    // An unchanged file is not written again: its bytes are already on disk.
    if (storedKnown_ && text == stored_)
        return true;
    // Until the new file is in place the disk holds the old bytes or (after a failed move) an
    // unknown state: compare with nothing then, so the next save writes.
    storedKnown_ = false;
    stored_.clear();
    if (!FileIo::replaceContents(path_, text))
        return false;
    stored_ = std::move(text);
    storedKnown_ = true;
    return true;
}
