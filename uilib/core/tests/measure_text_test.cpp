// Measuring single-line text in a font: wider text is wider, a tab is expanded, the height is
// the font's line, and the DC keeps its own font.
#include <orv/gtest.h>
#include "RenderHarness.h"

TEST(MeasureText, SingleLinesInAFont)
{
    orvtest::RenderCanvas canvas(10, 10);
    CFont& font = g_PaintManager->GetFont(CExtPaintManager::FontNormal);
    CFont& bold = g_PaintManager->GetFont(CExtPaintManager::FontBold);
    HGDIOBJ hBefore = ::GetCurrentObject(canvas.dc().GetSafeHdc(), OBJ_FONT);
    const CRect w = CExtPaintManager::MeasureTextRect(canvas.dc(), "W", &font);
    const CRect wide = CExtPaintManager::MeasureTextRect(canvas.dc(), "WWWW WWWW", &font);
    const CRect joined = CExtPaintManager::MeasureTextRect(canvas.dc(), "ab", &font);
    const CRect tabbed = CExtPaintManager::MeasureTextRect(canvas.dc(), "a\tb", &font);
    const CRect twoLines = CExtPaintManager::MeasureTextRect(canvas.dc(), "a\r\nb", &font);
    EXPECT_EQ(CPoint(0, 0), w.TopLeft());
    EXPECT_GT(w.Width(), 0);
    EXPECT_GT(wide.Width(), 4 * w.Width());
    EXPECT_GT(tabbed.Width(), joined.Width() + w.Width());   // the tab stop, not one glyph
    EXPECT_EQ(w.Height(), twoLines.Height());                 // one line, whatever it holds
    EXPECT_GE(CExtPaintManager::MeasureTextRect(canvas.dc(), "WWWW WWWW", &bold).Width(), wide.Width());
    EXPECT_TRUE(CExtPaintManager::MeasureTextRect(canvas.dc(), NULL, &font).IsRectEmpty());
    EXPECT_EQ(hBefore, ::GetCurrentObject(canvas.dc().GetSafeHdc(), OBJ_FONT));
}
