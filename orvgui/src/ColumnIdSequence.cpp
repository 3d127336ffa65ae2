#include "ColumnIdSequence.h"

#include <windows.h>

#include "GuiStrings.h"

namespace {

const int kOrder[] = {144, 145, 146, 147, 148, 149, 151, 153, 154, 155,
                      156, 157, 158, 159, 160, 161, 162, 163, 166, 167};

}  // namespace

int ColumnIdSequence::next(int id)
{
    if (id == kNone)
        return kFirst;
    const int count = sizeof kOrder / sizeof kOrder[0];
    for (int i = 0; i < count; ++i)
        if (kOrder[i] == id)
            return i + 1 < count ? kOrder[i + 1] : kEnd;
    return kNone;
}

int ColumnIdSequence::fromCaption(const std::string& caption)
{
    for (int id = kFirst; id != kEnd && id != kNone; id = next(id))
        if (lstrcmpiA(GuiStrings::text(id).c_str(), caption.c_str()) == 0)
            return id;
    return kNone;
}
