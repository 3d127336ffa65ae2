#include "orv/TestEnv.h"

#include <windows.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <vector>

extern char** environ;

namespace orvtest {

long long nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

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

HeldFile::HeldFile(const std::string& windowsPath)
    : handle_(CreateFileA(windowsPath.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                          0, NULL))
{
}

HeldFile::~HeldFile()
{
    if (isOpen()) CloseHandle(handle_);
}

bool HeldFile::isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

std::string HeldFile::read()
{
    std::string bytes;
    if (!isOpen() || SetFilePointer(handle_, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return bytes;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(handle_, buf, sizeof buf, &n, NULL) && n > 0) bytes.append(buf, n);
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

unsigned int Picture::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
}

int Picture::count(unsigned int colorref, int left, int top, int right, int bottom) const
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (pixel(x, y) == colorref) ++n;
    return n;
}

std::string Picture::lightAreaProblem(int left, int top, int right, int bottom, int minDark) const
{
    int light = 0, dark = 0, total = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            if (x < 0 || y < 0 || x >= width || y >= height) continue;
            const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
            const int luma = (p[0] * 30 + p[1] * 59 + p[2] * 11) / 100;
            ++total;
            if (luma >= 160) ++light;
            else if (luma < 100) ++dark;
        }
    char what[200];
    if (total == 0) {
        snprintf(what, sizeof what, "the area (%d,%d)-(%d,%d) is outside the picture", left, top, right, bottom);
        return what;
    }
    if (light * 2 < total || dark < minDark) {
        snprintf(what, sizeof what, "the area (%d,%d)-(%d,%d) has %d light and %d dark pixels of %d: %s", left, top, right,
                 bottom, light, dark, total,
                 light * 2 < total ? "its light background is missing" : "no text can be seen on it");
        return what;
    }
    return std::string();
}

// Runs a Unix program (found through PATH) with its output sent to /dev/null and waits for it,
// at most timeoutMs; true when it exits with 0. A program that overruns is killed by its pid.
static bool runUnix(const std::vector<std::string>& args, DWORD timeoutMs)
{
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        fprintf(stderr, "orvtest: cannot start %s (%d)\n", argv[0], rc);
        return false;
    }
    DWORD until = GetTickCount() + timeoutMs;
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0) return false;
        if (GetTickCount() > until) {
            fprintf(stderr, "orvtest: %s did not end within %u ms\n", argv[0], (unsigned)timeoutMs);
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        Sleep(10);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool readPicture(const std::string& unixPath, Picture& picture)
{
    picture = Picture();
    // ImageMagick turns the file into a binary PPM (P6) that is read here
    std::string ppm = fixtureDir() + "/orvtest-picture.ppm";
    if (!runUnix({"convert", unixPath, "-depth", "8", "ppm:" + ppm}, 30000)) return false;
    std::string bytes = readFile(windowsPath(ppm));
    DeleteFileA(windowsPath(ppm).c_str());
    // header: "P6" width height maxval, separated by blanks, then one blank and the pixels
    size_t pos = 0;
    auto field = [&](std::string& out) {
        while (pos < bytes.size() && isspace((unsigned char)bytes[pos])) ++pos;
        size_t start = pos;
        while (pos < bytes.size() && !isspace((unsigned char)bytes[pos])) ++pos;
        out = bytes.substr(start, pos - start);
        return !out.empty();
    };
    std::string magic, w, h, maxval;
    if (!field(magic) || magic != "P6" || !field(w) || !field(h) || !field(maxval) || maxval != "255")
        return false;
    ++pos;
    picture.width = atoi(w.c_str());
    picture.height = atoi(h.c_str());
    size_t size = size_t(picture.width) * picture.height * 3;
    if (picture.width <= 0 || picture.height <= 0 || bytes.size() - pos < size) return false;
    picture.rgb.assign(bytes.begin() + pos, bytes.begin() + pos + size);
    return true;
}

// On a palette display the X server holds colour indices of the colour map Wine made for its
// windows. No window manager runs on the test's display to install that map, so the root
// window's own map is the one in force, and a picture read from the root through it shows
// most colours as black (only the indices the two maps happen to share come out right). There
// the picture is read through GDI instead, which turns every index into the colour the program
// asked for, as a user sees it once the map is installed.
static bool gdiScreenshot(const std::string& name)
{
    HDC screen = GetDC(NULL);
    if (screen == NULL) return false;
    const int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;   // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC mem = dib != NULL ? CreateCompatibleDC(screen) : NULL;
    bool ok = false;
    if (mem != NULL) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    ReleaseDC(NULL, screen);
    if (ok) ok = savePicture(name, width, height, static_cast<const unsigned int*>(bits));
    if (dib != NULL) DeleteObject(dib);
    return ok;
}

bool screenshot(const std::string& name, Picture* picture)
{
    std::string dir = env("ORV_SCREENSHOT_DIR");
    if (dir.empty()) return false;
    // Wine hands a window's drawing to the X server from its message loop, at most every few
    // tens of milliseconds: give it that time, and a look at the queue (PM_NOREMOVE dispatches
    // nothing posted), so what the program drew is on the screen.
    GdiFlush();
    MSG msg;
    for (int i = 0; i < 3; ++i) {
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
        Sleep(40);
    }
    std::string png = dir + "/" + name + ".png";
    HDC screen = GetDC(NULL);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(NULL, screen);
    if (palette ? !gdiScreenshot(name) : !runUnix({"import", "-window", "root", png}, 30000)) return false;
    return picture == nullptr || readPicture(png, *picture);
}

bool savePicture(const std::string& name, int width, int height, const unsigned int* bgrx)
{
    std::string dir = env("ORV_SCREENSHOT_DIR");
    if (dir.empty() || width <= 0 || height <= 0) return false;
    BITMAPINFOHEADER bh = {};
    bh.biSize = sizeof bh;
    bh.biWidth = width;
    bh.biHeight = -height;   // top-down, as the caller's rows are
    bh.biPlanes = 1;
    bh.biBitCount = 32;
    bh.biCompression = BI_RGB;
    DWORD size = DWORD(width) * DWORD(height) * 4;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bh;
    fh.bfSize = fh.bfOffBits + size;
    std::string bmp = dir + "/" + name + ".bmp";
    HANDLE f = CreateFileA(windowsPath(bmp).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD n;
    bool ok = WriteFile(f, &fh, sizeof fh, &n, NULL) && WriteFile(f, &bh, sizeof bh, &n, NULL) &&
              WriteFile(f, bgrx, size, &n, NULL);
    CloseHandle(f);
    if (!ok) return false;
    // the picture is kept as PNG; the bitmap was only the way there
    bool converted = runUnix({"convert", bmp, dir + "/" + name + ".png"}, 30000);
    if (converted) DeleteFileA(windowsPath(bmp).c_str());
    return converted;
}

}  // namespace orvtest
