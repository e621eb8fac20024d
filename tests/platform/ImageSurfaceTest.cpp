// Pixels of the raster surface: spans, pens, hatches, curves, text, block copies and PNG output.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/ImageSurface.h"
#include "platform/PngWriter.h"

namespace {
constexpr COLORREF kInk = RGB(10, 20, 30);

int CountColor(const CImageSurface& s, COLORREF c) {
    int n = 0;
    for (COLORREF p : s.GetPixels()) {
        n += p == c;
    }
    return n;
}
}  // namespace

TEST(ImageSurface, StartsWhiteAndClipsEverythingOutside) {
    CImageSurface s(20, 10);
    EXPECT_EQ(CountColor(s, kColorWhite), 200);
    s.FillSolidRect(CRect(-50000, -50000, 50000, 3), kInk);
    EXPECT_EQ(CountColor(s, kInk), 60);
    // A line from far outside to far outside leaves its visible part: all of row 6.
    s.SetPen(CPen{kPenSolid, 1, kInk});
    s.MoveTo(-40000, 6);
    s.LineTo(40000, 6);
    EXPECT_EQ(CountColor(s, kInk), 80);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(s.GetPixel(x, 6), kInk) << x;
    }
    // An ellipse whose outline lies wholly outside fills the whole surface.
    constexpr COLORREF kFill = RGB(200, 100, 50);
    s.SetPen(CPen{kPenSolid, 3, kInk});
    s.SetBrush(CBrush::MakeSolid(kFill));
    s.Ellipse(CRect(-40000, -40000, 40000, 40000));
    EXPECT_EQ(CountColor(s, kFill), 200);
    EXPECT_EQ(s.GetPixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.GetPixel(20, 0), 0xFFFFFFFFu);
}

TEST(ImageSurface, LineLeavesOutItsLastPixelAndDashesHaveGaps) {
    CImageSurface s(60, 4);
    s.SetPen(CPen{kPenSolid, 1, kInk});
    s.MoveTo(0, 0);
    s.LineTo(10, 0);
    EXPECT_EQ(s.GetPixel(9, 0), kInk);
    EXPECT_EQ(s.GetPixel(10, 0), kColorWhite);
    s.SetPen(CPen{kPenDash, 1, kInk});
    s.MoveTo(0, 2);
    s.LineTo(59, 2);
    EXPECT_EQ(s.GetPixel(17, 2), kInk);
    EXPECT_EQ(s.GetPixel(18, 2), kColorWhite);
    EXPECT_EQ(s.GetPixel(23, 2), kColorWhite);
    EXPECT_EQ(s.GetPixel(24, 2), kInk);
}

TEST(ImageSurface, SteepLineIsContinuousAndWidePenIsWide) {
    CImageSurface s(20, 40);
    s.SetPen(CPen{kPenSolid, 1, kInk});
    s.MoveTo(2, 0);
    s.LineTo(7, 30);
    for (int y = 0; y < 30; ++y) {
        int hits = 0;
        for (int x = 0; x < 20; ++x) {
            hits += s.GetPixel(x, y) == kInk;
        }
        EXPECT_EQ(hits, 1) << "row " << y;
    }
    s.SetPen(CPen{kPenSolid, 3, kInk});
    s.MoveTo(10, 35);
    s.LineTo(19, 35);
    EXPECT_EQ(s.GetPixel(12, 34), kInk);
    EXPECT_EQ(s.GetPixel(12, 36), kInk);
    EXPECT_EQ(s.GetPixel(12, 37), kColorWhite);
}

TEST(ImageSurface, HatchBrushesDrawOnlyTheirLinesAnchoredAtTheOrigin) {
    CImageSurface s(16, 16);
    s.SetBrush(CBrush::MakeHatch(kHatchForwardDiagonal, kInk));
    s.FillPolygon({{0, 0}, {16, 0}, {16, 16}, {0, 16}});
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(s.GetPixel(x, y) == kInk, (x - y) % 8 == 0) << x << "," << y;
        }
    }
    CImageSurface h(16, 16);
    h.SetBrush(CBrush::MakeHatch(kHatchHorizontal, kInk));
    h.FillSolidRect(CRect(0, 0, 16, 16), kColorGray);
    h.FillPolygon({{0, 0}, {16, 0}, {16, 16}, {0, 16}});
    EXPECT_EQ(h.GetPixel(5, 8), kInk);
    EXPECT_EQ(h.GetPixel(5, 9), kColorGray);
    EXPECT_EQ(CountColor(h, kInk), 32);
}

TEST(ImageSurface, PolygonUsesTheWindingRule) {
    // A pentagram: the even-odd rule would leave its centre empty.
    CImageSurface s(100, 100);
    s.SetBrush(CBrush::MakeSolid(kInk));
    s.FillPolygon({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}});
    EXPECT_EQ(s.GetPixel(50, 50), kInk);
    EXPECT_EQ(s.GetPixel(50, 20), kInk);
    EXPECT_EQ(s.GetPixel(5, 80), kColorWhite);
}

TEST(ImageSurface, PolygonOutlineAndFillCoverPixelCentres) {
    CImageSurface s(20, 20);
    s.SetBrush(CBrush::MakeSolid(kColorBlue));
    s.SetPen(CPen{kPenSolid, 1, kInk});
    s.Polygon({{2, 2}, {10, 2}, {10, 10}, {2, 10}});
    EXPECT_EQ(s.GetPixel(2, 2), kInk);
    EXPECT_EQ(s.GetPixel(10, 6), kInk);
    EXPECT_EQ(s.GetPixel(5, 5), kColorBlue);
    EXPECT_EQ(s.GetPixel(11, 6), kColorWhite);
}

TEST(ImageSurface, EllipseFillsInsideItsRing) {
    CImageSurface s(40, 40);
    s.SetPen(CPen{kPenSolid, 2, kInk});
    s.SetBrush(CBrush::MakeSolid(kColorBlue));
    s.Ellipse(CRect(10, 10, 30, 30));
    EXPECT_EQ(s.GetPixel(20, 10), kInk);
    EXPECT_EQ(s.GetPixel(10, 20), kInk);
    EXPECT_EQ(s.GetPixel(29, 20), kInk);
    EXPECT_EQ(s.GetPixel(20, 20), kColorBlue);
    EXPECT_EQ(s.GetPixel(10, 10), kColorWhite);
    EXPECT_EQ(s.GetPixel(30, 20), kColorWhite);
}

TEST(ImageSurface, ArcAndChordRunCounterClockwiseOnTheScreen) {
    // From the right end to the left end, counter-clockwise: the upper half.
    CImageSurface arc(40, 40);
    arc.SetPen(CPen{kPenSolid, 1, kInk});
    arc.Arc(CRect(0, 0, 40, 40), CPoint(40, 20), CPoint(0, 20));
    EXPECT_EQ(arc.GetPixel(20, 0), kInk);
    EXPECT_EQ(arc.GetPixel(20, 39), kColorWhite);
    CImageSurface lower(40, 40);
    lower.SetPen(CPen{kPenSolid, 1, kInk});
    lower.Arc(CRect(0, 0, 40, 40), CPoint(0, 20), CPoint(40, 20));
    EXPECT_EQ(lower.GetPixel(20, 0), kColorWhite);
    EXPECT_EQ(lower.GetPixel(20, 39), kInk);

    CImageSurface chord(40, 40);
    chord.SetPen(CPen{kPenSolid, 1, kInk});
    chord.SetBrush(CBrush::MakeSolid(kColorBlue));
    chord.Chord(CRect(0, 0, 40, 40), CPoint(40, 20), CPoint(0, 20));
    EXPECT_EQ(chord.GetPixel(20, 10), kColorBlue);
    EXPECT_EQ(chord.GetPixel(20, 30), kColorWhite);
    EXPECT_EQ(chord.GetPixel(20, 0), kInk);
}

TEST(ImageSurface, PolygonMinusEllipsesLeavesTheDiscsEmpty) {
    CImageSurface s(40, 40);
    s.SetBrush(CBrush::MakeSolid(kInk));
    s.FillPolygonMinusEllipses({{0, 0}, {40, 0}, {40, 40}, {0, 40}},
                               {CRect(10, 10, 30, 30), CRect(-10, -10, 4, 4)});
    EXPECT_EQ(s.GetPixel(20, 20), kColorWhite);
    EXPECT_EQ(s.GetPixel(0, 0), kColorWhite);
    EXPECT_EQ(s.GetPixel(35, 35), kInk);
    EXPECT_EQ(s.GetPixel(20, 5), kInk);
}

TEST(ImageSurface, TextIsAlignedByItsExtent) {
    CImageSurface s(60, 30);
    EXPECT_EQ(s.GetTextExtent("9999.99"), (CSize{42, 10}));
    s.SetTextColor(kInk);
    s.SetTextAlign(kAlignRight | kAlignBottom);
    s.TextOut(30, 20, "1");  // glyph cell 24..29 x 10..19; the stem is its third column
    EXPECT_EQ(s.GetPixel(26, 11), kInk);
    EXPECT_EQ(s.GetPixel(26, 17), kInk);
    int inked = CountColor(s, kInk);
    EXPECT_GT(inked, 5);
    s.SetTextAlign(kAlignLeft | kAlignTop);
    s.TextOut(-5000, 40000, "far away");
    EXPECT_EQ(CountColor(s, kInk), inked);
}

TEST(ImageSurface, BitBltCopiesClippedBlocksAndOverlapsWithinOnePicture) {
    CImageSurface src(10, 10, kInk);
    CImageSurface dst(10, 10);
    dst.BitBlt(-3, 5, 8, 8, src, 0, 0);
    EXPECT_EQ(dst.GetPixel(4, 9), kInk);
    EXPECT_EQ(dst.GetPixel(5, 9), kColorWhite);
    EXPECT_EQ(dst.GetPixel(0, 4), kColorWhite);

    CImageSurface strip(1, 10);
    for (int y = 0; y < 10; ++y) {
        strip.SetPixel(0, y, static_cast<COLORREF>(y));
    }
    strip.BitBlt(0, 2, 1, 8, strip, 0, 0);
    for (int y = 2; y < 10; ++y) {
        EXPECT_EQ(strip.GetPixel(0, y), static_cast<COLORREF>(y - 2));
    }
    auto copy = dst.CreateCompatible(4, 4);
    EXPECT_EQ(copy->GetWidth(), 4);
}

TEST(PngWriter, ChecksumsMatchTheirStandardValues) {
    const std::string digits = "123456789";
    const auto* d = reinterpret_cast<const uint8_t*>(digits.data());
    EXPECT_EQ(Crc32(d, digits.size()), 0xCBF43926u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
}

TEST(PngWriter, FileHasSignatureHeaderAndEnd) {
    CImageSurface s(300, 300, kColorRed);  // larger than one stored block
    const std::string path = std::string(KESTROVEL_BINARY_DIR) + "/image_surface_red.png";
    std::string error;
    ASSERT_TRUE(s.SavePng(path, error)) << error;
    std::vector<uint8_t> png;
    ASSERT_TRUE(ReadFileBytes(path, png, error));
    ASSERT_GT(png.size(), 300u * 300u * 3u);
    EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(std::vector<uint8_t>(png.end() - 4, png.end()), (std::vector<uint8_t>{0xAE, 0x42, 0x60, 0x82}));
}

// The outlines of column spans, filled by pixel centres, cover exactly the rows of every span,
// both ends included, and nothing of an empty column; the brush set before stays.
TEST(ImageSurface, ColumnFillCoversExactlyTheSpans) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> row(-10, 50);
    for (int round = 0; round < 30; ++round) {
        std::vector<CColumnSpan> spans(50);
        for (CColumnSpan& s : spans) {
            const int a = row(random);
            const int b = row(random);
            s = CColumnSpan{a, round % 2 ? b : a + b % 4};
        }
        const int x = round % 5 - 3;
        CImageSurface dc(48, 40);
        dc.SetBrush(CBrush::MakeHatch(kHatchCross, kColorRed));
        dc.FillColumns(x, spans, CBrush::MakeSolid(kColorBlue));
        EXPECT_EQ(dc.GetBrush(), CBrush::MakeHatch(kHatchCross, kColorRed));
        for (int px = 0; px < 48; ++px) {
            for (int py = 0; py < 40; ++py) {
                const int i = px - x;
                const bool inside = i >= 0 && i < 50 && spans[i].nTop <= py && py <= spans[i].nBottom;
                ASSERT_EQ(dc.GetPixel(px, py), inside ? kColorBlue : kColorWhite)
                    << "round " << round << " at " << px << "," << py;
            }
        }
    }
}
