// The visual-styles functions ThemeLibrary offers, for ThemeLibrary.h and ThemeLibrary.cpp only:
// THEME_FUNCTION(result type, name, result when it cannot be called, (parameters), (arguments)).
// SetThemeAppProperties, which has no result, is written out in those files.
THEME_FUNCTION(HTHEME, OpenThemeData, nullptr, (HWND window, LPCWSTR classes), (window, classes))
THEME_FUNCTION(HRESULT, CloseThemeData, E_FAIL, (HTHEME theme), (theme))
THEME_FUNCTION(HRESULT, DrawThemeBackground, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip),
               (theme, dc, part, state, rect, clip))
THEME_FUNCTION(HRESULT, DrawThemeText, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                DWORD flags2, const RECT* rect),
               (theme, dc, part, state, text, count, flags, flags2, rect))
THEME_FUNCTION(HRESULT, GetThemeBackgroundContentRect, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content),
               (theme, dc, part, state, bounds, content))
THEME_FUNCTION(HRESULT, GetThemeBackgroundExtent, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* content, RECT* extent),
               (theme, dc, part, state, content, extent))
THEME_FUNCTION(HRESULT, GetThemePartSize, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size),
               (theme, dc, part, state, rect, kind, size))
THEME_FUNCTION(HRESULT, GetThemeTextExtent, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count, DWORD flags,
                const RECT* bounds, RECT* extent),
               (theme, dc, part, state, text, count, flags, bounds, extent))
THEME_FUNCTION(HRESULT, GetThemeTextMetrics, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics),
               (theme, dc, part, state, metrics))
THEME_FUNCTION(HRESULT, GetThemeBackgroundRegion, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region),
               (theme, dc, part, state, rect, region))
THEME_FUNCTION(HRESULT, HitTestThemeBackground, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, DWORD options, const RECT* rect,
                HRGN region, POINT test, WORD* code),
               (theme, dc, part, state, options, rect, region, test, code))
THEME_FUNCTION(HRESULT, DrawThemeEdge, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                RECT* content),
               (theme, dc, part, state, rect, edge, flags, content))
THEME_FUNCTION(HRESULT, DrawThemeIcon, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, const RECT* rect, HIMAGELIST images,
                int image),
               (theme, dc, part, state, rect, images, image))
THEME_FUNCTION(BOOL, IsThemePartDefined, FALSE, (HTHEME theme, int part, int state),
               (theme, part, state))
THEME_FUNCTION(BOOL, IsThemeBackgroundPartiallyTransparent, FALSE,
               (HTHEME theme, int part, int state), (theme, part, state))
THEME_FUNCTION(HRESULT, GetThemeColor, E_FAIL,
               (HTHEME theme, int part, int state, int property, COLORREF* color),
               (theme, part, state, property, color))
THEME_FUNCTION(HRESULT, GetThemeMetric, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, int property, int* value),
               (theme, dc, part, state, property, value))
THEME_FUNCTION(HRESULT, GetThemeString, E_FAIL,
               (HTHEME theme, int part, int state, int property, LPWSTR buffer, int size),
               (theme, part, state, property, buffer, size))
THEME_FUNCTION(HRESULT, GetThemeBool, E_FAIL,
               (HTHEME theme, int part, int state, int property, BOOL* value),
               (theme, part, state, property, value))
THEME_FUNCTION(HRESULT, GetThemeInt, E_FAIL,
               (HTHEME theme, int part, int state, int property, int* value),
               (theme, part, state, property, value))
THEME_FUNCTION(HRESULT, GetThemeEnumValue, E_FAIL,
               (HTHEME theme, int part, int state, int property, int* value),
               (theme, part, state, property, value))
THEME_FUNCTION(HRESULT, GetThemePosition, E_FAIL,
               (HTHEME theme, int part, int state, int property, POINT* point),
               (theme, part, state, property, point))
THEME_FUNCTION(HRESULT, GetThemeFont, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, int property, LOGFONTW* font),
               (theme, dc, part, state, property, font))
THEME_FUNCTION(HRESULT, GetThemeRect, E_FAIL,
               (HTHEME theme, int part, int state, int property, RECT* rect),
               (theme, part, state, property, rect))
THEME_FUNCTION(HRESULT, GetThemeMargins, E_FAIL,
               (HTHEME theme, HDC dc, int part, int state, int property, RECT* rect,
                MARGINS* margins),
               (theme, dc, part, state, property, rect, margins))
THEME_FUNCTION(HRESULT, GetThemeIntList, E_FAIL,
               (HTHEME theme, int part, int state, int property, INTLIST* list),
               (theme, part, state, property, list))
THEME_FUNCTION(HRESULT, GetThemePropertyOrigin, E_FAIL,
               (HTHEME theme, int part, int state, int property, PROPERTYORIGIN* origin),
               (theme, part, state, property, origin))
THEME_FUNCTION(HRESULT, SetWindowTheme, E_FAIL,
               (HWND window, LPCWSTR appName, LPCWSTR idList), (window, appName, idList))
THEME_FUNCTION(HRESULT, GetThemeFilename, E_FAIL,
               (HTHEME theme, int part, int state, int property, LPWSTR buffer, int size),
               (theme, part, state, property, buffer, size))
THEME_FUNCTION(COLORREF, GetThemeSysColor, RGB(255, 255, 255), (HTHEME theme, int color),
               (theme, color))
THEME_FUNCTION(HBRUSH, GetThemeSysColorBrush, nullptr, (HTHEME theme, int color), (theme, color))
THEME_FUNCTION(BOOL, GetThemeSysBool, FALSE, (HTHEME theme, int id), (theme, id))
THEME_FUNCTION(int, GetThemeSysSize, 0, (HTHEME theme, int id), (theme, id))
THEME_FUNCTION(HRESULT, GetThemeSysFont, E_FAIL, (HTHEME theme, int id, LOGFONTW* font),
               (theme, id, font))
THEME_FUNCTION(HRESULT, GetThemeSysString, E_FAIL,
               (HTHEME theme, int id, LPWSTR buffer, int size), (theme, id, buffer, size))
THEME_FUNCTION(HRESULT, GetThemeSysInt, E_FAIL, (HTHEME theme, int id, int* value),
               (theme, id, value))
THEME_FUNCTION(BOOL, IsThemeActive, FALSE, (), ())
THEME_FUNCTION(BOOL, IsAppThemed, FALSE, (), ())
THEME_FUNCTION(HTHEME, GetWindowTheme, nullptr, (HWND window), (window))
THEME_FUNCTION(HRESULT, EnableThemeDialogTexture, E_FAIL, (HWND window, DWORD flags),
               (window, flags))
THEME_FUNCTION(BOOL, IsThemeDialogTextureEnabled, FALSE, (HWND window), (window))
THEME_FUNCTION(DWORD, GetThemeAppProperties, 0, (), ())
THEME_FUNCTION(HRESULT, GetCurrentThemeName, E_FAIL,
               (LPWSTR fileName, int fileSize, LPWSTR colorName, int colorSize, LPWSTR sizeName,
                int sizeSize),
               (fileName, fileSize, colorName, colorSize, sizeName, sizeSize))
THEME_FUNCTION(HRESULT, GetThemeDocumentationProperty, E_FAIL,
               (LPCWSTR themeName, LPCWSTR propertyName, LPWSTR buffer, int size),
               (themeName, propertyName, buffer, size))
THEME_FUNCTION(HRESULT, DrawThemeParentBackground, E_FAIL, (HWND window, HDC dc, RECT* rect),
               (window, dc, rect))
THEME_FUNCTION(HRESULT, EnableTheming, E_FAIL, (BOOL enable), (enable))
