// The gallery: every element the painters draw, in each of the four looks side by side, kept as
// one picture (gallery_DEPTH.png, and gallery_luna_blue_DEPTH.png with the blue Luna style
// given through the seam). It is the first picture to open to judge the looks. Elements are
// added here as the painters learn them.
#include "orv/gtest.h"
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "BarDoubles.h"
#include "ExtBarStandIns.h"
#include <functional>

namespace {

typedef CExtPaintManager PM;
using orvtest::RenderCanvas;
using orvtest::ScopedPainter;
using orvtest::ScopedSystemAnswers;
using orvtest::XpLunaSystem;

const COLORREF kBackground = RGB(0, 128, 128);
const int kLabelWidth = 120, kCellWidth = 200, kGap = 6, kHeaderHeight = 20;

PM& pm() { return *g_PaintManager.GetPaintManager(); }

// One row of the gallery: a name and what it paints into a cell of one look.
struct Row {
    const char* name;
    int height;
    std::function<void(CDC&, const CRect&)> paint;
};

PM::PushButtonPaintData Button(const CRect& rc, LPCTSTR text, CExtCmdIcon* icon, bool flat,
                               bool hover, bool pushed, bool enabled, bool focus = false,
                               bool dropDown = false) {
    return PM::PushButtonPaintData(NULL, true, rc, text, icon, flat, hover, pushed, false, enabled,
                                   true, focus, focus, 1 | 4, NULL, dropDown);
}

PM::MenuItemPaintData Item(const CRect& rc, LPCTSTR text, CExtCmdIcon* icon, bool selected,
                           bool checked, bool enabled, bool rarely, bool popup) {
    return PM::MenuItemPaintData(NULL, rc, 22, text, popup ? "" : "Ctrl+O", icon, popup, selected,
                                 checked, false, false, enabled, rarely, false, false, 0);
}

// Cells side by side in one row: n equal parts of the cell with a small gap.
CRect Part(const CRect& rc, int i, int n) {
    const int w = (rc.Width() - (n - 1) * 4) / n;
    return CRect(rc.left + i * (w + 4), rc.top, rc.left + i * (w + 4) + w, rc.bottom);
}

// Bars the painters can ask about: a plain bar and a tool bar docked at the top of a frame,
// with its content-expand button.
struct GalleryToolBar {
    CWnd frame;
    orvtest::TestControlBar plain;
    orvtest::TestToolBar bar;
    CExtBarContentExpandButton expand;
    GalleryToolBar() : expand(&bar) {
        bar.m_pDockSite = &frame;
        bar.m_nDockBarID = kDockBarTop;
    }
};

std::vector<Row> Rows(CExtCmdIcon* icon) {
    std::vector<Row> rows;
    auto button = [](const char* name, std::function<PM::PushButtonPaintData(const CRect&)> make) {
        return Row{name, 28, [make](CDC& dc, const CRect& rc) {
                       CRect r(rc);
                       r.right = r.left + 110;
                       PM::PushButtonPaintData d = make(r);
                       pm().PaintPushButton(dc, d);
                   }};
    };
    rows.push_back(button("button", [icon](const CRect& r) { return Button(r, "&Options", icon, false, false, false, true); }));
    rows.push_back(button("button hover", [icon](const CRect& r) { return Button(r, "&Options", icon, false, true, false, true); }));
    rows.push_back(button("button pushed", [icon](const CRect& r) { return Button(r, "&Options", icon, false, true, true, true); }));
    rows.push_back(button("button disabled", [icon](const CRect& r) { return Button(r, "&Options", icon, false, false, false, false); }));
    rows.push_back(button("button focus", [](const CRect& r) { return Button(r, "&Default", NULL, false, false, false, true, true); }));
    rows.push_back(button("flat hover", [icon](const CRect& r) { return Button(r, "&Flat", icon, true, true, false, true); }));
    rows.push_back(button("drop-down", [](const CRect& r) { return Button(r, "&Menu", NULL, false, true, false, true, false, true); }));

    auto item = [](const char* name, std::function<PM::MenuItemPaintData(const CRect&)> make) {
        return Row{name, 22, [make](CDC& dc, const CRect& rc) {
                       // the classic look widens a rarely used item by 2 on each side
                       CRect r(rc);
                       r.DeflateRect(2, 0);
                       PM::MenuItemPaintData d = make(r);
                       pm().PaintMenuItem(dc, d);
                   }};
    };
    rows.push_back(item("menu item", [icon](const CRect& r) { return Item(r, "&Open file", icon, false, false, true, false, false); }));
    rows.push_back(item("menu selected", [icon](const CRect& r) { return Item(r, "&Open file", icon, true, false, true, false, false); }));
    rows.push_back(item("menu checked", [](const CRect& r) { return Item(r, "&Word wrap", NULL, false, true, true, false, false); }));
    rows.push_back(item("menu disabled", [](const CRect& r) { return Item(r, "&Paste", NULL, false, false, false, false, false); }));
    rows.push_back(item("menu rarely used", [](const CRect& r) { return Item(r, "&Rarely", NULL, false, false, true, true, false); }));
    rows.push_back(item("menu popup", [](const CRect& r) { return Item(r, "&Recent files", NULL, true, false, true, false, true); }));
    rows.push_back(Row{"menu separator", 14, [](CDC& dc, const CRect& rc) {
                           pm().PaintMenuSeparator(dc, rc, 22, false, NULL);
                       }});

    rows.push_back(Row{"caption glyphs", 18, [](CDC& dc, const CRect& rc) {
                           const UINT ids[] = {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, SC_CONTEXTHELP};
                           for (int i = 0; i < 5; i++) {
                               CRect r(rc.left + i * 20, rc.top, rc.left + i * 20 + 18, rc.bottom);
                               dc.FillSolidRect(&r, pm().GetColor(1000));
                               pm().PaintSysCmdGlyph(dc, ids[i], r, false, false, true);
                               r.OffsetRect(100, 0);
                               dc.FillSolidRect(&r, pm().GetColor(1000));
                               pm().PaintSysCmdGlyph(dc, ids[i], r, false, false, false);
                           }
                       }});
    rows.push_back(Row{"frames", 24, [](CDC& dc, const CRect& rc) {
                           dc.FillSolidRect(&rc, pm().GetColor(1000));
                           pm().PaintSunkenFrame(dc, Part(rc, 0, 3));
                           CRect r = Part(rc, 1, 3);
                           r.DeflateRect(2, 2);
                           pm().PaintDoubleFrame(dc, r);
                           r = Part(rc, 2, 3);
                           pm().PaintMarker(dc, CRect(r.CenterPoint(), pm().GetMarkerSize()), false, true);
                       }});
    rows.push_back(Row{"separators", 24, [](CDC& dc, const CRect& rc) {
                           pm().PaintSeparator(dc, CRect(rc.left, rc.top, rc.left + 12, rc.bottom), true, false);
                           pm().PaintSeparator(dc, CRect(rc.left + 20, rc.top, rc.left + 80, rc.top + 12), false, false);
                       }});
    rows.push_back(Row{"caption buttons", 22, [](CDC& dc, const CRect& rc) {
                           // idle, hovered, pushed, disabled; then the same on an active caption
                           const int kinds[] = {PM::Close, PM::Maximize, PM::Close, PM::Close};
                           for (int i = 0; i < 8; i++) {
                               CRect r(rc.left + 3 + i * 24, rc.top + 3, rc.left + 19 + i * 24, rc.bottom - 3);
                               PM::CaptionButtonPaintData d(NULL, r, kinds[i % 4], i % 4 == 1, i % 4 == 2,
                                                            i % 4 != 3, i >= 4);
                               pm().PaintCaptionButton(dc, d);
                           }
                       }});
    rows.push_back(Row{"grippers", 40, [](CDC& dc, const CRect& rc) {
                           // a plain bar, a docked tool bar, a vertical one; captions: active,
                           // inactive, floating
                           dc.FillSolidRect(&rc, pm().GetColor(1000));
                           static GalleryToolBar tb;
                           CObject* owners[3] = {&tb.plain, &tb.bar, &tb.bar};
                           for (int i = 0; i < 3; i++) {
                               const CRect r = i < 2 ? CRect(rc.left + 2 + i * 16, rc.top + 2, rc.left + 12 + i * 16, rc.bottom - 2)
                                                     : CRect(rc.left + 34, rc.top + 2, rc.left + 74, rc.top + 12);
                               PM::GripperPaintData d(owners[i], r, r, false, false, i < 2, false, "");
                               pm().PaintGripper(dc, d);
                           }
                           for (int i = 0; i < 3; i++) {
                               const CRect r(rc.left + 80, rc.top + 1 + i * 13, rc.right - 2, rc.top + 13 + i * 13);
                               PM::GripperPaintData d(&tb.plain, r, r, i == 0, i == 2, true, i < 2, "Caption");
                               pm().PaintGripper(dc, d);
                           }
                       }});
    rows.push_back(Row{"docking frames", 36, [](CDC& dc, const CRect& rc) {
                           // docked, floating, floating with the second state
                           static GalleryToolBar tb;
                           for (int i = 0; i < 3; i++) {
                               CRect r = Part(rc, i, 3);
                               CRect rcClient(r);
                               rcClient.DeflateRect(4, 4);
                               PM::DockingFramePaintData d(&tb.plain, r, rcClient, i > 0, i == 2, false);
                               pm().PaintDockingFrame(dc, d);
                               dc.FillSolidRect(&rcClient, pm().GetColor(COLOR_WINDOW));
                           }
                       }});
    rows.push_back(Row{"edit frames", 24, [](CDC& dc, const CRect& rc) {
                           // idle, hovered, hovered and focused, disabled
                           dc.FillSolidRect(&rc, pm().GetColor(1000));
                           for (int i = 0; i < 4; i++) {
                               CRect r = Part(rc, i, 4);
                               r.DeflateRect(6, 6);
                               PM::ControlFramePaintData d(NULL, r, true, i == 1 || i == 2, i != 3, i == 2);
                               pm().PaintControlFrame(dc, d);
                           }
                       }});
    rows.push_back(Row{"combo frames", 22, [](CDC& dc, const CRect& rc) {
                           // idle, hovered, pushed, disabled
                           for (int i = 0; i < 4; i++) {
                               CRect r = Part(rc, i, 4);
                               dc.FillSolidRect(&r, pm().GetColor(COLOR_WINDOW));
                               PM::ComboFramePaintData d(NULL, r, i == 1 || i == 2, i == 2, i != 3);
                               pm().PaintComboFrame(dc, d);
                           }
                       }});
    rows.push_back(Row{"menu frames", 30, [](CDC& dc, const CRect& rc) {
                           // a menu border with the joint to its button above, two text fields
                           // (idle, hot), a tool-bar button's decoration
                           const CRect menu(rc.left + 2, rc.top + 8, rc.left + 70, rc.bottom - 1);
                           dc.FillSolidRect(&menu, pm().GetMenuBackgroundColor());
                           pm().PaintMenuBorder(dc, menu);
                           pm().PaintMenuCombinedArea(dc, CRect(rc.left + 2, rc.top + 1, rc.left + 40, rc.top + 9), menu,
                                                      PM::CombineTop);
                           for (int i = 0; i < 2; i++) {
                               const CRect outer(rc.left + 74 + i * 44, rc.top + 4, rc.left + 114 + i * 44, rc.bottom - 4);
                               CRect text(outer);
                               text.DeflateRect(2, 2);
                               PM::TextFieldPaintData d(NULL, DT_SINGLELINE | DT_VCENTER, "", outer, text,
                                                        (UINT)PM::TextFieldPaintData::Active | (i ? (UINT)PM::TextFieldPaintData::Hover : 0u));
                               pm().PaintTextField(dc, d);
                           }
                           static GalleryToolBar tb;
                           tb.bar.m_nDockBarID = kDockBarLeft;
                           std::unique_ptr<CExtBarButton> button(
                               orvtest::NewBarButton(&tb.bar, CRect(rc.right - 30, rc.top + 3, rc.right - 4, rc.bottom - 3)));
                           pm().PaintToolBarDecoration(dc, button.get());
                       }});
    rows.push_back(Row{"item list", 52, [icon](CDC& dc, const CRect& rc) {
                           // a caption, a group header, three items (plain, hovered, pushed),
                           // a splitter with its grip
                           pm().PaintItemListBackground(dc, rc);
                           pm().PaintItemListCaption(dc, CRect(rc.left, rc.top, rc.left + 100, rc.top + 22), "List");
                           pm().PaintItemListGroupHeader(dc, CRect(rc.left + 100, rc.top, rc.right, rc.top + 18), "Group");
                           for (int i = 0; i < 3; i++)
                               pm().PaintItemListItem(dc, CRect(rc.left + 3 + i * 32, rc.top + 24, rc.left + 33 + i * 32, rc.bottom - 2),
                                                      false, i > 0, i == 2, icon, "", false);
                           pm().PaintItemListFrame(dc, CRect(rc.left, rc.top + 22, rc.left + 100, rc.bottom));
                           pm().PaintSplitterBar(dc, CRect(rc.left + 104, rc.top + 32, rc.right - 2, rc.top + 40), true, true);
                       }});
    rows.push_back(Row{"tool bar", 28, [](CDC& dc, const CRect& rc) {
                           // the bar's client area with a gripper, two separators and the
                           // content-expand button at its end
                           static GalleryToolBar tb;
                           pm().PaintControlBarClientArea(dc, rc, &tb.bar);
                           const CRect rcGrip(rc.left + 2, rc.top + 2, rc.left + 10, rc.bottom - 2);
                           PM::GripperPaintData g(&tb.bar, rcGrip, rcGrip, false, false, true, false, "");
                           pm().PaintGripper(dc, g);
                           for (int i = 0; i < 2; i++)
                               pm().PaintSeparator(dc, CRect(rc.left + 40 + i * 40, rc.top + 2, rc.left + 48 + i * 40, rc.bottom - 2),
                                                   true, true, &tb.bar);
                           pm().PaintContentExpandButton(dc, CRect(rc.right - 14, rc.top + 1, rc.right - 1, rc.bottom - 1),
                                                         true, false, true, false, false, &tb.expand);
                       }});
    rows.push_back(Row{"expand buttons", 28, [](CDC& dc, const CRect& rc) {
                           // idle, hovered, pushed, nothing hidden, disabled; then vertical
                           dc.FillSolidRect(&rc, pm().GetColor(1000));
                           for (int i = 0; i < 5; i++)
                               pm().PaintContentExpandButton(dc, CRect(rc.left + i * 18, rc.top + 1, rc.left + i * 18 + 14, rc.bottom - 1),
                                                             true, i == 3, i != 4, i == 2, i == 1 || i == 2);
                           pm().PaintContentExpandButton(dc, CRect(rc.left + 100, rc.top + 7, rc.left + 128, rc.top + 21),
                                                         false, false, true, false, true);
                       }});
    rows.push_back(Row{"menu expand", 20, [](CDC& dc, const CRect& rc) {
                           pm().PaintMenuExpandButton(dc, Part(rc, 0, 2), false);
                           pm().PaintMenuExpandButton(dc, Part(rc, 1, 2), true);
                       }});
    rows.push_back(Row{"dock bar", 14, [](CDC& dc, const CRect& rc) {
                           // the docker gradient of a frame 700 pixels wide, its first 200
                           CExtPaintManagerOffice2003* pOffice = DYNAMIC_DOWNCAST(CExtPaintManagerOffice2003, &pm());
                           if (pOffice != NULL && pOffice->NeedsDockerBackground(NULL))
                               pOffice->PaintDockerGradient(dc, rc, CRect(rc.left, rc.top, rc.left + 700, rc.bottom), NULL);
                           else
                               pm().PaintDockBarClientArea(dc, rc, NULL);
                       }});
    rows.push_back(Row{"status bar", 22, [](CDC& dc, const CRect& rc) {
                           // the bar with 3D borders on every side, three panes, the size grip
                           dc.FillSolidRect(&rc, pm().GetColor(1000));
                           PM::StatusPanePaintData bar(NULL, 1, 0x0F80, rc);
                           pm().PaintStatusPane(dc, bar);
                           for (int i = 0; i < 3; i++) {
                               PM::StatusPanePaintData pane(NULL, PM::StatusPanePaintData::KindPane, 0,
                                                            CRect(rc.left + 4 + i * 56, rc.top + 4, rc.left + 56 + i * 56, rc.bottom - 4));
                               pm().PaintStatusPane(dc, pane);
                           }
                           pm().PaintSizeGrip(dc, CRect(rc.right - 18, rc.top + 4, rc.right - 2, rc.bottom - 2));
                       }});
    rows.push_back(Row{"colour icons", 18, [](CDC& dc, const CRect& rc) {
                           HICON icons[3] = {PM::CreateColorFilledIcon(RGB(255, 0, 0)), PM::CreateColorSwatchIcon(RGB(0, 0, 255)),
                                             PM::CreateColorTextIcon(RGB(0, 160, 0), "A", (HFONT)pm().GetFont(PM::FontBold).GetSafeHandle())};
                           for (int i = 0; i < 3; i++) {
                               ::DrawIconEx(dc.m_hDC, rc.left + 2 + i * 24, rc.top + 1, icons[i], 16, 16, 0, NULL, DI_NORMAL);
                               ::DestroyIcon(icons[i]);
                           }
                       }});
    rows.push_back(Row{"docking markers", 46, [](CDC& dc, const CRect& rc) {
                           // the four arrows as the look tints them (idle above, active below
                           // for the first), then a drop highlight with a tab
                           CDC dcPicture;
                           dcPicture.CreateCompatibleDC(&dc);
                           int x = rc.left + 2;
                           for (int kind = 0; kind < 4; kind++) {
                               PM::DockMarker m;
                               if (!m.Build(kind, CRect(0, 0, 100, 100)))
                                   continue;
                               CBitmap* pOld = dcPicture.SelectObject(&m.m_bmpIdle);
                               PM::TransparentBlt(dc, x, rc.top + 1, m.m_size.cx, m.m_size.cy, dcPicture, 0, 0,
                                                  m.m_size.cx, m.m_size.cy, PM::DockMarkerKeyColor);
                               dcPicture.SelectObject(pOld);
                               x += m.m_size.cx + 3;
                           }
                           enum { kW = 36, kH = 40 };
                           DWORD pixels[kW * kH];
                           const COLORREF face = pm().GetColor(COLOR_WINDOW);
                           for (DWORD& px : pixels)
                               px = ((DWORD)GetRValue(face) << 16) | ((DWORD)GetGValue(face) << 8) | GetBValue(face);
                           pm().PaintDockMarker(pixels, kW, kH, true, CRect(0, 0, kW, 30), CRect(5, 30, 18, kH),
                                                (COLORREF)-1, (COLORREF)-1, 2);
                           BITMAPINFO bi = {};
                           bi.bmiHeader.biSize = sizeof bi.bmiHeader;
                           bi.bmiHeader.biWidth = kW;
                           bi.bmiHeader.biHeight = kH;   // bottom-up, as the blend keeps it
                           bi.bmiHeader.biPlanes = 1;
                           bi.bmiHeader.biBitCount = 32;
                           ::SetDIBitsToDevice(dc.m_hDC, rc.right - kW - 2, rc.top + 3, kW, kH, 0, 0, 0, kH, pixels, &bi,
                                               DIB_RGB_COLORS);
                       }});
    // the theme colours, as swatches: the faces and edges (1000-1011), the menus (2000-2010)
    // and the later looks' bars (3000-3024; the face colour where a look has none)
    auto swatches = [](const char* name, int first, int last) {
        return Row{name, 14, [first, last](CDC& dc, const CRect& rc) {
                       const int n = last - first + 1;
                       const int w = rc.Width() / n;
                       for (int i = 0; i < n; i++) {
                           CRect r(rc.left + i * w, rc.top, rc.left + (i + 1) * w, rc.bottom);
                           dc.FillSolidRect(&r, pm().GetColor(first + i));
                       }
                   }};
    };
    rows.push_back(swatches("colours 1000-1011", 1000, 1011));
    rows.push_back(swatches("colours 2000-2010", 2000, 2010));
    rows.push_back(swatches("colours 3000-3024", 3000, 3024));
    rows.push_back(Row{"gradient", 14, [](CDC& dc, const CRect& rc) {
                           PM::FillGradientRect(dc, rc, pm().GetColor(3019), pm().GetColor(3020), false);
                       }});
    return rows;
}

void Label(CDC& dc, const CRect& rc, const char* text, COLORREF clr) {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clr);
    CFont* pOld = dc.SelectObject(&pm().GetFont(PM::FontNormal));
    CRect r(rc);
    dc.DrawText(text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    dc.SelectObject(pOld);
}

// Paints the gallery; every cell must stay inside its rectangle and paint something.
void PaintGallery(const std::string& name) {
    CExtCmdIcon icon(orvtest::MakeSolidIcon(RGB(0, 0, 200)), false);
    const std::vector<Row> rows = Rows(&icon);
    int height = kHeaderHeight;
    for (const Row& r : rows)
        height += r.height + kGap;
    const int width = kLabelWidth + 4 * (kCellWidth + kGap);
    RenderCanvas canvas(width, height, kBackground);
    ASSERT_TRUE(canvas.Valid());
    CRuntimeClass* looks[] = {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                              RUNTIME_CLASS(CExtPaintManagerOffice2003),
                              RUNTIME_CLASS(CExtPaintManagerStudio2005)};
    const char* titles[] = {"classic", "XP", "Office 2003", "Studio 2005"};
    int y = kHeaderHeight;
    for (const Row& r : rows) {
        Label(canvas.dc(), CRect(4, y, kLabelWidth, y + r.height), r.name, RGB(255, 255, 255));
        y += r.height + kGap;
    }
    for (int l = 0; l < 4; l++) {
        ScopedPainter painter(static_cast<PM*>(looks[l]->CreateObject()));
        const int x = kLabelWidth + l * (kCellWidth + kGap);
        Label(canvas.dc(), CRect(x, 0, x + kCellWidth, kHeaderHeight), titles[l], RGB(255, 255, 255));
        y = kHeaderHeight;
        for (const Row& r : rows) {
            const CRect cell(x, y, x + kCellWidth, y + r.height);
            const int nSaved = canvas.dc().SaveDC();
            r.paint(canvas.dc(), cell);
            canvas.dc().RestoreDC(nSaved);
            EXPECT_GT(canvas.CountOther(kBackground, cell), 0) << titles[l] << ": " << r.name;
            // the gap below and to the right of the cell is untouched
            EXPECT_EQ(0, canvas.CountOther(kBackground, CRect(x, cell.bottom, x + kCellWidth + kGap,
                                                              cell.bottom + kGap)))
                << titles[l] << ": " << r.name;
            EXPECT_EQ(0, canvas.CountOther(kBackground, CRect(cell.right, y, cell.right + kGap,
                                                              cell.bottom)))
                << titles[l] << ": " << r.name;
            y += r.height + kGap;
        }
    }
    EXPECT_TRUE(canvas.Keep(name, 2));
}

class GalleryTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(GalleryTest, TheFourLooksWithTheSystemColors) { PaintGallery("gallery"); }

TEST_F(GalleryTest, TheFourLooksWithTheBlueLunaStyle) {
    XpLunaSystem xp("normalcolor");
    ScopedSystemAnswers answers(&xp);
    PaintGallery("gallery_luna_blue");
}

}  // namespace
