// Visual-styles access: with the library every method gives the library function's own result;
// without it, or without the function, the fixed fall-back.
#include "orv/gtest.h"

#include "ThemeLibrary.h"

namespace {

template <typename Function>
Function direct(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("uxtheme.dll"), name)));
}

void expectFallBacks(ThemeLibrary& library)
{
    EXPECT_FALSE(library.IsThemeActive());
    EXPECT_FALSE(library.IsAppThemed());
    EXPECT_EQ(RGB(255, 255, 255), library.GetThemeSysColor(nullptr, COLOR_WINDOW));
    EXPECT_EQ(nullptr, library.GetThemeSysColorBrush(nullptr, COLOR_WINDOW));
    EXPECT_EQ(nullptr, library.OpenThemeData(nullptr, L"Window"));
    EXPECT_EQ(E_FAIL, library.CloseThemeData(nullptr));
    EXPECT_EQ(E_FAIL, library.DrawThemeBackground(nullptr, nullptr, 1, 1, nullptr, nullptr));
    EXPECT_EQ(0, library.GetThemeSysSize(nullptr, 0));
    EXPECT_EQ(0u, library.GetThemeAppProperties());
    WCHAR name[MAX_PATH];
    EXPECT_EQ(E_FAIL, library.GetCurrentThemeName(name, MAX_PATH, nullptr, 0, nullptr, 0));
    EXPECT_EQ(E_FAIL, library.EnableTheming(TRUE));
    library.SetThemeAppProperties(STAP_ALLOW_NONCLIENT);   // nothing to call, nothing happens
}

}  // namespace

TEST(ThemeLibrary, WithTheLibraryEachMethodGivesTheFunctionsOwnResult)
{
    ThemeLibrary library;
    ASSERT_TRUE(library.loaded());
    EXPECT_EQ(direct<BOOL(WINAPI*)()>("IsThemeActive")(), library.IsThemeActive());
    EXPECT_EQ(direct<BOOL(WINAPI*)()>("IsAppThemed")(), library.IsAppThemed());
    EXPECT_EQ(direct<DWORD(WINAPI*)()>("GetThemeAppProperties")(), library.GetThemeAppProperties());
    EXPECT_EQ(direct<HRESULT(WINAPI*)(HTHEME)>("CloseThemeData")(nullptr),
              library.CloseThemeData(nullptr));
    EXPECT_EQ(direct<int(WINAPI*)(HTHEME, int)>("GetThemeSysSize")(nullptr, SM_CXVSCROLL),
              library.GetThemeSysSize(nullptr, SM_CXVSCROLL));

    WCHAR viaLibrary[MAX_PATH] = {};
    WCHAR viaFunction[MAX_PATH] = {};
    typedef HRESULT(WINAPI * NameFunction)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
    EXPECT_EQ(direct<NameFunction>("GetCurrentThemeName")(viaFunction, MAX_PATH, nullptr, 0,
                                                          nullptr, 0),
              library.GetCurrentThemeName(viaLibrary, MAX_PATH, nullptr, 0, nullptr, 0));
    EXPECT_EQ(0, lstrcmpW(viaFunction, viaLibrary));
}

TEST(ThemeLibrary, WithoutTheLibraryOrItsFunctionsEveryMethodGivesItsFallBack)
{
    ThemeLibrary missing("NoSuchThemeLibrary.dll");
    EXPECT_FALSE(missing.loaded());
    expectFallBacks(missing);

    ThemeLibrary withoutFunctions("version.dll");   // loads, exports none of them
    EXPECT_TRUE(withoutFunctions.loaded());
    expectFallBacks(withoutFunctions);
}
