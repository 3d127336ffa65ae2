// Context help: each GUI window answers WM_HELP with the help topic of its own resource id, through
// the Windows help engine and the help file beside the program ("helpfile.hlp"). An id not in the
// map opens the help contents. When the help file is missing the engine is not asked (it would
// block its caller with a prompt of its own): one message of ours says so instead.
#pragma once

#include <windows.h>

#include <string>

class ContextHelpMap {
public:
    // Message shown when the help file is missing (the path follows it).
    static const char kMissingHelpFile[];

    // What help goes through; tests put recorders here.
    struct Engine {
        BOOL (*winHelp)(HWND window, const char* file, UINT command, ULONG_PTR data);
        void (*message)(HWND window, const char* text);
        bool (*fileExists)(const std::string& path);
    };
    // The engine used from now on (null: the system's).
    static void setEngine(const Engine* engine);

    // The help context of a window id, or 0 when the id is not in the map.
    static unsigned contextOf(unsigned windowId);
    // The program's folder followed by "helpfile.hlp".
    static std::string helpFile();

    // Topic of the window id (contents for an id not in the map).
    static void showHelp(HWND window, unsigned windowId);
    static void showContents(HWND window);
};
