#include "ThemeChoice.h"

#include "CExtPaintManager.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"

ThemeChoice::Theme ThemeChoice::themeOf(int stored)
{
    switch (stored) {
    case Office2003:
    case Classic:
    case Xp:
    case Studio2005:
        return static_cast<Theme>(stored);
    default:
        return Xp;
    }
}

CExtPaintManager* ThemeChoice::painterFor(int stored)
{
    switch (themeOf(stored)) {
    case Office2003:
        return new CExtPaintManagerOffice2003;
    case Classic:
        return new CExtPaintManager;
    case Studio2005:
        return new CExtPaintManagerStudio2005;
    case Xp:
    default:
        return new CExtPaintManagerXP;
    }
}
