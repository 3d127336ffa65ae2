// The file that keeps the main frame's bar layout and window placement (gui_profile.cfg). A load
// tells a missing file from one that cannot be used; a save writes a new file beside the old one
// and puts it in the old one's place only when it was written whole, so a failed save keeps the
// layout saved before.
#pragma once

#include <afxwin.h>

#include <functional>

class BarLayoutFile {
public:
    enum Outcome { Missing, Loaded, Damaged };
    // Reads or writes the archive; false when the archive could not be used.
    typedef std::function<bool(CArchive&)> Serializer;

    static const int kBufferSize = 4096;

    // Opens the file for reading and hands its archive to the serializer. An archive the
    // serializer refuses or that ends early (a framework exception) is Damaged.
    static Outcome Load(const CString& strPath, const Serializer& read);
    // Writes the archive into strPath + ".new" and moves it over strPath. False (the old file
    // untouched, the new one removed) when any step failed.
    static bool Save(const CString& strPath, const Serializer& write);
    static CString TemporaryPath(const CString& strPath) { return strPath + ".new"; }
};
