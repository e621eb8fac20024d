// Importing DXF drawings made by ezdxf: kinds, bulges, splines, units, the outline above the axis, the report
// and junk.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

#include "EzdxfFiles.h"
#include "ImportedDrawing.h"
#include "PieceSampling.h"
#include "document/KestrovelDoc.h"
#include "exchange/DxfImport.h"
#include "platform/Messages.h"

namespace {

// The pieces with the arc mid points cleared, for comparing lines.
std::vector<CImportPiece> Straight(std::vector<CImportPiece> pieces) {
    for (CImportPiece& p : pieces) {
        p.m_ptMid = p.m_bArc ? p.m_ptMid : CPoint{};
    }
    return pieces;
}

std::vector<std::string> Notes(const CImportResult& r) {
    auto lines = r.ReportLines();
    std::erase_if(lines, [](const std::string& line) { return line.rfind("not taken: ", 0) != 0; });
    return lines;
}

bool Reports(const CImportResult& r, const std::string& line) {
    const auto lines = r.ReportLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(DxfImport, R12PolylineWithBulgeGivesLinesAndAnArcThroughItsDxfMidPoint) {
    REQUIRE_EZDXF();
    CDxfImportOptions options;
    options.dxfLayers = {"profile"};  // layer names compare without case
    const CImportResult r = Import("r12_bulge.dxf", options);
    ASSERT_EQ(r.m_pieces.size(), 3u);
    EXPECT_EQ(
        Straight({r.m_pieces[0], r.m_pieces[2]}),
        (std::vector<CImportPiece>{Line(0, 100000, 200000, 100000), Line(400000, 150000, 600000, 150000)}));
    EXPECT_TRUE(r.m_pieces[1].m_bArc);
    EXPECT_EQ(r.m_pieces[1].m_ptStart, CPoint(200000, 100000));
    EXPECT_EQ(r.m_pieces[1].m_ptEnd, CPoint(400000, 100000));
    EXPECT_EQ(r.m_pieces[1].m_ptMid, CPoint(300000, 150000));
    // The other layer's line and text stay out; this layer's text and point are reported.
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: entity kind not read: TEXT: 1",
                                                  "not taken: entity kind not read: POINT: 1"}));
    EXPECT_TRUE(Reports(r, "taken: 2 lines, 1 arcs"));
}

TEST(DxfImport, SplineIsFollowedWithinAThousandthOfAMillimetre) {
    REQUIRE_EZDXF();
    const CImportResult r = Import("r2000_spline.dxf");
    // The cubic Bezier (10,10) (15,10) (25,20) (30,20) in mm.
    auto bezier = [](double t) {
        const double s = 1 - t;
        return std::pair{s * s * s * 10 + 3 * s * s * t * 15 + 3 * s * t * t * 25 + t * t * t * 30,
                         s * s * s * 10 + 3 * s * s * t * 10 + 3 * s * t * t * 20 + t * t * t * 20};
    };
    auto distance = [&](double z, double x) {
        double best = 1e9, at = 0.0;
        for (int i = 0; i <= 2000; ++i) {
            const auto [bz, bx] = bezier(i / 2000.0);
            if (std::hypot(bz - z, bx - x) < best) {
                best = std::hypot(bz - z, bx - x);
                at = i / 2000.0;
            }
        }
        for (int i = -1000; i <= 1000; ++i) {
            const auto [bz, bx] = bezier(at + i / 1e6);
            best = std::min(best, std::hypot(bz - z, bx - x));
        }
        return best;
    };
    ASSERT_GT(r.m_pieces.size(), 3u);
    EXPECT_EQ(Straight({r.m_pieces.front()}), (std::vector<CImportPiece>{Line(0, 100000, 100000, 100000)}));
    EXPECT_EQ(Straight({r.m_pieces.back()}),
              (std::vector<CImportPiece>{Line(300000, 200000, 500000, 200000)}));
    for (size_t i = 1; i + 1 < r.m_pieces.size(); ++i) {
        const CImportPiece& p = r.m_pieces[i];
        EXPECT_EQ(p.m_ptStart, r.m_pieces[i - 1].m_ptEnd);
        // Every point along the piece within the tolerance (plus rounding).
        for (const auto& [z, x] : Along(p)) {
            EXPECT_LT(distance(z, x), 0.0011) << z << ", " << x;
        }
    }
}

TEST(DxfImport, UnitsComeFromInsUnitsUnlessGiven) {
    REQUIRE_EZDXF();
    const std::vector<CImportPiece> inches{Line(0, 254000, 508000, 254000),
                                           Line(508000, 127000, 762000, 127000)};
    EXPECT_EQ(Straight(Import("inch.dxf").m_pieces), inches);
    CDxfImportOptions mm;
    mm.strUnits = "mm";
    EXPECT_EQ(Straight(Import("inch.dxf", mm).m_pieces),
              (std::vector<CImportPiece>{Line(0, 10000, 20000, 10000), Line(20000, 5000, 30000, 5000)}));
    CDxfImportOptions moved;
    moved.bOrigin = true;
    moved.origin = {25.4, 12.7};  // millimetres, whatever the drawing's units
    EXPECT_EQ(Straight(Import("inch.dxf", moved).m_pieces),
              (std::vector<CImportPiece>{Line(-254000, 127000, 254000, 127000), Line(254000, 0, 508000, 0)}));
}

TEST(DxfImport, ClosedContourAroundTheAxisGivesItsUpperHalf) {
    REQUIRE_EZDXF();
    const CImportResult r = Import("closed.dxf");
    EXPECT_EQ(Straight(r.m_pieces), (std::vector<CImportPiece>{Line(0, 80000, 20000, 100000),
                                                               Line(20000, 100000, 500000, 100000)}));
    EXPECT_TRUE(Notes(r).empty());
}

TEST(DxfImport, InnerBoreIsReportedAndNotTaken) {
    REQUIRE_EZDXF();
    const CImportResult r = Import("bore.dxf");
    EXPECT_EQ(Straight(r.m_pieces), (std::vector<CImportPiece>{Line(0, 200000, 600000, 200000)}));
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: closed contour of the inside: 1"}));
}

TEST(DxfImport, UndercutAndCirclesAreCutToTheOutlineAndReported) {
    REQUIRE_EZDXF();
    const CImportResult r = Import("runs_back.dxf");
    ASSERT_EQ(r.m_pieces.size(), 5u);
    EXPECT_EQ(
        Straight({r.m_pieces[0], r.m_pieces[1]}),
        (std::vector<CImportPiece>{Line(0, 100000, 100000, 100000), Line(100000, 30000, 200000, 30000)}));
    // The quarter of the cut circle that lies on the outline, from its top to the axis.
    EXPECT_TRUE(r.m_pieces[3].m_bArc);
    EXPECT_EQ(r.m_pieces[3].m_ptStart, CPoint(300000, 30000));
    EXPECT_EQ(r.m_pieces[3].m_ptEnd, CPoint(330000, 0));
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: segment that runs back in Z: 1",
                                                  "not taken: segment hidden under the profile: 1",
                                                  "not taken: CIRCLE not cut by the profile: 1"}));
}

TEST(DxfImport, TheAxisIsFoundOrGivenAndThePartComesInFromZeroOnEitherSide) {
    REQUIRE_EZDXF();
    // Standing up beside a vertical centre line, its end 5 mm above the line's lower end.
    const std::vector<CImportPiece> standing{Line(0, 100000, 300000, 100000),
                                             Line(300000, 170000, 1200000, 170000)};
    CImportResult r = Import("standing.dxf");
    EXPECT_EQ(Straight(r.m_pieces), standing);
    EXPECT_TRUE(Reports(r, "axis: the CENTER line on layer AXES, vertical"));
    EXPECT_TRUE(Reports(r, "Z 0: the part's end, 5.000 mm along the axis from its first point"));
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: centre line: 1"}));
    CDxfImportOptions given;
    given.bAxis = true;
    given.axisFrom = {100, 125};
    given.axisTo = {100, -5};
    EXPECT_EQ(Straight(Import("standing.dxf", given).m_pieces),
              (std::vector<CImportPiece>{Line(0, 170000, 900000, 170000), Line(900000, 100000, 1200000, 100000)}));
    given.bFlip = true;
    EXPECT_EQ(Straight(Import("standing.dxf", given).m_pieces), standing);

    // Below the x axis at negative Z, as a lathe drawing has it; turned end for end with the flip.
    const std::vector<CImportPiece> below{Line(0, 100000, 600000, 100000), Line(600000, 200000, 1180000, 200000),
                                          Line(1180000, 200000, 1200000, 180000)};
    EXPECT_EQ(Straight(Import("below.dxf").m_pieces), below);
    CDxfImportOptions flip;
    flip.bFlip = true;
    r = Import("below.dxf", flip);
    EXPECT_EQ(Straight(r.m_pieces), (std::vector<CImportPiece>{Line(0, 180000, 20000, 200000),
                                                               Line(20000, 200000, 600000, 200000),
                                                               Line(600000, 100000, 1200000, 100000)}));
    EXPECT_TRUE(Reports(r, "axis: the DXF x axis, which the outline touches, turned end for end"));
    // A full section: both halves give one profile, and nothing is reported twice.
    r = Import("closed.dxf");
    EXPECT_EQ(r.m_pieces.size(), 2u);
    EXPECT_TRUE(Notes(r).empty());
}

TEST(DxfImport, LayersWindowAndLeftOutKindsOfASheet) {
    REQUIRE_EZDXF();
    CImportResult r = Import("sheet.dxf");
    EXPECT_TRUE(Reports(r, "axis: the DASHDOT line on layer CL, horizontal"));
    for (const char* line : {"not taken: centre line: 2", "not taken: hidden line: 1",
                             "not taken: entity kind not read: XLINE: 1", "not taken: entity kind not read: RAY: 1",
                             "not taken: entity kind not read: DIMENSION: 1",
                             "not taken: entity kind not read: HATCH: 1", "not taken: entity kind not read: TEXT: 1"}) {
        EXPECT_TRUE(Reports(r, line)) << line;
    }
    CDxfImportOptions layers;
    layers.dxfLayers = {"SHAFT", "collar"};
    const std::vector<CImportPiece> partA{Line(0, 100000, 400000, 100000), Line(400000, 250000, 600000, 250000),
                                          Line(600000, 100000, 1200000, 100000)};
    EXPECT_EQ(Straight(Import("sheet.dxf", layers).m_pieces), partA);
    CDxfImportOptions window;
    window.bWindow = true;
    window.windowFrom = {-10, 190};
    window.windowTo = {50, 210};
    r = Import("sheet.dxf", window);
    EXPECT_EQ(Straight(r.m_pieces), (std::vector<CImportPiece>{Line(0, 50000, 400000, 50000)}));
    window.windowFrom = {-10, -30};
    window.windowTo = {130, 30};
    r = Import("sheet.dxf", window);
    EXPECT_EQ(Straight(r.m_pieces), partA);
    // Part B, its centre line, the title block, the text, the endless lines and the dimension lie
    // outside; the hatch, whose place is not read, stays counted.
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: centre line: 1", "not taken: hidden line: 1",
                                                  "not taken: entity kind not read: HATCH: 1",
                                                  "not taken: outside the window: 7"}));

    CDxfImportOptions unknown;
    unknown.dxfLayers = {"SHAFT", "CONTOUR"};
    std::string error;
    EXPECT_FALSE(CDxfImport().LoadFile(ezdxf::File("sheet.dxf"), unknown, r, error));
    EXPECT_EQ(error, "the drawing has no layer \"CONTOUR\"; its layers: 0, Defpoints, SHAFT, COLLAR, OTHER, TITLE, CL");
}

// A drawing read once and mapped under a given vertical axis, then turned end for end: the same
// result as a whole load, and the placement finds each end of the profile back in the drawing.
TEST(DxfImport, MappingAgainGivesTheLoadsResultAndPlacesTheProfileInTheDrawing) {
    std::string bytes = "0\nSECTION\n2\nENTITIES\n";
    for (const auto& [x1, y1, x2, y2] : {std::array{0, 0, 10, 0}, {10, 0, 10, 40}, {10, 40, 0, 40}}) {
        bytes += "0\nLINE\n8\n0\n10\n" + std::to_string(x1) + "\n20\n" + std::to_string(y1) + "\n11\n" +
                 std::to_string(x2) + "\n21\n" + std::to_string(y2) + "\n";
    }
    bytes += "0\nENDSEC\n0\nEOF\n";
    CDxfImportOptions options;
    options.bAxis = true;
    options.axisFrom = {-20, 0};
    options.axisTo = {-20, 40};
    CDxfContent content;
    std::string error;
    ASSERT_TRUE(CDxfImport().Read(bytes, options, content, error)) << error;
    for (const bool flip : {false, true}) {
        options.bFlip = flip;
        CImportResult mapped, loaded;
        CDxfPlacement placement;
        ASSERT_TRUE(CDxfImport().Map(content, options, mapped, error, &placement)) << error;
        ASSERT_TRUE(CDxfImport().Load(bytes, options, loaded, error)) << error;
        EXPECT_EQ(mapped.m_pieces, loaded.m_pieces);
        EXPECT_EQ(mapped.ReportLines(), loaded.ReportLines());
        ASSERT_EQ(Straight(mapped.m_pieces), (std::vector<CImportPiece>{Line(0, 300000, 400000, 300000)}));
        // The part lies on the axis's right (seen along it): the profile's mirror image finds it.
        const CPlanePoint start = placement.ToDrawing({0, flip ? 300000 : -300000});
        EXPECT_NEAR(start.z, 10.0, 1e-9);
        EXPECT_NEAR(start.x, flip ? 40.0 : 0.0, 1e-9);
    }
}

TEST(DxfImport, EveryKindPresentIsTakenOrReportedAndNothingTakenSaysWhy) {
    const std::string head = "0\nSECTION\n2\nENTITIES\n";
    const std::string tail = "0\nENDSEC\n0\nEOF\n";
    const std::string kinds = "0\nMLINE\n8\n0\n0\n3DSOLID\n8\n0\n0\nREGION\n8\n0\n0\nMLINE\n8\n0\n";
    CImportResult r;
    std::string error;
    ASSERT_TRUE(CDxfImport().Load(head + kinds + "0\nLINE\n8\n0\n10\n0\n20\n5\n11\n10\n21\n5\n" + tail, {}, r,
                                  error))
        << error;
    EXPECT_EQ(r.m_pieces.size(), 1u);
    EXPECT_EQ(Notes(r), (std::vector<std::string>{"not taken: entity kind not read: MLINE: 2",
                                                  "not taken: entity kind not read: 3DSOLID: 1",
                                                  "not taken: entity kind not read: REGION: 1"}));
    ASSERT_TRUE(CDxfImport().Load(head + kinds + tail, {}, r, error)) << error;
    EXPECT_TRUE(r.m_pieces.empty());
    const std::vector<std::string> lines = r.ReportLines();
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("taken:", 0) == 0; }));
    EXPECT_TRUE(Reports(r, "nothing taken: the drawing holds only kinds not read as outline (MLINE, 3DSOLID, REGION)"));
}

TEST(DxfImport, JunkIsRefusedWithAClearMessage) {
    REQUIRE_EZDXF();
    const std::pair<const char*, const char*> cases[] = {
        {"truncated.dxf", "truncated"}, {"binary.dxf", "binary data"}, {"zeros.dxf", "binary data"}};
    for (const auto& [name, reason] : cases) {
        CImportResult result;
        std::string error;
        EXPECT_FALSE(CDxfImport().LoadFile(ezdxf::File(name), {}, result, error)) << name;
        EXPECT_NE(error.find(reason), std::string::npos) << name << ": " << error;
        EXPECT_TRUE(result.m_pieces.empty());
    }
    CImportResult result;
    std::string error;
    EXPECT_FALSE(CDxfImport().Load("", {}, result, error));
    EXPECT_FALSE(CDxfImport().Load("AutoCAD Binary DXF\r\n\x1a", {}, result, error));
    EXPECT_NE(error.find("binary DXF"), std::string::npos);
}

TEST(DxfImport, ApplyIsOneUndoStepOfItsLayerAndNothingTakenLeavesTheDocument) {
    REQUIRE_EZDXF();
    CRecordingMessages messages;
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetModifiedFlag(false);
    const int before = doc.GetUndo(2).GetCount();
    EXPECT_EQ(CDxfImport::Apply(doc, 2, CImportResult{}, &messages), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetUndo(2).GetCount(), before);

    CDxfImportOptions options;
    options.dxfLayers = {"PROFILE"};
    EXPECT_EQ(CDxfImport::Apply(doc, 2, Import("r12_bulge.dxf", options), &messages), 3);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetUndo(2).GetCount(), before + 1);
    EXPECT_EQ(doc.GetActiveLayerIndex(), 0);
    const auto& pieces = doc.GetLayer(2)->GetPieces();
    ASSERT_EQ(pieces.size(), 4u);  // the three, and the rest of the flat profile
    EXPECT_EQ(pieces.front()->GetStart(), CPoint(0, 100000));
    EXPECT_EQ((*std::next(pieces.begin()))->GetKind(), kKindArc);
}

}  // namespace

// Entities one after another on changing layers and linetypes are each judged by their own.
TEST(DxfImport, EachEntityIsJudgedByItsOwnLayerAndLinetype) {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    const auto line = [&](const char* layer, const char* linetype, int z) {
        text += std::string("0\nLINE\n8\n") + layer + "\n" + (*linetype ? std::string("6\n") + linetype + "\n" : "") +
                "10\n" + std::to_string(z) + "\n20\n10\n11\n" + std::to_string(z + 10) + "\n21\n10\n";
    };
    line("0", "", 0);
    line("0", "CENTER", 10);
    line("AXIS", "", 20);
    line("AXIS", "CONTINUOUS", 30);
    line("0", "HIDDEN", 40);
    line("0", "", 50);
    text += "0\nENDSEC\n0\nEOF\n";
    CImportResult r;
    std::string error;
    ASSERT_TRUE(CDxfImport().Load(text, {}, r, error)) << error;
    EXPECT_TRUE(Reports(r, "not taken: centre line: 3"));
    EXPECT_TRUE(Reports(r, "not taken: hidden line: 1"));
    EXPECT_EQ(r.m_pieces.size(), 2u);
}
