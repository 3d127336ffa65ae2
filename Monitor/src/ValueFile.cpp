#include "ValueFile.h"

#include <windows.h>

#include "FileIo.h"

ValueFile::ValueFile(const std::string& path, const std::vector<std::string>& defaults)
    : path_(path), defaults_(defaults), unreadable_(false), readError_(0)
{
    load();
}

void ValueFile::load()
{
    values_.clear();
    std::string text;
    FileIo::ReadResult result = FileIo::read(path_, text);
    unreadable_ = result == FileIo::Unreadable;
    readError_ = unreadable_ ? GetLastError() : 0;
    if (result == FileIo::Read) {
        std::string::size_type start = 0;
        for (;;) {
            std::string::size_type end = text.find('|', start);
            if (end == std::string::npos)
                break;
            values_.push_back(text.substr(start, end - start));
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

void ValueFile::set(std::size_t position, const std::string& value)
{
    if (position < values_.size())
        values_[position] = value;
}

std::string ValueFile::contents() const
{
    std::string text;
    for (std::size_t i = 0; i < defaults_.size(); ++i) {
        text += values_[i];
        text += '|';
    }
    return text;
}

bool ValueFile::save() const
{
    if (unreadable_)
        return false;
    return FileIo::replaceContents(path_, contents());
}
