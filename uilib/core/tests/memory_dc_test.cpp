// The off-screen memory DC on a 24-bit and an 8-bit display: what is drawn reaches the target
// in one copy at the rectangle's place, a second flush does nothing, and a buffer that cannot
// be made leaves the drawing on the target instead of copying an empty bitmap over it.
#include <orv/gtest.h>
#include "CExtMemoryDC.h"
#include "RenderHarness.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

TEST(MemoryDC, ThePictureReachesTheTargetOnceAtItsPlace)
{
    orvtest::RenderCanvas canvas(60, 40);
    const CRect rc(10, 5, 50, 35);
    {
        CExtMemoryDC dc(&canvas.dc(), &rc, CExtMemoryDC::MDCOPT_TO_MEMORY);
        ASSERT_TRUE(dc.IsMemDC());
        dc.FillSolidRect(CRect(10, 5, 30, 35), kRed);   // the caller's own coordinates
        dc.FillSolidRect(CRect(30, 5, 50, 35), kBlue);
        EXPECT_EQ(kWhite, canvas.At(15, 10));           // nothing on the target yet
        dc.Flush();
        EXPECT_EQ(kRed, canvas.At(15, 10));
        EXPECT_EQ(kBlue, canvas.At(45, 30));
        canvas.Fill(kWhite);
        dc.Flush();                                     // a second flush copies nothing
        EXPECT_EQ(kWhite, canvas.At(15, 10));
    }   // nor does the destructor after a flush
    EXPECT_EQ(kWhite, canvas.At(15, 10));
    CExtMemoryDC idle;   // never set up: goes quietly
}

TEST(MemoryDC, FillsWithTheTargetBackgroundAndLeavesTheRestAlone)
{
    orvtest::RenderCanvas canvas(40, 40, kBlue);
    canvas.dc().SetBkColor(kRed);
    {
        CExtMemoryDC dc(&canvas.dc(), CRect(5, 5, 25, 25));
    }
    EXPECT_EQ(400, canvas.Count(kRed, CRect(0, 0, 40, 40)));
    EXPECT_EQ(kRed, canvas.At(5, 5));
    EXPECT_EQ(kBlue, canvas.At(25, 25));
}

TEST(MemoryDC, WithoutABufferTheDrawingGoesStraightToTheTarget)
{
    struct Case {
        const char* name;
        CRect rc;
        DWORD flags;
    } cases[] = {
        {"empty rectangle", CRect(10, 10, 10, 30), CExtMemoryDC::MDCOPT_TO_MEMORY},
        {"huge rectangle", CRect(0, 0, 200000, 200000), CExtMemoryDC::MDCOPT_TO_MEMORY},
        {"huge DIB section", CRect(0, 0, 200000, 200000), CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_DIB},
    };
    for (const Case& c : cases) {
        orvtest::RenderCanvas canvas(40, 40);
        {
            CExtMemoryDC dc(&canvas.dc(), &c.rc, c.flags);
            EXPECT_FALSE(dc.IsMemDC()) << c.name;
            EXPECT_EQ(NULL, dc.GetDibSurface()) << c.name;
            dc.FillSolidRect(CRect(2, 2, 6, 6), kRed);
        }
        // what was drawn stays, and no empty bitmap was laid over the target
        EXPECT_EQ(16, canvas.Count(kRed, CRect(0, 0, 40, 40))) << c.name;
        EXPECT_EQ(40 * 40 - 16, canvas.Count(kWhite, CRect(0, 0, 40, 40))) << c.name;
    }
}

TEST(MemoryDC, ADibSectionKeepsItsPixelsAtHand)
{
    orvtest::RenderCanvas canvas(20, 10);
    CExtMemoryDC dc(&canvas.dc(), CRect(0, 0, 20, 10), CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_DIB);
    ASSERT_NE(nullptr, dc.GetDibSurface());
    dc.FillSolidRect(CRect(0, 0, 20, 10), kRed);
    ::GdiFlush();
    // bottom-up rows of BGRX words
    EXPECT_EQ(0x00FF0000u, static_cast<const DWORD*>(dc.GetDibSurface())[0] & 0x00FFFFFFu);
    dc.Flush();
    EXPECT_EQ(kRed, canvas.At(19, 9));
}
