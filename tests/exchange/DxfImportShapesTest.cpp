// Shapes real drawings are made of: blocks placed every way, ellipses, object coordinate systems.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "EzdxfFiles.h"
#include "ImportedDrawing.h"
#include "PieceSampling.h"
#include "exchange/DxfImport.h"

namespace {

// Distance from (z, x) to the ellipse centre + cos t * major + sin t * minor (minor at right angles).
double ToEllipse(double z, double x, double cz, double cx, double a, double b, double turn) {
    const double dz = z - cz, dx = x - cx;
    const double u = dz * std::cos(turn) + dx * std::sin(turn);
    const double v = -dz * std::sin(turn) + dx * std::cos(turn);
    double best = 1e9, at = 0.0;
    for (int i = 0; i < 4000; ++i) {
        const double t = 2 * std::numbers::pi * i / 4000;
        const double d = std::hypot(u - a * std::cos(t), v - b * std::sin(t));
        if (d < best) {
            best = d;
            at = t;
        }
    }
    for (int i = -2000; i <= 2000; ++i) {
        const double t = at + i * 1e-6;
        best = std::min(best, std::hypot(u - a * std::cos(t), v - b * std::sin(t)));
    }
    return best;
}

TEST(DxfImportShapes, BlocksArePlacedScaledNestedInColumnsMirroredAndTurned) {
    REQUIRE_EZDXF();
    std::vector<CImportPiece> pieces = Import("blocks.dxf").m_pieces;
    ASSERT_EQ(pieces.size(), 8u);
    const CImportPiece arc = pieces[5];
    pieces.erase(pieces.begin() + 5);
    for (CImportPiece& p : pieces) {
        p.m_ptMid = {};
    }
    EXPECT_EQ(pieces, (std::vector<CImportPiece>{Line(0, 100000, 200000, 100000), Line(200000, 100000, 300000, 100000),
                                                 Line(300000, 150000, 400000, 150000), Line(400000, 200000, 500000, 200000),
                                                 Line(500000, 200000, 600000, 200000), Line(650000, 250000, 800000, 250000),
                                                 Line(800000, 150000, 950000, 150000)}));
    // The quarter mirrored: from the left of its centre (65, 20) up to its top.
    EXPECT_TRUE(arc.m_bArc);
    EXPECT_EQ(arc.m_ptStart, CPoint(600000, 200000));
    EXPECT_EQ(arc.m_ptEnd, CPoint(650000, 250000));
    EXPECT_NEAR(arc.m_dCenterZ, 650000, 1);
    EXPECT_NEAR(arc.m_dCenterX, 200000, 1);
}

TEST(DxfImportShapes, EllipsesComeInAsArcsWithinAThousandth) {
    REQUIRE_EZDXF();
    CDxfImportOptions outline;
    outline.dxfLayers = {"0"};
    const CImportResult half = Import("ellipses.dxf", outline);
    ASSERT_GT(half.m_pieces.size(), 4u);
    EXPECT_EQ(half.m_pieces.front().m_ptEnd, CPoint(200000, 100000));
    EXPECT_EQ(half.m_pieces.back().m_ptStart, CPoint(600000, 100000));
    for (size_t i = 1; i + 1 < half.m_pieces.size(); ++i) {
        ASSERT_TRUE(half.m_pieces[i].m_bArc);
        for (const auto& [z, x] : Along(half.m_pieces[i])) {
            EXPECT_LT(ToEllipse(z, x, 40, 10, 20, 10, 0), 0.0011) << z << ", " << x;
        }
    }
    // Turned by 0.3 rad in a block placed at (50, 40); the part starts at Z 0.
    CDxfImportOptions turned;
    turned.dxfLayers = {"ROT"};
    turned.bOrigin = true;
    const CImportResult r = Import("ellipses.dxf", turned);
    ASSERT_GT(r.m_pieces.size(), 4u);
    for (const CImportPiece& p : r.m_pieces) {
        for (const auto& [z, x] : Along(p)) {
            EXPECT_LT(ToEllipse(z, x, 50, 40, 30, 12, 0.3), 0.0011) << z << ", " << x;
        }
    }
}

TEST(DxfImportShapes, ExtrusionTowardsTheViewerMirrorsArcsAndPolylines) {
    REQUIRE_EZDXF();
    const CImportResult r = Import("ocs.dxf");
    ASSERT_EQ(r.m_pieces.size(), 4u);
    EXPECT_EQ(r.m_pieces[0].m_ptEnd, CPoint(400000, 100000));
    EXPECT_TRUE(r.m_pieces[1].m_bArc);
    EXPECT_EQ(r.m_pieces[1].m_ptStart, CPoint(400000, 100000));
    EXPECT_EQ(r.m_pieces[1].m_ptMid, CPoint(500000, 200000));
    EXPECT_EQ(r.m_pieces[1].m_ptEnd, CPoint(600000, 100000));
    EXPECT_EQ(r.m_pieces[3].m_ptStart, CPoint(1000000, 120000));
    EXPECT_EQ(r.m_pieces[3].m_ptEnd, CPoint(1200000, 120000));
}

}  // namespace
