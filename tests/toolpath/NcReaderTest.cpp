// Reading NC text back: each word and mode, worked examples in model units (10000 = 1 mm).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "toolpath/NcReader.h"

namespace {

CToolpath Read(const std::string& text, CNcReaderSettings settings = {}) {
    return CNcReader(settings).Read(text);
}

void ExpectAt(const CPathPoint& p, double z, double x, double tolerance = 1e-6) {
    EXPECT_NEAR(p.dZ, z, tolerance);
    EXPECT_NEAR(p.dX, x, tolerance);
}

bool HasNote(const std::vector<CNcNote>& notes, int line, const std::string& part) {
    for (const CNcNote& n : notes) {
        if (n.nLine == line && n.strText.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(NcReader, FramingCommentsAndBlockNumbers) {
    const CToolpath path = Read(
        "%\r\nO1234 (G1 X99 inside a comment)\r\nN10 G0 X10 Z5 ; G1 X77\r\n(whole line)\r\n"
        "N20 G1 Z-2 F100\r\n%\r\nG1 X50\r\n");
    EXPECT_EQ(path.nProgramNumber, 1234);
    ASSERT_EQ(path.moves.size(), 2u);
    EXPECT_TRUE(path.moves[0].bRapid);
    EXPECT_EQ(path.moves[0].nLine, 3);
    EXPECT_EQ(path.moves[0].strBlock, "N10");
    ExpectAt(path.moves[0].segment.ptEnd, 50000, 100000);
    EXPECT_FALSE(path.moves[1].bRapid);
    EXPECT_EQ(path.moves[1].strBlock, "N20");
    EXPECT_EQ(path.moves[1].dFeed, 100);
    EXPECT_TRUE(path.errors.empty());
    EXPECT_TRUE(path.unknown.empty());
    EXPECT_EQ(path.nLineCount, 7);
}

TEST(NcReader, BlanksAndCaseDoNotMatter) {
    const CToolpath path = Read("g 1 x 1 2.5 z-3\n");
    ASSERT_EQ(path.moves.size(), 1u);
    ExpectAt(path.moves[0].segment.ptEnd, -30000, 125000);
}

TEST(NcReader, DistanceModesAndIsoIncrementalWords) {
    const CToolpath path = Read("G0 X10 Z0\nG91 X1 Z-2\nG90 U-1 W-1\nG1 X4\nZ6\n");
    ASSERT_EQ(path.moves.size(), 5u);
    ExpectAt(path.moves[1].segment.ptEnd, -20000, 110000);
    ExpectAt(path.moves[2].segment.ptEnd, -30000, 100000);
    ExpectAt(path.moves[3].segment.ptEnd, -30000, 40000);
    // The motion mode stays: a block with only Z is a feed move again.
    EXPECT_FALSE(path.moves[4].bRapid);
    ExpectAt(path.moves[4].segment.ptEnd, 60000, 40000);
}

TEST(NcReader, DiameterModeHalvesXAndUButNotTheCentre) {
    const CToolpath path = Read("G7 G0 X40 Z0\nU10\nG2 X30 Z-10 I-7.5 K-10\nG8 G1 X40\n");
    ASSERT_EQ(path.moves.size(), 4u);
    ExpectAt(path.moves[0].segment.ptEnd, 0, 200000);
    ExpectAt(path.moves[1].segment.ptEnd, 0, 250000);
    ExpectAt(path.moves[2].segment.ptCentre, -100000, 175000);
    ExpectAt(path.moves[3].segment.ptEnd, -100000, 400000);
    // Diameter mode from the start, as an ISO lathe is set up.
    CNcReaderSettings settings;
    settings.bDiameterMode = true;
    ExpectAt(Read("G0 X40\n", settings).moves[0].segment.ptEnd, 0, 200000);
}

TEST(NcReader, InchAndMillimetreUnits) {
    const CToolpath path = Read("G20 G0 X1 Z-0.5\nG21 G1 X1\n");
    ExpectAt(path.moves[0].segment.ptEnd, -127000, 254000);
    ExpectAt(path.moves[1].segment.ptEnd, -127000, 10000);
}

TEST(NcReader, ArcCentresIncrementalAndAbsolute) {
    // From (Z 0, X 10) a quarter circle about (Z -10, X 10).
    const CToolpath inc = Read("G18 G0 X10 Z0 F100\nG3 X20 Z-10 I0 K-10\n");
    ASSERT_EQ(inc.moves.size(), 2u);
    const CPathSegment& a = inc.moves[1].segment;
    EXPECT_EQ(a.nDirection, kDirCounterClockwise);
    ExpectAt(a.ptCentre, -100000, 100000);
    EXPECT_NEAR(a.dRadius, 100000, 1e-6);
    const CToolpath abs = Read("G90.1 G0 X10 Z0 F100\nG2 X20 Z-10 I10 K-10\nG91.1 G2 X30 Z0 I0 K10\n");
    EXPECT_EQ(abs.moves[1].segment.nDirection, kDirClockwise);
    ExpectAt(abs.moves[1].segment.ptCentre, -100000, 100000);
    ExpectAt(abs.moves[2].segment.ptCentre, 0, 200000);
    EXPECT_TRUE(inc.errors.empty());
    EXPECT_TRUE(abs.errors.empty());
}

TEST(NcReader, RadiusArcsOfBothSignsAndDirections) {
    // Centres as LinuxCNC's interpreter reports them for these blocks.
    const CToolpath path =
        Read("G0 X10 Z0\nG2 X10 Z-10 R8\nG2 X10 Z-20 R-8\nG3 X10 Z-30 R8\nG3 X10 Z-40 R-8\n");
    ASSERT_EQ(path.moves.size(), 5u);
    ExpectAt(path.moves[1].segment.ptCentre, -50000, 162450, 1);
    ExpectAt(path.moves[2].segment.ptCentre, -150000, 37550, 1);
    ExpectAt(path.moves[3].segment.ptCentre, -250000, 37550, 1);
    ExpectAt(path.moves[4].segment.ptCentre, -350000, 162450, 1);
    for (size_t i = 1; i < 5; ++i) {
        EXPECT_NEAR(path.moves[i].segment.dRadius, 80000, 1e-6);
    }
    EXPECT_NEAR(std::fabs(path.moves[1].segment.Sweep()), 1.35, 0.01);  // the shorter arc
    EXPECT_NEAR(std::fabs(path.moves[2].segment.Sweep()), 2 * M_PI - 1.35, 0.01);
    const CToolpath tooSmall = Read("G0 X10 Z0\nG2 X10 Z-20 R5\n");
    EXPECT_TRUE(HasNote(tooSmall.errors, 2, "too small"));
}

// The controller's rule: the radii at the ends may differ by 0.0283 mm (0.00283 in in inch
// programs) or by 0.1 % of the radius, whichever is more, and never by 100 times the first.
TEST(NcReader, ArcsWhoseEndsLieOnDifferentCirclesAreErrors) {
    const auto errors = [](const std::string& units, double radius, double off) {
        char text[160];
        std::snprintf(text, sizeof text, "%s G0 X10 Z0 F100\nN50 G2 X10 Z%.5f K%.5f\n", units.c_str(),
                      -2 * radius - off, -radius);
        const CToolpath path = Read(text);
        EXPECT_EQ(path.moves.size(), 2u) << text;
        return HasNote(path.errors, 2, "radius");
    };
    EXPECT_FALSE(errors("G21", 5, 0.028));
    EXPECT_TRUE(errors("G21", 5, 0.029));
    EXPECT_FALSE(errors("G21", 50, 0.049));
    EXPECT_TRUE(errors("G21", 50, 0.051));
    EXPECT_FALSE(errors("G21", 2000, 1.99));
    EXPECT_TRUE(errors("G21", 4000, 3.5));
    // A 4-decimal inch program: 0.0027 in off a 0.1 in radius runs.
    EXPECT_FALSE(errors("G20", 0.1, 0.0027));
    EXPECT_TRUE(errors("G20", 0.1, 0.0029));
}

TEST(NcReader, ArcsOutsideTheLathePlaneAreErrors) {
    const CToolpath path =
        Read("G17\nG0 X10 Z0 F100\nG2 X20 Z-10 I10 K0\nG18\nG2 X30 Z0 I10 K0\nG19 G3 X0 Z0 R20\n");
    EXPECT_TRUE(HasNote(path.errors, 3, "G17"));
    EXPECT_FALSE(HasNote(path.errors, 5, ""));
    EXPECT_TRUE(HasNote(path.errors, 6, "G19"));
    EXPECT_FALSE(path.moves[1].segment.IsArc());
    EXPECT_TRUE(path.moves[2].segment.IsArc());
}

TEST(NcReader, EventsUnknownWordsAndFaultsNeverStopReading) {
    const CToolpath path = Read(
        "T1 M6\nG97 S1200 M3\nG99 F0.2\nG1 X5 Y3 A1\nG33.1 Z-1\nG1 X\n!1=5\nG4 P1.5\nG1 X6\n"
        "G1 X1" +
        std::string(400, '0') + "\nM30\nG1 X99\n");
    std::string events;
    for (const CNcEvent& e : path.events) {
        events += e.strWord + " ";
    }
    EXPECT_EQ(events, "T1 M6 G97 S1200 M3 G99 F0.2 G4 P1.5 M30 ");
    ASSERT_EQ(path.unknown.size(), 2u);
    EXPECT_EQ(path.unknown[0].strText, "Y3");
    EXPECT_EQ(path.unknown[1].strText, "A1");
    // A cycle the reader does not expand is an error, not a move.
    EXPECT_TRUE(HasNote(path.errors, 5, "G33.1"));
    EXPECT_TRUE(HasNote(path.errors, 6, "without a number"));
    EXPECT_TRUE(HasNote(path.errors, 7, "unexpected"));
    EXPECT_TRUE(HasNote(path.errors, 10, "out of range"));
    // Reading went on after every one of them and stopped at M30.
    ASSERT_EQ(path.moves.size(), 2u);
    ExpectAt(path.moves.back().segment.ptEnd, 0, 60000);
    EXPECT_EQ(path.moves.back().dFeed, 0.2);
}

TEST(NcReader, MovesOfALine) {
    const CToolpath path = Read("G0 X1\nM3\nG1 X2\nG28 U0 W0\n");
    EXPECT_EQ(path.MovesOfLine(3), (std::pair<size_t, size_t>{1, 1}));
    EXPECT_EQ(path.MovesOfLine(2).second, 0u);
    // A reference return passes its intermediate point as a rapid move, then goes home.
    ASSERT_EQ(path.moves.size(), 4u);
    EXPECT_TRUE(path.moves[2].bRapid);
    EXPECT_EQ(path.MovesOfLine(4), (std::pair<size_t, size_t>{2, 2}));
}

// An R arc ends on its circle whatever the ends and the radius, and the sign of R alone decides
// between the shorter and the longer way round.
TEST(NcReaderProperty, RadiusArcsLieOnTheirCircleAndRespectTheSignOfR) {
    std::mt19937 rng(18);
    std::uniform_real_distribution<double> coordinate(-50.0, 50.0);
    std::uniform_real_distribution<double> extra(0.01, 40.0);
    for (int i = 0; i < 500; ++i) {
        const double z0 = coordinate(rng), x0 = coordinate(rng), z1 = coordinate(rng), x1 = coordinate(rng);
        const double r = std::hypot(z1 - z0, x1 - x0) / 2 + extra(rng);
        const bool longer = i % 2;
        char text[160];
        std::snprintf(text, sizeof text, "G0 X%.4f Z%.4f F100\nG%d X%.4f Z%.4f R%.4f\n", x0, z0, 2 + i % 3 % 2, x1,
                      z1, longer ? -r : r);
        const CToolpath path = Read(text);
        ASSERT_EQ(path.moves.size(), 2u) << text;
        ASSERT_TRUE(path.errors.empty()) << text << path.errors[0].strText;
        const CPathSegment& arc = path.moves[1].segment;
        const double toEnd = std::hypot(arc.ptEnd.dZ - arc.ptCentre.dZ, arc.ptEnd.dX - arc.ptCentre.dX);
        EXPECT_NEAR(arc.dRadius, std::round(r * 10000), 1.0) << text;
        EXPECT_NEAR(toEnd, arc.dRadius, 1.0) << text;
        EXPECT_EQ(std::fabs(arc.Sweep()) > M_PI, longer) << text;
    }
}

// Junk keeps the first notes and counts the rest; an overlong line is refused once, as a whole.
TEST(NcReader, NotesAreBoundedAndOverlongLinesRefused) {
    std::string junk;
    for (int i = 0; i < 20000; ++i) {
        junk += "!!\n";
    }
    const CToolpath many = Read(junk + std::string(2000000, '?') + "\nG0 X1\n");
    EXPECT_EQ(many.errors.size(), CToolpath::kNoteLimit);
    EXPECT_EQ(many.nErrorCount, 40001u);
    ASSERT_EQ(many.moves.size(), 1u);
    EXPECT_EQ(many.moves[0].nLine, 20002);
    const CToolpath longLine = Read("G0 X1 (" + std::string(CNcReader::kLineLimit, 'c') + ")\nG0 X2\n");
    ASSERT_EQ(longLine.errors.size(), 1u);
    EXPECT_NE(longLine.errors[0].strText.find("longer than"), std::string::npos);
    EXPECT_EQ(longLine.moves.size(), 1u);
}
