// The Studio 2005 look: the Office 2003 painter with studio-style docking. With the blue Luna
// scheme its whole colour table comes from one fixed pair (a warm grey face and a blue accent),
// the 3D system colours of its own table included; otherwise it paints with the Office 2003
// colours.
#pragma once
#include "CExtPaintManagerOffice2003.h"

class CExtPaintManagerStudio2005 : public CExtPaintManagerOffice2003 {
    DECLARE_DYNCREATE(CExtPaintManagerStudio2005)
public:
    int GetThemeKind() const override { return 4; }
    bool IsStudioStyle() const override { return true; }
    // Theme colours only with the blue or silver Luna scheme.
    bool UseLunaColors() const override;
    // The fixed face and accent on the blue scheme; otherwise the Office 2003 answer.
    bool GetLunaBaseColors(COLORREF& clrA, COLORREF& clrB) const override;
    void InitTranslatedColors() override;
    // A button on an active caption that keeps the plain close glyph has the classic look.
    void PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data) override;
    // A bar docked with a caption has the classic caption; everything else the Office 2003 one.
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    // Floating frames of docking bars (not tool or menu bars) are two raised rings.
    void PaintDockingFrame(CDC& dc, DockingFramePaintData& data) override;
    // Only with the silver scheme.
    void PaintToolBarDecoration(CDC& dc, CObject* pButton) override;
};
