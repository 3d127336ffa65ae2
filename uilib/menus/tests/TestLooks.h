// The four looks the pictures and per-look checks of these tests are taken in, in the order the
// pictures show them.
#pragma once
#include "CExtPaintManager.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"

struct TestLook {
    const char* name;
    CExtPaintManager* (*make)();
};

inline const TestLook kTestLooks[] = {
    {"classic", []() -> CExtPaintManager* { return new CExtPaintManager; }},
    {"xp", []() -> CExtPaintManager* { return new CExtPaintManagerXP; }},
    {"office2003", []() -> CExtPaintManager* { return new CExtPaintManagerOffice2003; }},
    {"studio2005", []() -> CExtPaintManager* { return new CExtPaintManagerStudio2005; }},
};
