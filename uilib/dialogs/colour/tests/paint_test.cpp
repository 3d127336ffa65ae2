// Every mode of the colour control painted side by side (colour_modes_24.png and
// colour_modes_8.png), on a 24-bit and an 8-bit display: at 8 bits the pictures are drawn in
// coarse brush squares.
#include "orv/gtest.h"
#include "RenderHarness.h"
#include "CExtColorCtrl.h"

using namespace ExtColor;

namespace {

const int kTileWidth = 240, kTileHeight = 200, kLabelHeight = 18;
const COLORREF kBack = RGB(0, 128, 128);

TEST(ColourModes, EveryModePaintsItsPicture) {
    const bool bLow = CExtPaintManager::GetScreenBitsPerPixel() <= 8;
    orvtest::RenderCanvas picture(4 * kTileWidth, 4 * kTileHeight, RGB(212, 208, 200));
    ASSERT_TRUE(picture.Valid());
    CPalette* pPalette = bLow ? &g_PaintManager->GetPalette() : NULL;
    CExtColorCtrl ctrl;   // the sixteen models, without a window
    for (int nMode = 0; nMode < CExtColorCtrl::MODE_COUNT; nMode++) {
        SCOPED_TRACE("mode " + std::to_string(nMode));
        const int x = (nMode % 4) * kTileWidth, y = (nMode / 4) * kTileHeight;
        const int cx = kTileWidth - 8, cy = kTileHeight - kLabelHeight - 8;
        orvtest::RenderCanvas tile(cx, cy, kBack);
        any_picker_data_t& model = ctrl.Model(nMode);
        model.SetReferenceColor(RGB(40, 120, 220));
        model.Layout(&tile.dc(), pPalette, cx, cy, false);
        model.SetColor(RGB(200, 60, 40));
        model.Paint(&tile.dc(), pPalette);
        // the model covers a good part of its tile with its picture
        const int nPainted = tile.CountOther(kBack, CRect(0, 0, cx, cy));
        EXPECT_GT(nPainted, cx * cy / 5);

        CString strName = CExtColorCtrl::GetModeName(nMode);
        if (strName.IsEmpty())
            strName = " new colour over the reference colour";
        CRect rcLabel(x + 4, y + 2, x + kTileWidth - 4, y + kLabelHeight);
        picture.dc().SetBkMode(TRANSPARENT);
        picture.dc().DrawText(std::to_string(nMode).c_str() + strName, &rcLabel, DT_SINGLELINE | DT_LEFT);
        picture.dc().BitBlt(x + 4, y + kLabelHeight, cx, cy, &tile.dc(), 0, 0, SRCCOPY);
    }
    EXPECT_TRUE(picture.Keep("colour_modes", 1));
}

}  // namespace
