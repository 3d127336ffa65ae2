// The docking layout of a frame's bars (CFrameWnd::GetDockState / SetDockState): one
// CControlBarInfo per dockable bar and per dock bar, in the frame's order.
//
// Serialize writes the stored form described in framework/README.md (versioned, little-endian)
// and reads it back. A read checks the whole form before it changes anything: a damaged or
// foreign form throws CArchiveException and leaves the state as it was.
#pragma once
#include <afx.h>
#include "CControlBarInfo.h"

class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
public:
    enum {
        dwSignature = 0x53444B46,  // "FKDS"
        nVersion = 1,
        nMaxBarInfo = 256,         // entries in one state
        nMaxBarIDs = 4096,         // ids in one dock bar's rows
    };

    CDockState() = default;
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    void Clear();
    void Serialize(CArchive& ar) override;

    // The stored form in a file (Windows path). Saving writes a new file next to it and puts
    // it in place, so a failed save leaves the old file whole. Loading answers FALSE for a
    // missing, unreadable or damaged file (also one with bytes after the form) and then leaves
    // the state as it was.
    BOOL SaveToFile(LPCTSTR lpszPath);
    BOOL LoadFromFile(LPCTSTR lpszPath);

    CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned

private:
    // Takes state's entries in place of this one's; state is left empty.
    void TakeFrom(CDockState& state);
};
