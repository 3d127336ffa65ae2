// Paths and settings the test harness hands to every test (see testing/isolate.sh).
#pragma once
#include <string>
#include <vector>

namespace orvtest {

// Milliseconds of the system's monotonic clock. GetTickCount reads a copy of the time that the
// wineserver refreshes every 16 ms or so, and later when it is starved of CPU: on a loaded machine
// it lags by more than a hundred milliseconds at times, so an elapsed time measured with it can
// come out shorter than the wait it measured. Tests that check a lower bound measure with this.
long long nowMs();

// Value of an environment variable, "" when unset.
std::string env(const char* name);

// Windows form of a Unix path: /a/b -> Z:\a\b
std::string windowsPath(const std::string& unixPath);

// The test's scratch folder (Unix path), removed after the test; created if needed.
std::string fixtureDir();

// The whole content of a file (Windows path), read while others may still write it; ifMissing
// when it cannot be opened.
std::string readFile(const std::string& windowsPath, const std::string& ifMissing = std::string());

// A handle held on a file as it is now, sharing everything. A file put in place of it (a new file
// renamed over the old) leaves what this handle reads unchanged; a rewrite in place does not.
// Comparing file numbers instead is not enough: the file system may give the next new file the
// number of the one just replaced.
class HeldFile {
public:
    explicit HeldFile(const std::string& windowsPath);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool isOpen() const;
    // The whole content as the handle sees it now.
    std::string read();

private:
    void* handle_;
};

// A fresh empty sub-folder of the scratch folder, as a Windows path with no trailing '\'.
std::string makeScratchFolder(const std::string& name);

// A picture read back from a file: 8-bit RGB, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;   // width * height * 3 bytes

    // The pixel as a COLORREF (0x00BBGGRR); 0xFFFFFFFF outside the picture.
    unsigned int pixel(int x, int y) const;
    // Pixels of exactly this COLORREF in [left, right) x [top, bottom).
    int count(unsigned int colorref, int left, int top, int right, int bottom) const;
    // Whether [left, right) x [top, bottom), an area the program paints light with dark text
    // on it (menus, dialogs, controls), reads so: at least half of its pixels light and at
    // least minDark dark ones. "" when it does, else what is wrong with it. An area painted
    // black, or one whose text is lost in its background, fails.
    std::string lightAreaProblem(int left, int top, int right, int bottom, int minDark = 20) const;
};

// Takes a picture of what the X server shows on the test's display (its root window, with
// every window on it) and keeps it as ORV_SCREENSHOT_DIR/NAME.png. Windows are flushed to the
// X server first. On a palette display the picture is read through GDI, which knows the colour
// of every index the program painted with (the server's root has a colour map of its own). With picture given, the kept PNG is also read back into it, so a test can
// check that its windows are in its own picture.
bool screenshot(const std::string& name, Picture* picture = nullptr);

// Keeps a picture drawn off-screen (a 32-bit top-down DIB, as BGRX words) as
// ORV_SCREENSHOT_DIR/NAME.png.
bool savePicture(const std::string& name, int width, int height, const unsigned int* bgrx);

// Reads a picture file (any format ImageMagick reads) given by its Unix path.
bool readPicture(const std::string& unixPath, Picture& picture);

}  // namespace orvtest
