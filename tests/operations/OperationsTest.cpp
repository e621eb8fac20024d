// The lathe operations' moves: worked examples, refusals, and the part never cut into.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "operations/DrillOperation.h"
#include "operations/FaceOperation.h"
#include "operations/GrooveOperation.h"
#include "operations/Operation.h"
#include "operations/PartOffOperation.h"
#include "operations/ThreadOperation.h"

namespace {

using Kind = COperationMove::EKind;

COperationValues Values(std::initializer_list<std::pair<const char*, double>> values) {
    COperationValues in;
    for (const auto& [key, value] : values) {
        in.Set(key, value);
    }
    return in;
}

std::vector<COperationMove> OfKind(const COperationResult& r, Kind kind) {
    std::vector<COperationMove> out;
    for (const auto& m : r.moves) {
        if (m.nKind == kind) {
            out.push_back(m);
        }
    }
    return out;
}

}  // namespace

TEST(FaceOperation, PassesStepToTheAllowanceThenFinishAtTheFace) {
    const COperationResult r = CFaceOperation::Run(Values({{"OuterX", 22},
                                                           {"InnerX", 0},
                                                           {"FaceZ", 100},
                                                           {"StockZ", 102.5},
                                                           {"Depth", 1},
                                                           {"Allowance", 0.2},
                                                           {"FinishFeed", 60}}));
    ASSERT_FALSE(r.IsRefused()) << r.strError;
    const auto cuts = OfKind(r, Kind::kFeed);
    // 2.3 mm of roughing in passes of at most 1 mm, then the face.
    ASSERT_EQ(cuts.size(), 4u);
    const double z[] = {101.5, 100.5, 100.2, 100.0};
    for (size_t i = 0; i < cuts.size(); ++i) {
        EXPECT_DOUBLE_EQ(cuts[i].dZ, z[i]);
        EXPECT_DOUBLE_EQ(cuts[i].dX, 0.0);
    }
    EXPECT_EQ(cuts[2].dFeed, 2000000.0);
    EXPECT_EQ(cuts[3].dFeed, 60.0);
    // Every rapid stays on the stock's side of the face.
    for (const auto& m : OfKind(r, Kind::kRapid)) {
        EXPECT_GE(m.dZ, 100.0);
    }
    // Without an allowance the last roughing pass is the finishing one; facing towards smaller Z
    // works the same way round.
    const COperationResult back =
        CFaceOperation::Run(Values({{"OuterX", 22}, {"FaceZ", 0}, {"StockZ", -2}, {"Depth", 1}}));
    const auto backCuts = OfKind(back, Kind::kFeed);
    ASSERT_EQ(backCuts.size(), 2u);
    EXPECT_DOUBLE_EQ(backCuts[0].dZ, -1.0);
    EXPECT_DOUBLE_EQ(backCuts[1].dZ, 0.0);
    EXPECT_TRUE(
        CFaceOperation::Run(Values({{"OuterX", 5}, {"InnerX", 6}, {"FaceZ", 0}, {"Depth", 1}})).IsRefused());
    EXPECT_TRUE(CFaceOperation::Run(Values({{"OuterX", 5}, {"FaceZ", 0}, {"StockZ", 1e6}, {"Depth", 0.01}}))
                    .IsRefused());
}

TEST(GrooveOperation, PlungesPeckAndTheWallsAreFinished) {
    const COperationResult r = CGrooveOperation::Run(Values({{"GrooveZ", 40},
                                                             {"Width", 4},
                                                             {"TopX", 20},
                                                             {"Depth", 2},
                                                             {"ToolWidth", 3},
                                                             {"Peck", 1},
                                                             {"Allowance", 0.1}}));
    ASSERT_FALSE(r.IsRefused()) << r.strError;
    const auto cuts = OfKind(r, Kind::kFeed);
    // Two plunges at 40.1 and 40.9 in two pecks each to 18.1, then both walls down to 18 and the
    // floor to the middle.
    ASSERT_EQ(cuts.size(), 8u);
    EXPECT_DOUBLE_EQ(cuts[0].dZ, 40.1);
    EXPECT_DOUBLE_EQ(cuts[0].dX, 19.0);
    EXPECT_DOUBLE_EQ(cuts[1].dX, 18.1);
    EXPECT_DOUBLE_EQ(cuts[2].dZ, 40.9);
    EXPECT_DOUBLE_EQ(cuts[4].dZ, 40.0);
    EXPECT_DOUBLE_EQ(cuts[4].dX, 18.0);
    EXPECT_DOUBLE_EQ(cuts[5].dZ, 40.5);
    EXPECT_DOUBLE_EQ(cuts[6].dZ, 41.0);
    EXPECT_DOUBLE_EQ(cuts[7].dZ, 40.5);
    EXPECT_TRUE(CGrooveOperation::Run(
                    Values({{"GrooveZ", 0}, {"Width", 2}, {"TopX", 20}, {"Depth", 2}, {"ToolWidth", 3}}))
                    .IsRefused());
}

// Over many random grooves the tool (its reference corner plus its width) never leaves the groove's
// box while it feeds, and reaches its floor and both walls.
TEST(GrooveOperation, FeedMovesStayInsideTheGrooveProperty) {
    std::mt19937 random(28);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 500; ++i) {
        const double tool = 1 + 4 * unit(random);
        const double width = tool * (1 + 5 * unit(random));
        const double top = 5 + 40 * unit(random);
        const double depth = 0.2 + (top - 0.2) * 0.5 * unit(random);
        const double z = -50 + 100 * unit(random);
        const COperationResult r = CGrooveOperation::Run(Values({{"GrooveZ", z},
                                                                 {"Width", width},
                                                                 {"TopX", top},
                                                                 {"Depth", depth},
                                                                 {"ToolWidth", tool},
                                                                 {"Peck", 0.1 + 2 * unit(random)},
                                                                 {"Allowance", 0.1 * unit(random)}}));
        ASSERT_FALSE(r.IsRefused()) << r.strError;
        double lowest = 1e9;
        double leftmost = 1e9;
        double rightmost = -1e9;
        for (const auto& m : OfKind(r, Kind::kFeed)) {
            EXPECT_GE(m.dZ, z - 1e-4);
            EXPECT_LE(m.dZ + tool, z + width + 1e-4);
            EXPECT_GE(m.dX, top - depth - 1e-4);
            lowest = std::min(lowest, m.dX);
            leftmost = std::min(leftmost, m.dZ);
            rightmost = std::max(rightmost, m.dZ + tool);
        }
        EXPECT_NEAR(lowest, top - depth, 1e-4);
        EXPECT_NEAR(leftmost, z, 1e-4);
        EXPECT_NEAR(rightmost, z + width, 1.5e-4);
    }
}

TEST(PartOffOperation, ChamferRunsAtFortyFiveDegreesAndTheAxisIsReachedSlowly) {
    const COperationResult r = CPartOffOperation::Run(Values({{"PartZ", 0},
                                                              {"TopX", 20},
                                                              {"ToX", -0.2},
                                                              {"SlowX", 3},
                                                              {"SlowFeed", 30},
                                                              {"Chamfer", 1},
                                                              {"Clear", 1}}));
    ASSERT_FALSE(r.IsRefused()) << r.strError;
    // Out to the clearance radius first, then along Z.
    ASSERT_TRUE(r.moves[0].bKeepZ);
    const std::vector<COperationMove> m(r.moves.begin() + 1, r.moves.end());
    ASSERT_EQ(m.size(), 8u);
    // The pre-plunge to the chamfer's depth, then the corner down the 45 degree line from above the
    // part (which lies at larger Z) to the chamfer's foot.
    EXPECT_DOUBLE_EQ(m[1].dX, 19.0);
    EXPECT_DOUBLE_EQ(m[3].dZ, 2.0);
    EXPECT_DOUBLE_EQ(m[3].dX, 21.0);
    EXPECT_EQ(m[4].nKind, Kind::kFeed);
    EXPECT_DOUBLE_EQ(m[4].dZ - m[3].dZ, m[4].dX - m[3].dX);
    EXPECT_DOUBLE_EQ(m[5].dX, 3.0);
    EXPECT_EQ(m[5].dFeed, 2000000.0);
    EXPECT_DOUBLE_EQ(m[6].dX, -0.2);
    EXPECT_EQ(m[6].dFeed, 30.0);
    EXPECT_EQ(m[7].nKind, Kind::kRapid);
    EXPECT_TRUE(CPartOffOperation::Run(Values({{"PartZ", 0}, {"TopX", 20}, {"Chamfer", 20}})).IsRefused());
    EXPECT_TRUE(CPartOffOperation::Run(Values({{"PartZ", 0}, {"TopX", 20}, {"SlowX", 3}})).IsRefused());
}

TEST(DrillOperation, PecksLeaveTheHoleOrBreakTheChip) {
    const COperationResult full =
        CDrillOperation::Run(Values({{"StartZ", 102}, {"HoleZ", 90}, {"Peck", 5}, {"Dwell", 0.5}}));
    ASSERT_FALSE(full.IsRefused()) << full.strError;
    const auto cuts = OfKind(full, Kind::kFeed);
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_DOUBLE_EQ(cuts[0].dZ, 97.0);
    EXPECT_DOUBLE_EQ(cuts[1].dZ, 92.0);
    EXPECT_DOUBLE_EQ(cuts[2].dZ, 90.0);
    // Out of the hole to the start, back in at rapid to half a millimetre short of the last depth.
    // Along Z in front of the hole first, then onto the axis.
    EXPECT_TRUE(full.moves[0].bKeepX);
    EXPECT_DOUBLE_EQ(full.moves[3].dZ, 102.0);
    EXPECT_DOUBLE_EQ(full.moves[4].dZ, 97.5);
    ASSERT_EQ(OfKind(full, Kind::kDwell).size(), 1u);
    EXPECT_EQ(full.moves.back().dZ, 102.0);
    for (const auto& m : full.moves) {
        EXPECT_EQ(m.dX, 0.0);
    }
    const COperationResult chip =
        CDrillOperation::Run(Values({{"StartZ", 102}, {"HoleZ", 90}, {"Peck", 5}, {"ChipBreak", 0.3}}));
    EXPECT_DOUBLE_EQ(chip.moves[3].dZ, 97.3);
    EXPECT_EQ(OfKind(chip, Kind::kFeed).size(), 3u);
    EXPECT_TRUE(CDrillOperation::Run(Values({{"StartZ", 1}, {"HoleZ", 1}})).IsRefused());
    EXPECT_TRUE(CDrillOperation::Run(Values({{"StartZ", 0}, {"HoleZ", 1e6}, {"Peck", 0.01}})).IsRefused());
}

TEST(ThreadOperation, PitchDepthAndTheZFeedLimit) {
    const COperationResult r = CThreadOperation::RunCycle(Values({{"FromZ", 102},
                                                                  {"ToZ", 80},
                                                                  {"MajorX", 10},
                                                                  {"Pitch", 1.5},
                                                                  {"FirstCut", 0.3},
                                                                  {"MinCut", 0.05},
                                                                  {"Spring", 1},
                                                                  {"ToolAngle", 60},
                                                                  {"Speed", 800},
                                                                  {"MaxFeedZ", 5000}}));
    ASSERT_FALSE(r.IsRefused()) << r.strError;
    EXPECT_DOUBLE_EQ(r.values.at("Depth"), 0.9201);
    EXPECT_DOUBLE_EQ(r.values.at("RootX"), 9.0799);
    EXPECT_DOUBLE_EQ(r.values.at("DriveX"), 11.0);
    EXPECT_DOUBLE_EQ(r.values.at("PeakOffset"), -1.0);
    EXPECT_DOUBLE_EQ(r.values.at("DepthMicrons"), 920.0);
    EXPECT_DOUBLE_EQ(r.values.at("CycleP"), 10060.0);
    ASSERT_EQ(r.moves.size(), 2u);
    EXPECT_TRUE(r.moves[0].bKeepZ);
    EXPECT_DOUBLE_EQ(r.moves[1].dZ, 102.0);
    EXPECT_DOUBLE_EQ(r.moves[1].dX, 11.0);
    // 13 threads per inch.
    const COperationResult inch = CThreadOperation::RunCycle(Values(
        {{"FromZ", 2}, {"ToZ", -20}, {"MajorX", 6.35}, {"Pitch", 13}, {"PitchInch", 1}, {"Speed", 500}}));
    EXPECT_NEAR(inch.values.at("Pitch"), 1.953846, 1e-6);
    // 2 mm x 2600 1/min = 5200 mm/min along Z: above a limit of 5000.
    const COperationResult fast = CThreadOperation::RunCycle(Values(
        {{"FromZ", 2}, {"ToZ", -20}, {"MajorX", 10}, {"Pitch", 2}, {"Speed", 2600}, {"MaxFeedZ", 5000}}));
    ASSERT_TRUE(fast.IsRefused());
    EXPECT_NE(fast.strError.find("5200 mm/min"), std::string::npos) << fast.strError;
    EXPECT_TRUE(CThreadOperation::RunCycle(Values({{"FromZ", 2}, {"ToZ", -20}, {"MajorX", 10}, {"Pitch", 2}}))
                    .IsRefused());
    // The controller's cycle refuses a first cut as deep as the thread (J not less than K).
    EXPECT_TRUE(CThreadOperation::RunCycle(Values({{"FromZ", 2},
                                                   {"ToZ", -20},
                                                   {"MajorX", 10},
                                                   {"Pitch", 1.5},
                                                   {"Depth", 0.2},
                                                   {"FirstCut", 0.3},
                                                   {"Speed", 500}}))
                    .IsRefused());
}

TEST(ThreadOperation, PassesDeepenToTheRootAlongTheInfeedAngle) {
    const COperationResult r = CThreadOperation::RunPasses(Values({{"FromZ", 2},
                                                                   {"ToZ", -20},
                                                                   {"MajorX", 10},
                                                                   {"Pitch", 1.5},
                                                                   {"FirstCut", 0.3},
                                                                   {"Degression", 2},
                                                                   {"MinCut", 0.05},
                                                                   {"Spring", 2},
                                                                   {"Infeed", 30},
                                                                   {"Speed", 500}}));
    ASSERT_FALSE(r.IsRefused()) << r.strError;
    const auto threads = OfKind(r, Kind::kThread);
    ASSERT_EQ(static_cast<double>(threads.size()), r.values.at("Passes"));
    // 0.3 x sqrt(k) reaches 0.9201 at the tenth pass; two spring passes follow.
    ASSERT_EQ(threads.size(), 12u);
    double previous = 10.0;
    for (size_t i = 0; i < threads.size(); ++i) {
        EXPECT_LE(threads[i].dX, previous);
        previous = threads[i].dX;
        const double depth = 10.0 - threads[i].dX;
        // Running towards smaller Z, each pass moves forward by its depth along the infeed angle;
        // the deepest ends at the thread's end.
        EXPECT_NEAR(threads[i].dZ, -20 + (0.9201 - depth) * std::tan(M_PI / 6), 2e-4);
    }
    EXPECT_DOUBLE_EQ(threads.back().dX, 9.0799);
    EXPECT_DOUBLE_EQ(threads[9].dX, 9.0799);
    EXPECT_DOUBLE_EQ(threads[0].dX, 9.7);
}

TEST(Operation, TheTableNamesEveryOperation) {
    for (const char* name : {"FACE", "GROOVE", "PARTOFF", "DRILL", "THREADCYCLE", "THREADPASSES"}) {
        const COperation* op = COperation::Find(name);
        ASSERT_NE(op, nullptr) << name;
        EXPECT_FALSE(op->keys.empty());
    }
    EXPECT_EQ(COperation::Find("face"), nullptr);
}
