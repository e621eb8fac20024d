// Deviation measured at the nose circle's edge: a tip walked along the profile shows the taper
// error at its line, the tip path that keeps the nose on the profile and the profile handed to
// the control's compensation both measure zero.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "document/Layer.h"
#include "elements/Linear.h"
#include "toolpath/DeviationCheck.h"
#include "toolpath/NcReader.h"

namespace {

constexpr double kR = 0.8;

// X 20 mm from Z 0 to 50, then a 45 degree chamfer down to X 10 at Z 60.
CProfileShape Chamfered() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 600000);
    layer->AddLine(0, 200000, 600000, 200000);
    layer->AddPiece(std::make_unique<CLinear>(500000, 200000, 600000, 100000), 0);
    return CProfileShape::FromLayer(*layer);
}

// Tool 1: nose 0.8 mm, imaginary tip at the lower left of the nose; tool 2 set to its centre.
const std::map<int, CToolNose> kNoses = {{1, {kR * 10000, kR * 10000, kR * 10000}}, {2, {kR * 10000, 0, 0}}};

CDeviationResult Check(const std::string& nc) {
    return CDeviationCheck::Run(CNcReader().Read(nc), Chamfered(), 0.001, kNoses);
}

std::string Fixed(const char* format, double a, double b) {
    char text[80];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

TEST(NoseEnvelope, TheTipOnTheProfileShowsTheTaperErrorAtItsLine) {
    const CDeviationResult r = Check("T1\nG0 X25 Z-2\nG1 X20 Z0 F100\nG1 X20 Z50\nN80 G1 X10 Z60\nG0 X40\n");
    ASSERT_TRUE(r.bMeasured);
    EXPECT_EQ(r.strBlock, "N80");
    EXPECT_NEAR(r.dLargestMm, kR * (std::sqrt(2.0) - 1), 1e-4);
    EXPECT_NEAR(r.dAlongZMm, 0.2343, 1e-4);
    EXPECT_NEAR(r.dAlongXMm, 0.2343, 1e-4);
    // The nose centre run along the profile cuts a nose radius into the part.
    const CDeviationResult gouge = Check("T2\nG0 X25 Z-2\nG1 X20 Z0 F100\nN70 G1 X20 Z40\nG0 X40\n");
    EXPECT_EQ(gouge.strBlock, "N70");
    EXPECT_NEAR(gouge.dLargestMm, kR, 1e-4);
    EXPECT_NEAR(gouge.dAlongXMm, -kR, 1e-4);
    // Without the tool's nose the tip point is measured, as on a program with no tool bound.
    EXPECT_NEAR(CDeviationCheck::Run(CNcReader().Read("T1\nG1 X20 Z0 F100\nG1 X20 Z50\nG1 X10 Z60\n"),
                                     Chamfered(), 0.001)
                    .dLargestMm,
                0.0, 1e-9);
}

TEST(NoseEnvelope, CompensatedPathsMeasureZero) {
    // The tip path keeping the nose on the profile: the flat's centre line, an arc around the
    // corner, the chamfer's centre line, each moved from the nose centre to the tip.
    const double s = kR / std::sqrt(2.0);
    std::string nc = "T1\nG0 X25 Z-2\nG1 X20 Z-0.8 F100\nG1 X20 Z49.2\n";
    nc += Fixed("G2 X%.6f Z%.6f I-0.8 K0\n", 20 + s - kR, 50 + s - kR);
    nc += Fixed("G1 X%.6f Z%.6f\nG0 X40\n", 10 + s - kR, 60 + s - kR);
    const CDeviationResult computed = Check(nc);
    EXPECT_TRUE(computed.bMeasured);
    EXPECT_LT(computed.dLargestMm, 1e-4) << computed.Summary();
    EXPECT_TRUE(computed.uncovered.empty());
    // The control offsets the programmed profile itself between G41.1/G42.1 and G40.
    const CDeviationResult control =
        Check("T1\nG0 X25 Z-2\nG42.1 D1.6 L2\nG1 X20 Z0 F100\nG1 X20 Z50\nG1 X10 Z60\nG40\nG0 X40\n");
    EXPECT_LT(control.dLargestMm, 1e-4) << control.Summary();
}
