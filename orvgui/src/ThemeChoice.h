// The look stored in the profile (position 15) as the painter that draws it.
#pragma once

class CExtPaintManager;

class ThemeChoice {
public:
    enum Theme { Office2003 = 0, Classic = 1, Xp = 2, Studio2005 = 3 };
    // The look a stored value stands for; any other value is the XP look.
    static Theme themeOf(int stored);
    // A new painter for the stored value (the caller installs it).
    static CExtPaintManager* painterFor(int stored);
};
