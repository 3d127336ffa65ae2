#include "ContextHelpMap.h"

#include <map>

const char ContextHelpMap::kMissingHelpFile[] = "The help file could not be found: ";

namespace {

BOOL SystemWinHelp(HWND window, const char* file, UINT command, ULONG_PTR data)
{
    return WinHelpA(window, file, command, data);
}

void SystemMessage(HWND window, const char* text)
{
    MessageBoxA(window, text, "Help", MB_OK | MB_ICONINFORMATION);
}

bool SystemFileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

const ContextHelpMap::Engine kSystemEngine = {SystemWinHelp, SystemMessage, SystemFileExists};
const ContextHelpMap::Engine* engine = &kSystemEngine;

const std::map<unsigned, unsigned>& helpMap()
{
    static const std::map<unsigned, unsigned> map = {
        {130, 18}, {133, 10}, {135, 23}, {136, 36}, {138, 37}, {143, 34}, {148, 40}, {152, 24}, {153, 25},
        {170, 7},  {173, 8},  {174, 9},  {205, 41}, {206, 44}, {211, 45}, {212, 46}, {213, 47}, {214, 38},
    };
    return map;
}

// The engine is asked only when the file is there.
void callEngine(HWND window, UINT command, ULONG_PTR data)
{
    std::string file = ContextHelpMap::helpFile();
    if (!engine->fileExists(file)) {
        engine->message(window, (std::string(ContextHelpMap::kMissingHelpFile) + file).c_str());
        return;
    }
    engine->winHelp(window, file.c_str(), command, data);   // a failure is the engine's to show
}

}  // namespace

void ContextHelpMap::setEngine(const Engine* replacement)
{
    engine = replacement != nullptr ? replacement : &kSystemEngine;
}

unsigned ContextHelpMap::contextOf(unsigned windowId)
{
    auto it = helpMap().find(windowId);
    return it == helpMap().end() ? 0 : it->second;
}

std::string ContextHelpMap::helpFile()
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    return folder + "helpfile.hlp";
}

void ContextHelpMap::showHelp(HWND window, unsigned windowId)
{
    unsigned context = contextOf(windowId);
    if (context == 0)
        showContents(window);
    else
        callEngine(window, HELP_CONTEXT, context);
}

void ContextHelpMap::showContents(HWND window)
{
    callEngine(window, HELP_FINDER, 0);
}
