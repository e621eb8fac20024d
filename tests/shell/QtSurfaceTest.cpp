// Pixels drawn by the QPainter surface: pens, hatches, arcs, fills, column spans, texts and block copies.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <random>
#include <string>

#include "shell/QtSurface.h"

namespace {

bool Ink(const CQtSurface& s, int x, int y) {
    return s.GetImage().pixel(x, y) != qRgb(255, 255, 255);
}

int InkIn(const CQtSurface& s, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            n += Ink(s, x, y) ? 1 : 0;
        }
    }
    return n;
}

QRect InkBounds(const CQtSurface& s) {
    QRect r;
    for (int y = 0; y < s.GetHeight(); ++y) {
        for (int x = 0; x < s.GetWidth(); ++x) {
            if (Ink(s, x, y)) {
                r = r.united(QRect(x, y, 1, 1));
            }
        }
    }
    return r;
}

}  // namespace

TEST(QtSurface, RectangleOutlineStopsShortOfRightAndBottomEdges) {
    CQtSurface s(40, 40);
    s.SetBrush(CBrush::MakeNull());
    s.Rectangle(CRect(10, 10, 20, 20));
    EXPECT_TRUE(Ink(s, 10, 10));
    EXPECT_TRUE(Ink(s, 19, 19));
    EXPECT_FALSE(Ink(s, 20, 15));
    EXPECT_FALSE(Ink(s, 15, 20));
    EXPECT_FALSE(Ink(s, 15, 15)) << "a null brush leaves the inside alone";
}

TEST(QtSurface, PenWidthsAndStyles) {
    CQtSurface s(100, 60);
    s.SetPen(CPen{kPenSolid, 3, kColorBlack});
    s.MoveTo(10, 10);
    s.LineTo(90, 10);
    EXPECT_EQ(InkIn(s, 50, 5, 51, 16), 3);

    s.SetPen(CPen{kPenDash, 1, kColorBlack});
    s.MoveTo(0, 30);
    s.LineTo(99, 30);
    const int dashed = InkIn(s, 0, 30, 100, 31);
    EXPECT_GT(dashed, 20);
    EXPECT_LT(dashed, 95) << "a dashed pen leaves gaps";

    s.SetPen(CPen{kPenDot, 4, kColorBlack});
    s.MoveTo(0, 50);
    s.LineTo(99, 50);
    EXPECT_GE(InkIn(s, 5, 50, 95, 51), 89) << "styled pens wider than a pixel draw solid";

    s.SetPen(CPen{kPenNull, 1, kColorBlack});
    s.MoveTo(0, 40);
    s.LineTo(99, 40);
    EXPECT_EQ(InkIn(s, 0, 40, 100, 41), 0);
}

TEST(QtSurface, HatchDirectionsFollowTheStoredCodes) {
    // Forward diagonal lines run down to the right, backward diagonal lines up to the right.
    auto diagonalRun = [](int hatch, int step) {
        CQtSurface s(64, 64);
        s.SetPen(CPen{kPenNull, 1, kColorBlack});
        s.SetBrush(CBrush::MakeHatch(hatch, kColorBlack));
        s.Rectangle(CRect(0, 0, 64, 64));
        int along = 0;
        for (int y = 20; y < 40; ++y) {
            for (int x = 20; x < 40; ++x) {
                along += Ink(s, x, y) && Ink(s, x + 1, y + step) ? 1 : 0;
            }
        }
        return along;
    };
    EXPECT_GT(diagonalRun(kHatchForwardDiagonal, 1), 0);
    EXPECT_EQ(diagonalRun(kHatchForwardDiagonal, -1), 0);
    EXPECT_GT(diagonalRun(kHatchBackwardDiagonal, -1), 0);
    EXPECT_EQ(diagonalRun(kHatchBackwardDiagonal, 1), 0);

    CQtSurface h(32, 32);
    h.SetPen(CPen{kPenNull, 1, kColorBlack});
    h.SetBrush(CBrush::MakeHatch(kHatchHorizontal, kColorBlack));
    h.Rectangle(CRect(0, 0, 32, 32));
    int fullRows = 0;
    for (int y = 4; y < 28; ++y) {
        fullRows += InkIn(h, 4, y, 28, y + 1) == 24 ? 1 : 0;
    }
    EXPECT_GE(fullRows, 2);
    EXPECT_EQ(InkIn(h, 4, 4, 28, 28), fullRows * 24) << "horizontal hatch draws whole rows only";
}

TEST(QtSurface, ArcRunsCounterClockwiseOnTheScreen) {
    CQtSurface s(101, 101);
    // From the ray to the right (0 degrees) to the ray upward (90 degrees): the upper right quarter.
    s.Arc(CRect(0, 0, 101, 101), CPoint(100, 50), CPoint(50, 0));
    EXPECT_GT(InkIn(s, 51, 0, 101, 49), 0);
    EXPECT_EQ(InkIn(s, 0, 52, 101, 101), 0);
    EXPECT_EQ(InkIn(s, 0, 0, 48, 49), 0);

    CQtSurface t(101, 101);
    // The other way round goes the long way: everything but the upper right quarter.
    t.Arc(CRect(0, 0, 101, 101), CPoint(50, 0), CPoint(100, 50));
    EXPECT_EQ(InkIn(t, 60, 0, 101, 40), 0);
    EXPECT_GT(InkIn(t, 0, 60, 101, 101), 0);
}

TEST(QtSurface, ChordIsFilledWithTheBrush) {
    CQtSurface s(101, 101);
    s.SetBrush(CBrush::MakeSolid(kColorBlack));
    // The upper half, closed by the horizontal diameter.
    s.Chord(CRect(0, 0, 101, 101), CPoint(100, 50), CPoint(0, 50));
    EXPECT_TRUE(Ink(s, 50, 25));
    EXPECT_FALSE(Ink(s, 50, 75));
}

TEST(QtSurface, PolygonFillsWithTheWindingRule) {
    CQtSurface s(100, 100);
    s.SetPen(CPen{kPenNull, 1, kColorBlack});
    s.SetBrush(CBrush::MakeSolid(kColorBlack));
    // A pentagram: its middle is wound twice and stays filled under the winding rule.
    s.Polygon({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}});
    EXPECT_TRUE(Ink(s, 50, 50));
    s.FillPolygon({{0, 95}, {10, 95}, {10, 99}, {0, 99}});
    EXPECT_TRUE(Ink(s, 5, 97));
}

TEST(QtSurface, PolygonMinusEllipsesLeavesTheDiscsOut) {
    CQtSurface s(100, 100);
    s.SetBrush(CBrush::MakeSolid(kColorBlack));
    s.FillPolygonMinusEllipses({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {CRect(20, 20, 60, 60)});
    EXPECT_FALSE(Ink(s, 40, 40));
    EXPECT_TRUE(Ink(s, 80, 80));
    EXPECT_TRUE(Ink(s, 21, 21)) << "only the disc inscribed in the box is taken out";
}

TEST(QtSurface, TextAlignmentAndExtent) {
    EXPECT_TRUE(QFontInfo(CQtSurface::TextFont()).family().contains(QStringLiteral("DejaVu")))
        << "the text font must be installed";

    CQtSurface s(200, 100);
    const CSize ext = s.GetTextExtent("lathe axe");
    EXPECT_GT(ext.cx, 30);
    EXPECT_GT(ext.cy, 8);

    s.SetTextAlign(kAlignRight | kAlignTop);
    s.TextOut(150, 20, "center");
    QRect r = InkBounds(s);
    EXPECT_LE(r.right(), 150);
    EXPECT_GE(r.right(), 140);
    EXPECT_GE(r.top(), 20);

    CQtSurface b(200, 100);
    b.SetTextAlign(kAlignCenter | kAlignBottom);
    b.TextOut(100, 50, "diag");
    r = InkBounds(b);
    EXPECT_LT(r.bottom(), 50);
    EXPECT_NEAR((r.left() + r.right()) / 2.0, 100.0, 3.0);

    CQtSurface c(200, 100);
    c.SetTextColor(kColorRed);
    c.TextOut(10, 10, "rad");
    r = InkBounds(c);
    EXPECT_GE(r.left(), 10);
    EXPECT_GE(r.top(), 10);
    EXPECT_EQ(c.GetPen(), CPen{}) << "a text leaves the pen as it was";
}

TEST(QtSurface, BlockCopiesBetweenAndWithinPictures) {
    CQtSurface window(50, 50);
    std::unique_ptr<CSurface> picture = window.CreateCompatible(50, 50);
    ASSERT_EQ(picture->GetWidth(), 50);
    picture->FillSolidRect(CRect(0, 0, 10, 10), kColorBlue);
    window.BitBlt(20, 20, 10, 10, *picture, 0, 0);
    EXPECT_EQ(window.GetImage().pixel(25, 25), qRgb(0, 0, 255));
    EXPECT_EQ(window.GetImage().pixel(15, 15), qRgb(255, 255, 255));

    window.BitBlt(0, 0, 10, 10, window, 20, 20);
    EXPECT_EQ(window.GetImage().pixel(5, 5), qRgb(0, 0, 255));
    window.BitBlt(0, 0, 10, 10, *picture, 40, 40);
    EXPECT_EQ(window.GetImage().pixel(5, 5), qRgb(255, 255, 255)) << "the copy replaces, it does not blend";
}

// Column spans written straight into the picture come out as the same spans filled through a
// painter (the outline path every other surface takes): solid and every hatch, spans reaching
// past the picture's edges, empty columns between them.
TEST(QtSurface, ColumnFillWritesWhatThePainterWouldFill) {
    std::mt19937 random(16);
    std::uniform_int_distribution<int> row(-20, 70);
    std::uniform_int_distribution<int> kind(0, 7);
    for (int round = 0; round < 40; ++round) {
        const CBrush brush = round % 7 == 6 ? CBrush::MakeSolid(RGB(10, 20, 30))
                                            : CBrush::MakeHatch(round % 7, RGB(200, 0, 0));
        const int x = round % 3 == 0 ? -5 : round % 13;
        // Odd rounds: a tall picture of long spans (the rows are written band by band there),
        // even rounds: short spans of every length (written row by row).
        const bool tall = round % 2 == 1;
        const int height = tall ? 640 : 48;
        std::vector<CColumnSpan> spans(90);
        for (CColumnSpan& s : spans) {
            const int a = row(random);
            const int b = kind(random) == 0 ? a - 1 : tall ? a + 560 + row(random) : a + row(random) / 3;
            s = CColumnSpan{std::min(a, b), kind(random) == 0 ? std::min(a, b) - 1 : std::max(a, b)};
        }
        CQtSurface direct(64, height);
        direct.SetPen(CPen{kPenSolid, 1, kColorBlue});
        direct.MoveTo(0, 0);
        direct.LineTo(63, height - 1);  // a painter open on the picture while the pixels are written
        direct.FillColumns(x, spans, brush);
        direct.LineTo(0, height - 1);

        QImage expected(64, height, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            CQtSurface through(&painter, 64, height);
            through.SetPen(CPen{kPenSolid, 1, kColorBlue});
            through.MoveTo(0, 0);
            through.LineTo(63, height - 1);
            through.FillColumns(x, spans, brush);
            through.LineTo(0, height - 1);
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(direct.GetImage(), expected);
    }
}

// Column fills are gathered and written later, block by block, leaving out rows later solid
// fills cover; strokes between them must still land in drawing order. Random sequences of fills
// and strokes (some beside the picture, some over gathered fills) against the same sequence
// drawn straight through a painter.
TEST(QtSurface, GatheredColumnFillsKeepTheDrawingOrder) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> coordinate(-40, 240);
    for (int round = 0; round < 60; ++round) {
        constexpr int kWidth = 200;
        constexpr int kHeight = 150;
        CQtSurface direct(kWidth, kHeight);
        QImage expected(kWidth, kHeight, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter painter(&expected);
        CQtSurface through(&painter, kWidth, kHeight);
        for (int step = 0; step < 12; ++step) {
            const COLORREF color = RGB(pick(random) * 2, pick(random), 255 - pick(random));
            const int kind = pick(random);
            for (CSurface* s : {static_cast<CSurface*>(&direct), static_cast<CSurface*>(&through)}) {
                s->SetPen(CPen{kPenSolid, 1 + kind % 2, color});
                s->SetBrush(kind % 3 == 0 ? CBrush::MakeSolid(color) : CBrush::MakeHatch(kind % 6, color));
            }
            if (kind < 55) {
                const int x = coordinate(random) - 40;
                std::vector<CColumnSpan> spans(static_cast<size_t>(pick(random) * 2));
                const int top = coordinate(random) - 60;
                for (CColumnSpan& s : spans) {
                    s = CColumnSpan{top + pick(random) % 7, top + 20 + pick(random) * 2};
                }
                const CBrush brush = direct.GetBrush();
                direct.FillColumns(x, spans, brush);
                through.FillColumns(x, spans, brush);
            } else if (kind < 75) {
                const int x1 = coordinate(random);
                const int y1 = coordinate(random) - 60;
                const int x2 = kind < 65 ? x1 + pick(random) % 5 : coordinate(random);
                const int y2 = kind < 65 ? y1 + pick(random) : coordinate(random);
                for (CSurface* s : {static_cast<CSurface*>(&direct), static_cast<CSurface*>(&through)}) {
                    s->MoveTo(x1, y1);
                    s->LineTo(x2, y2);
                }
            } else if (kind < 85) {
                const CRect box(coordinate(random), coordinate(random) - 60, coordinate(random),
                                coordinate(random));
                direct.Ellipse(box);
                through.Ellipse(box);
            } else if (kind < 95) {
                const std::vector<CPoint> polygon{{coordinate(random), coordinate(random) - 60},
                                                  {coordinate(random), coordinate(random)},
                                                  {coordinate(random), coordinate(random)}};
                direct.FillPolygon(polygon);
                through.FillPolygon(polygon);
            } else {
                const CRect rect = kind < 98 ? CRect(coordinate(random), coordinate(random),
                                                     coordinate(random), coordinate(random))
                                             : CRect(0, 0, kWidth, kHeight);
                direct.FillSolidRect(rect, color);
                through.FillSolidRect(rect, color);
            }
        }
        painter.end();
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(direct.GetImage(), expected);
    }
}

// A copy of a whole picture shares its pixels until either side is drawn on.
TEST(QtSurface, WholePictureCopiesStayApart) {
    CQtSurface window(40, 30);
    CQtSurface picture(40, 30);
    picture.FillSolidRect(CRect(0, 0, 40, 30), kColorBlue);
    picture.FillColumns(5, std::vector<CColumnSpan>(4, CColumnSpan{2, 8}), CBrush::MakeSolid(kColorBlack));
    window.BitBlt(0, 0, 40, 30, picture, 0, 0);
    EXPECT_EQ(window.GetImage(), picture.GetImage());

    picture.FillSolidRect(CRect(0, 0, 40, 30), kColorWhite);
    picture.FillColumns(0, std::vector<CColumnSpan>(40, CColumnSpan{0, 29}), CBrush::MakeSolid(kColorRed));
    window.SetPen(CPen{kPenSolid, 1, kColorWhite});
    window.MoveTo(0, 20);
    window.LineTo(39, 20);
    EXPECT_EQ(window.GetImage().pixel(6, 5), qRgb(0, 0, 0));
    EXPECT_EQ(window.GetImage().pixel(20, 10), qRgb(0, 0, 255));
    EXPECT_EQ(window.GetImage().pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.GetImage().pixel(20, 20), qRgb(255, 0, 0));
}
