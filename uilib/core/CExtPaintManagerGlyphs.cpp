// Glyphs: small pictures drawn pixel by pixel from a matrix of colour indexes (0 transparent).
//
// The source pictures are written as text ('.' transparent, '#' or '1' colour 1, '2' and '3'
// the further colours of the dock arrows) and turned into index tables at compile time. The
// rotated copies are built during static initialisation, after their sources: every glyph of
// this file is defined below the one it is turned from, in one translation unit, so the order
// is fixed.
#include "CExtPaintManager.h"
#include <array>
#include <cstddef>

namespace {

template <size_t W, size_t H>
struct GlyphText {
    std::array<UINT, W * H> pixels{};
    constexpr explicit GlyphText(const char (&s)[W * H + 1]) {
        for (size_t i = 0; i < W * H; i++) {
            char c = s[i];
            pixels[i] = c == '#' || c == '1' ? 1u : c == '2' ? 2u : c == '3' ? 3u : 0u;
        }
    }
};

#define ORV_GLYPH(name, w, h, colors, text)                                     \
    constexpr GlyphText<w, h> name##_text{text};                                \
    const CExtPaintManager::glyph_t name(w, h, colors, name##_text.pixels.data())

#define ORV_TURNED(name, src, angle) const CExtPaintManager::glyph_t name(src, angle)

ORV_GLYPH(gEmpty, 9, 9, 2,
          "........."
          "........."
          "........."
          "........."
          "........."
          "........."
          "........."
          "........."
          ".........");
ORV_GLYPH(gClose, 9, 9, 2,
          "........."
          ".##...##."
          "..##.##.."
          "...###..."
          "...###..."
          "...###..."
          "..##.##.."
          ".##...##."
          ".........");
ORV_GLYPH(gArrowUp, 9, 9, 2,
          "........."
          "........."
          "....#...."
          "...###..."
          "..#####.."
          ".#######."
          "........."
          "........."
          ".........");
ORV_TURNED(gArrowDown, gArrowUp, 180);
ORV_TURNED(gArrowLeft, gArrowUp, 270);
ORV_TURNED(gArrowRight, gArrowLeft, 180);
ORV_GLYPH(gMinimize, 9, 9, 2,
          "........."
          "........."
          "........."
          "........."
          "........."
          "........."
          ".#######."
          ".#######."
          ".........");
ORV_GLYPH(gRestore, 9, 9, 2,
          "...######"
          "...#....#"
          ".######.#"
          ".######.#"
          ".#....###"
          ".#....#.."
          ".#....#.."
          ".######.."
          ".........");
ORV_GLYPH(gMaximize, 9, 9, 2,
          "#########"
          "#########"
          "#.......#"
          "#.......#"
          "#.......#"
          "#.......#"
          "#.......#"
          "#.......#"
          "#########");
ORV_GLYPH(gHelp, 9, 9, 2,
          "..####..."
          ".##..##.."
          ".....##.."
          "....##..."
          "...##...."
          "...##...."
          "........."
          "...##...."
          "...##....");
ORV_GLYPH(gPinUp, 9, 9, 2,
          "..#####.."
          "..#..##.."
          "..#..##.."
          "..#..##.."
          "..#####.."
          ".#######."
          "....#...."
          "....#...."
          ".........");
ORV_TURNED(gPinSide, gPinUp, 90);
ORV_GLYPH(gThickArrowUp, 9, 9, 2,
          "....#...."
          "...###..."
          "..#####.."
          ".#######."
          "#########"
          "..#####.."
          "..#####.."
          "..#####.."
          ".........");
ORV_TURNED(gThickArrowDown, gThickArrowUp, 180);
ORV_TURNED(gThickArrowLeft, gThickArrowUp, 270);
ORV_TURNED(gThickArrowRight, gThickArrowLeft, 180);
ORV_GLYPH(gThinClose, 9, 9, 2,
          "........."
          ".#.....#."
          "..#...#.."
          "...#.#..."
          "....#...."
          "...#.#..."
          "..#...#.."
          ".#.....#."
          ".........");
ORV_GLYPH(gHollowArrowUp, 9, 9, 2,
          "........."
          "........."
          "....#...."
          "...#.#..."
          "..#...#.."
          ".#.....#."
          "#########"
          "........."
          ".........");
ORV_TURNED(gHollowArrowDown, gHollowArrowUp, 180);
ORV_TURNED(gHollowArrowLeft, gHollowArrowUp, 270);
ORV_TURNED(gHollowArrowRight, gHollowArrowLeft, 180);
ORV_GLYPH(gSmallClose, 9, 9, 2,
          "........."
          "##....##."
          ".##..##.."
          "..####..."
          "..####..."
          ".##..##.."
          "##....##."
          "........."
          ".........");
ORV_GLYPH(gPlus, 9, 9, 2,
          "........."
          "........."
          "....#...."
          "....#...."
          "..#####.."
          "....#...."
          "....#...."
          "........."
          ".........");
ORV_GLYPH(gMinus, 9, 9, 2,
          "........."
          "........."
          "........."
          "........."
          "..#####.."
          "........."
          "........."
          "........."
          ".........");
ORV_GLYPH(gBoxPlus, 9, 9, 2,
          "#########"
          "#.......#"
          "#...#...#"
          "#...#...#"
          "#.#####.#"
          "#...#...#"
          "#...#...#"
          "#.......#"
          "#########");
ORV_GLYPH(gBoxMinus, 9, 9, 2,
          "#########"
          "#.......#"
          "#.......#"
          "#.......#"
          "#.#####.#"
          "#.......#"
          "#.......#"
          "#.......#"
          "#########");
ORV_GLYPH(gCirclePlus, 9, 9, 2,
          "..#####.."
          ".#.....#."
          "#...#...#"
          "#...#...#"
          "#.#####.#"
          "#...#...#"
          "#...#...#"
          ".#.....#."
          "..#####..");
ORV_GLYPH(gCircleMinus, 9, 9, 2,
          "..#####.."
          ".#.....#."
          "#.......#"
          "#.......#"
          "#.#####.#"
          "#.......#"
          "#.......#"
          ".#.....#."
          "..#####..");
ORV_GLYPH(gBigArrowUp, 11, 11, 2,
          ".....#....."
          "....###...."
          "...#####..."
          "..#######.."
          ".#########."
          "###########"
          "...#####..."
          "...#####..."
          "...#####..."
          "...#####..."
          "...........");
ORV_TURNED(gBigArrowDown, gBigArrowUp, 180);
ORV_TURNED(gBigArrowLeft, gBigArrowUp, 270);
ORV_TURNED(gBigArrowRight, gBigArrowLeft, 180);
ORV_GLYPH(gCornerArrowUpLeft, 11, 11, 2,
          "######....."
          "#####......"
          "#####......"
          "######....."
          "##.####...."
          "#...####..."
          ".....####.."
          "......####."
          ".......###."
          "........#.."
          "...........");
ORV_TURNED(gCornerArrowUpRight, gCornerArrowUpLeft, 90);
ORV_TURNED(gCornerArrowDownRight, gCornerArrowUpRight, 90);
ORV_TURNED(gCornerArrowDownLeft, gCornerArrowDownRight, 90);
ORV_GLYPH(gSmallArrowUp, 5, 3, 2,
          "..#.."
          ".###."
          "#####");
ORV_TURNED(gSmallArrowDown, gSmallArrowUp, 180);
ORV_TURNED(gSmallArrowLeft, gSmallArrowUp, 270);
ORV_TURNED(gSmallArrowRight, gSmallArrowLeft, 180);
ORV_GLYPH(gEllipsis, 9, 3, 2,
          "........."
          ".#..#..#."
          ".........");
ORV_GLYPH(gDockArrowUp, 10, 10, 4,
          ".........."
          "....12...."
          "...1..2..."
          "..1....2.."
          ".1......2."
          "1........2"
          "3333333333"
          ".........."
          ".........."
          "..........");
ORV_GLYPH(gDockArrowDown, 10, 10, 4,
          ".........."
          ".........."
          ".........."
          "3333333333"
          "1........2"
          ".1......2."
          "..1....2.."
          "...1..2..."
          "....12...."
          "..........");
ORV_TURNED(gDockArrowLeft, gDockArrowDown, 90);
ORV_TURNED(gDockArrowRight, gDockArrowUp, 90);
ORV_GLYPH(gCustomize, 7, 7, 2,
          "#######"
          "#######"
          "......."
          "#######"
          ".#####."
          "..###.."
          "...#...");
ORV_GLYPH(gChevronCustomize, 7, 12, 2,
          "##.##.."
          ".##.##."
          "..##.##"
          ".##.##."
          "##.##.."
          "......."
          "......."
          "......."
          "......."
          ".#####."
          "..###.."
          "...#...");

// Content-expand glyphs of the XP look (and the push buttons' drop-down arrows).
ORV_GLYPH(gXpArrowH, 5, 3, 2,
          "#####"
          ".###."
          "..#..");
ORV_GLYPH(gXpChevronH, 8, 5, 2,
          "##..##.."
          ".##..##."
          "..##..##"
          ".##..##."
          "##..##..");
ORV_TURNED(gXpArrowV, gXpArrowH, 90);
ORV_TURNED(gXpChevronV, gXpChevronH, 90);

// Content-expand glyphs of the Office 2003 and Studio 2005 looks.
ORV_GLYPH(g2003ArrowH, 5, 6, 2,
          "#####"
          "....."
          "....."
          "#####"
          ".###."
          "..#..");
ORV_GLYPH(g2003ChevronH, 6, 5, 2,
          "#..#.."
          ".#..#."
          "..#..#"
          ".#..#."
          "#..#..");
ORV_TURNED(g2003ArrowV, g2003ArrowH, 270);
ORV_TURNED(g2003ChevronV, g2003ChevronH, 90);

ORV_GLYPH(gCheckMark, 7, 7, 2,
          "......#"
          ".....##"
          "#...###"
          "##.###."
          "#####.."
          ".###..."
          "..#....");

}  // namespace

// ---- glyph_t -------------------------------------------------------------------------------

CExtPaintManager::glyph_t::glyph_t(UINT nWidth, UINT nHeight, UINT nColors, const UINT* pPixels)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_nColors(nColors),
      m_pPixels(const_cast<UINT*>(pPixels)), m_bOwnsPixels(false) {}

CExtPaintManager::glyph_t::glyph_t(const glyph_t& src, int nAngle)
    : m_nWidth(src.m_nWidth), m_nHeight(src.m_nHeight), m_nColors(src.m_nColors),
      m_pPixels(NULL), m_bOwnsPixels(false) {
    if (src.m_pPixels == NULL)
        return;
    const size_t n = (size_t)m_nWidth * m_nHeight;
    m_pPixels = new (std::nothrow) UINT[n];
    UINT* pTemp = new (std::nothrow) UINT[n];
    if (m_pPixels == NULL || pTemp == NULL) {
        delete[] m_pPixels;
        delete[] pTemp;
        m_pPixels = NULL;
        return;
    }
    m_bOwnsPixels = true;
    memcpy(m_pPixels, src.m_pPixels, n * sizeof(UINT));
    const UINT w = m_nWidth, h = m_nHeight;
    switch (nAngle) {
    case 90:   // (x, y) -> (h - 1 - y, x), sizes swap
        for (UINT y = 0; y < h; y++)
            for (UINT x = 0; x < w; x++)
                pTemp[x * h + (h - 1 - y)] = m_pPixels[y * w + x];
        m_nWidth = h;
        m_nHeight = w;
        break;
    case 180:   // (x, y) -> (w - 1 - x, h - 1 - y)
        for (UINT y = 0; y < h; y++)
            for (UINT x = 0; x < w; x++)
                pTemp[(h - 1 - y) * w + (w - 1 - x)] = m_pPixels[y * w + x];
        break;
    case 270:   // (x, y) -> (y, w - 1 - x), sizes swap
        for (UINT y = 0; y < h; y++)
            for (UINT x = 0; x < w; x++)
                pTemp[(w - 1 - x) * h + y] = m_pPixels[y * w + x];
        m_nWidth = h;
        m_nHeight = w;
        break;
    default:
        memcpy(pTemp, m_pPixels, n * sizeof(UINT));
        break;
    }
    memcpy(m_pPixels, pTemp, n * sizeof(UINT));
    delete[] pTemp;
}

CExtPaintManager::glyph_t::~glyph_t() {
    if (m_bOwnsPixels)
        delete[] m_pPixels;
    m_nWidth = m_nHeight = 0;
    m_pPixels = NULL;
    m_bOwnsPixels = false;
    m_nColors = 1;
}

// ---- tables --------------------------------------------------------------------------------

const CExtPaintManager::glyph_t* const CExtPaintManager::g_CaptionGlyphs[GlyphCount] = {
    &gEmpty, &gClose, &gArrowUp, &gArrowDown, &gArrowLeft, &gArrowRight, &gMinimize, &gRestore,
    &gMaximize, &gHelp, &gPinUp, &gPinSide, &gThickArrowUp, &gThickArrowDown, &gThickArrowLeft,
    &gThickArrowRight, &gThinClose, &gHollowArrowUp, &gHollowArrowDown, &gHollowArrowLeft,
    &gHollowArrowRight, &gSmallClose, &gPlus, &gMinus, &gBoxPlus, &gBoxMinus, &gCirclePlus,
    &gCircleMinus, &gBigArrowUp, &gBigArrowDown, &gBigArrowLeft, &gBigArrowRight,
    &gCornerArrowUpLeft, &gCornerArrowUpRight, &gCornerArrowDownRight, &gCornerArrowDownLeft,
    &gSmallArrowUp, &gSmallArrowDown, &gSmallArrowLeft, &gSmallArrowRight, &gEllipsis,
    &gDockArrowUp, &gDockArrowDown, &gDockArrowLeft, &gDockArrowRight, &gCustomize,
    &gChevronCustomize};

const CExtPaintManager::glyph_t* const CExtPaintManager::g_ExpandGlyphsXP[4] = {
    &gXpArrowH, &gXpChevronH, &gXpArrowV, &gXpChevronV};
const CExtPaintManager::glyph_t* const CExtPaintManager::g_ExpandGlyphs2003[4] = {
    &g2003ArrowH, &g2003ChevronH, &g2003ArrowV, &g2003ChevronV};
const CExtPaintManager::glyph_t& CExtPaintManager::g_CheckMark = gCheckMark;
