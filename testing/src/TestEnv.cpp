#include "orv/TestEnv.h"

#include <windows.h>
#include <vector>

namespace orvtest {

std::string env(const char* name)
{
    char buf[4096];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return (n > 0 && n < sizeof buf) ? std::string(buf, n) : std::string();
}

std::string windowsPath(const std::string& unixPath)
{
    std::string w = "Z:" + unixPath;
    for (char& c : w)
        if (c == '/') c = '\\';
    while (w.size() > 3 && w.back() == '\\') w.pop_back();
    return w;
}

std::string fixtureDir()
{
    std::string dir = env("ORV_FIXTURE_DIR");
    if (dir.empty()) {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        return tmp;
    }
    CreateDirectoryA(windowsPath(dir).c_str(), NULL);
    return dir;
}

std::string readFile(const std::string& windowsPath, const std::string& ifMissing)
{
    HANDLE f = CreateFileA(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE) return ifMissing;
    std::string bytes;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, NULL) && n > 0) bytes.append(buf, n);
    CloseHandle(f);
    return bytes;
}

static void removeTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(full);
            else DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

std::string makeScratchFolder(const std::string& name)
{
    std::string base = fixtureDir();
    std::string path = (base.size() > 1 && base[1] == ':') ? base : windowsPath(base);
    while (!path.empty() && path.back() == '\\') path.pop_back();
    path += "\\" + name;
    removeTree(path);
    CreateDirectoryA(path.c_str(), NULL);
    return path;
}

bool screenshot(const std::string& name)
{
    std::string dir = env("ORV_SCREENSHOT_DIR");
    if (dir.empty()) return false;
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;   // bottom-up, as a .bmp file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
        GdiFlush();
        BITMAPFILEHEADER fh = {};
        DWORD size = DWORD(w) * DWORD(h) * 4;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + size;
        HANDLE f = CreateFileA(windowsPath(dir + "/" + name + ".bmp").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD n;
            ok = WriteFile(f, &fh, sizeof fh, &n, NULL) && WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, NULL) &&
                 WriteFile(f, bits, size, &n, NULL);
            CloseHandle(f);
        }
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace orvtest
