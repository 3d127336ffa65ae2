// The item list's column ids (the string ids of their captions) in their fixed order.
#pragma once

#include <string>

class ColumnIdSequence {
public:
    static constexpr int kFirst = 144;
    static constexpr int kNone = 143;   // no such column
    static constexpr int kEnd = 168;    // after the last column

    // The id after the given one: 144, 145, 146, 147, 148, 149, 151, 153, 154, ... 163, 166, 167,
    // then 168. From 143 it gives 144, from 168 (or any id not in the order) 143.
    static int next(int id);
    // The first column whose caption equals the text, ignoring case; 143 when none does.
    static int fromCaption(const std::string& caption);
};
