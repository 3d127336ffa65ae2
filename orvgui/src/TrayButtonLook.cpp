#include "TrayButtonLook.h"

#include <cstring>

#include "ThemeLibrary.h"

TrayButtonLook::Metrics TrayButtonLook::Metrics::System()
{
    Metrics metrics;
    metrics.cyCaption = GetSystemMetrics(SM_CYCAPTION);
    metrics.cySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    metrics.cxFrame = GetSystemMetrics(SM_CXFRAME);
    metrics.cyFrame = GetSystemMetrics(SM_CYFRAME);
    metrics.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    metrics.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
    return metrics;
}

RECT TrayButtonLook::Layout(DWORD style, DWORD exStyle, int windowWidth, bool classic, const Metrics& metrics)
{
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int size = (tool ? metrics.cySmCaption : metrics.cyCaption) - 1;
    if (size < 8)
        size = 8;
    bool sizing = (style & WS_THICKFRAME) != 0;
    int borderX = sizing ? metrics.cxFrame : metrics.cxDlgFrame;
    int borderY = sizing ? metrics.cyFrame : metrics.cyDlgFrame;
    int width = size - 4 + (classic ? 2 : 0);
    int height = size - 4;
    int x = windowWidth - (2 * width + 4) - borderX;
    int y = 2 + borderY;
    if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0)
        x -= classic ? 2 * (width + 1) : 2 * (width + 2);
    RECT rect = {x, y, x + width, y + height};
    return rect;
}

bool TrayButtonLook::HitTest(const RECT& button, POINT point)
{
    return point.x >= button.left && point.x < button.right && point.y >= button.top + 2 &&
           point.y < button.bottom - 2;
}

int TrayButtonLook::CellIndex(bool enabled, bool hover, bool pressed, bool active)
{
    int index = !enabled ? 4 : pressed ? 3 : hover ? 2 : 1;
    return active ? index : index + 4;
}

const char* TrayButtonLook::SchemeBitmapName(const char* themeFile, const char* colorName)
{
    if (themeFile == nullptr || colorName == nullptr)
        return nullptr;
    const char* name = std::strrchr(themeFile, '\\');
    name = name != nullptr ? name + 1 : themeFile;
    if (lstrcmpiA(name, "LUNA.MSSTYLES") != 0)
        return nullptr;
    if (lstrcmpiA(colorName, "NORMALCOLOR") == 0)
        return "TRAYBUTTON_LUNA_BLUE_BMP";
    if (lstrcmpiA(colorName, "METALLIC") == 0)
        return "TRAYBUTTON_LUNA_METALLIC_BMP";
    if (lstrcmpiA(colorName, "HOMESTEAD") == 0)
        return "TRAYBUTTON_LUNA_HOMESTEAD_BMP";
    return nullptr;
}

RECT TrayButtonLook::ClassicGlyph(const RECT& inner, int height, bool pressed)
{
    int thickness = height + 4 < 14 ? 1 : height + 4 < 20 ? 2 : (height - 16) / 8 + 2;
    int length = (3 * thickness + 1) / 2;
    int inset = height + 4 < 12 ? 0 : (height - 8) / 8 + 1;
    // a bar along the bottom, kept off the frame by the inset and the glyph's own margin
    RECT bar;
    bar.left = inner.left + inset + length;
    bar.right = inner.right - inset - length;
    bar.bottom = inner.bottom - inset - length;
    bar.top = bar.bottom - thickness;
    if (bar.right <= bar.left)
        bar.right = bar.left + 1;
    if (pressed)
        OffsetRect(&bar, 1, 1);
    return bar;
}

TrayButtonLook::TransparentBltFunction TrayButtonLook::TransparentBlt()
{
    static TransparentBltFunction function = [] {
        HMODULE module = LoadLibraryA("MSIMG32.DLL");
        return module != nullptr
                   ? reinterpret_cast<TransparentBltFunction>(
                         reinterpret_cast<void*>(GetProcAddress(module, "TransparentBlt")))
                   : nullptr;
    }();
    return function;
}

void TrayButtonLook::DrawBitmap(HDC dc, const RECT& button, HBITMAP scheme, int cell)
{
    TransparentBltFunction blend = TransparentBlt();
    if (blend == nullptr || scheme == nullptr)
        return;
    int width = button.right - button.left, height = button.bottom - button.top;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldSource = SelectObject(source, scheme);
    // the cell scaled to the button first: Wine's TransparentBlt draws black when it stretches
    HDC scaled = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldScaled = SelectObject(scaled, picture);
    SetStretchBltMode(scaled, COLORONCOLOR);
    StretchBlt(scaled, 0, 0, width, height, source, kCellSize * (cell - 1), 0, kCellSize, kCellSize, SRCCOPY);
    blend(dc, button.left, button.top, width, height, scaled, 0, 0, width, height, RGB(255, 0, 255));
    SelectObject(scaled, oldScaled);
    DeleteObject(picture);
    DeleteDC(scaled);
    SelectObject(source, oldSource);
    DeleteDC(source);
}

void TrayButtonLook::DrawThemed(ThemeLibrary& theme, HWND window, HDC dc, const RECT& button, int cell)
{
    static const WCHAR kWindowClass[] = {'W', 'i', 'n', 'd', 'o', 'w', 0};
    HTHEME data = theme.OpenThemeData(window, kWindowClass);
    if (data == nullptr)
        return;
    RECT rect = button;
    rect.left += (rect.right - rect.left) / 8;
    theme.DrawThemeBackground(data, dc, kWindowPartMinButton, cell, &rect, nullptr);
    theme.CloseThemeData(data);
}

void TrayButtonLook::DrawClassic(HDC dc, const RECT& button, bool pressed, bool enabled)
{
    RECT frame = button;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT inner = button;
    InflateRect(&inner, -2, -2);
    RECT bar = ClassicGlyph(inner, button.bottom - button.top, pressed);
    if (!enabled) {
        RECT shadow = bar;
        OffsetRect(&shadow, 1, 1);
        FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &bar, GetSysColorBrush(COLOR_GRAYTEXT));
    } else {
        FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNTEXT));
    }
}
