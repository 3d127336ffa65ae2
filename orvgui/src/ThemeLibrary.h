// Access to the visual-styles library (UxTheme.dll) where it may be missing: the library is
// loaded once for the program's life, and each method looks its function up by name at every
// call and calls it, or returns a fixed fall-back result when the library or the function is
// missing (a missing function is never called). GUI thread only.
#pragma once

#include <windows.h>
#include <commctrl.h>

extern "C" {
#include <uxtheme.h>
}

class ThemeLibrary {
public:
    // Loads the module (the visual-styles library unless a test names another); the handle is
    // kept even when null.
    explicit ThemeLibrary(const char* moduleName = "UxTheme.dll");
    ~ThemeLibrary();
    ThemeLibrary(const ThemeLibrary&) = delete;
    ThemeLibrary& operator=(const ThemeLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }

#define THEME_FUNCTION(Result, Name, Fallback, Params, Args) Result Name Params;
#include "ThemeFunctions.h"
#undef THEME_FUNCTION
    void SetThemeAppProperties(DWORD flags);

private:
    // The library's function of that name, or null.
    void* lookup(const char* name) const;

    HMODULE module_;
};

// The program's one instance, made before the application object starts.
extern ThemeLibrary themeLibrary;
