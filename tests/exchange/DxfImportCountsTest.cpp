// What an import takes: pieces that meet where rounding near a join would overlap them, and a report
// that counts what entered the layer, what its length cut and what was left out.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "document/KestrovelDoc.h"
#include "exchange/DxfImport.h"
#include "platform/Messages.h"

namespace {

std::string Line(double z1, double x1, double z2, double x2) {
    char text[200];
    std::snprintf(text, sizeof text, "0\nLINE\n8\n0\n10\n%.6f\n20\n%.6f\n11\n%.6f\n21\n%.6f\n", z1, x1, z2, x2);
    return text;
}

std::string Entities(const std::string& body) {
    return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n";
}

// Steps whose ends lie a little past or short of the next step's start: each piece begins where
// the one before it ends, or later.
TEST(DxfImportCounts, PiecesNeverOverlapWhereASpanEnds) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> near(-0.0009, 0.0009);
    for (int round = 0; round < 300; ++round) {
        std::string body;
        double z = 0.0;
        for (int i = 0; i < 6; ++i) {
            const double length = 1.0 + rng() % 50;
            const double x = 5.0 + rng() % 40;
            body += Line(z + (i ? near(rng) : 0.0), x, z + length + near(rng), x + (rng() % 3) * 0.5);
            z += length;
        }
        CImportResult result;
        std::string error;
        ASSERT_TRUE(CDxfImport().Load(Entities(body), {}, result, error)) << error;
        for (size_t i = 1; i < result.m_pieces.size(); ++i) {
            ASSERT_GE(result.m_pieces[i].m_ptStart.x, result.m_pieces[i - 1].m_ptEnd.x) << body;
        }
        for (const CImportPiece& p : result.m_pieces) {
            ASSERT_GT(p.m_ptEnd.x, p.m_ptStart.x) << body;
        }
    }
}

TEST(DxfImportCounts, ReportCountsWhatEnteredTheLayer) {
    // One line per millimetre up to 1000 mm on a drawing 900 mm long, and one higher across its end.
    std::string body;
    for (int i = 0; i < 1000; ++i) {
        body += Line(i, 10.0, i + 1, 10.0);
    }
    body += Line(899.0, 12.0, 900.5, 12.0);
    CImportResult result;
    std::string error;
    ASSERT_TRUE(CDxfImport().Load(Entities(body), {}, result, error)) << error;
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.GetLayer(0)->GetDrawingLength(), 9000000);
    CRecordingMessages messages;
    CDxfApplyCounts counts;
    EXPECT_EQ(CDxfImport::Apply(doc, 0, result, &messages, false, nullptr, &counts), 900);
    EXPECT_EQ(counts.ReportLines(result),
              (std::vector<std::string>{"axis: the DXF x axis (no centre line, and the outline touches neither axis)",
                                        "taken: 900 lines, 0 arcs",
                                        "Z 0: the part's end, 0.000 mm along the axis from its first point",
                                        "not taken: segment hidden under the profile: 1",
                                        "cut to the drawing's length: 1",
                                        "not taken: outside the drawing's length: 100"}));
}

}  // namespace

namespace {

// A long profile of many short lines is well within what an import takes.
TEST(DxfImportCounts, SixtyThousandLinesAreNotRefused) {
    std::string body;
    for (int i = 0; i < 60000; ++i) {
        body += Line(i * 0.01, 10.0 + (i % 2), (i + 1) * 0.01, 10.0 + (i % 2));
    }
    CImportResult result;
    std::string error;
    ASSERT_TRUE(CDxfImport().Load(Entities(body), {}, result, error)) << error;
    EXPECT_EQ(result.m_pieces.size(), 60000u);
}

}  // namespace
