#include "ThemeLibrary.h"

ThemeLibrary themeLibrary;

ThemeLibrary::ThemeLibrary(const char* moduleName) : module_(LoadLibraryA(moduleName))
{
}

ThemeLibrary::~ThemeLibrary()
{
    if (module_)
        FreeLibrary(module_);
    module_ = nullptr;
}

void* ThemeLibrary::lookup(const char* name) const
{
    // As a plain address: each caller turns it into its own function type.
    return module_ ? reinterpret_cast<void*>(GetProcAddress(module_, name)) : nullptr;
}

#define THEME_FUNCTION(Result, Name, Fallback, Params, Args)                 \
    Result ThemeLibrary::Name Params                                         \
    {                                                                        \
        typedef Result(WINAPI * Function) Params;                            \
        Function function = reinterpret_cast<Function>(lookup(#Name));       \
        return function ? function Args : Fallback;                          \
    }
#include "ThemeFunctions.h"
#undef THEME_FUNCTION

void ThemeLibrary::SetThemeAppProperties(DWORD flags)
{
    typedef void(WINAPI * Function)(DWORD);
    Function function = reinterpret_cast<Function>(lookup("SetThemeAppProperties"));
    if (function)
        function(flags);
}
