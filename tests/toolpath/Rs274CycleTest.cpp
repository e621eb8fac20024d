// Lathe cycles read back against LinuxCNC's rs274: every move equal within 0.001 mm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>

#include "Rs274.h"
#include "toolpath/NcReader.h"

namespace {

constexpr double kToleranceMm = 0.001;

class Rs274Cycles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!rs274::Installed()) {
            GTEST_SKIP() << rs274::SkipMessage();
        }
    }

    static void ExpectSameMoves(const std::string& text) {
        const rs274::CRun run = rs274::Run(text);
        // rs274 writes four decimals: in inches its last digit is 0.00254 mm.
        const double tolerance = text.find("G20") != std::string::npos ? 0.0013 : kToleranceMm;
        ASSERT_EQ(run.nExit, 0) << run.strLog << "\n" << text;
        const CToolpath path = CNcReader().Read(text);
        ASSERT_TRUE(path.errors.empty()) << path.errors[0].strText << "\n" << text;
        ASSERT_EQ(path.moves.size(), run.moves.size()) << text;
        for (size_t i = 0; i < run.moves.size(); ++i) {
            const rs274::CMove& want = run.moves[i];
            const CToolMove& got = path.moves[i];
            SCOPED_TRACE("move " + std::to_string(i) + " on line " + std::to_string(got.nLine) + "\n" + text);
            ASSERT_EQ(got.bRapid, want.bRapid);
            ASSERT_EQ(got.segment.IsArc(), want.bArc);
            ASSERT_NEAR(got.segment.ptEnd.dZ / 10000, want.dZ, tolerance);
            ASSERT_NEAR(got.segment.ptEnd.dX / 10000, want.dX, tolerance);
            if (want.bArc) {
                EXPECT_EQ(got.segment.nDirection, want.nRotation);
                EXPECT_NEAR(got.segment.ptCentre.dZ / 10000, want.dCentreZ, tolerance);
                EXPECT_NEAR(got.segment.ptCentre.dX / 10000, want.dCentreX, tolerance);
            }
        }
    }

    // The controller refuses the program and the reader notes an error on that line.
    static void ExpectBothRefuse(const std::string& text, int line) {
        EXPECT_NE(rs274::Run(text).nExit, 0) << text;
        const CToolpath path = CNcReader().Read(text);
        EXPECT_TRUE(std::any_of(path.errors.begin(), path.errors.end(),
                                [&](const CNcNote& n) { return n.nLine == line; }))
            << text;
    }
};

const char* const kStepped =
    "o100 sub\nG1 X5 Z0\nG1 X5 Z-10\nG1 X10 Z-10\nG1 X10 Z-20\nG1 X15 Z-20\no100 endsub\n";
const char* const kTaper = "o100 sub\nG1 X5 Z0\nG1 X10 Z-10\nZ-15\no100 endsub\n";
const char* const kArc = "o100 sub\nG0 X0 Z1\nG1 Z0\nG3 X8 Z-8 K-8\nG1 Z-14\nG2 X12 Z-18 R4\nG1 X16\no100 endsub\n";
// A groove between two shoulders: type II cuts it, type I leaves it.
const char* const kPocket =
    "o100 sub\nG1 X6 Z0\nG1 Z-8\nG1 X3 Z-11\nG1 Z-14\nG1 X8 Z-17\nG1 Z-25\nG1 X15\no100 endsub\n";

}  // namespace

TEST_F(Rs274Cycles, RoughingAlongZAndFinishing) {
    for (const char* profile : {kStepped, kTaper, kArc}) {
        const std::string head = std::string("G18 G21 G90 G8\n") + profile + "G0 X20 Z2\n";
        ExpectSameMoves(head + "G71 Q100 D1 F100\nG0 X20 Z2\nG70 Q100 F100\nM2\n");
        ExpectSameMoves(head + "G71 Q100 X18 Z3 D0.5 I1.7 R0.3 F100\nX30\nG70 Q100 X18 Z3 D1 E0.2 P3\nM2\n");
        ExpectSameMoves(head + "G71.1 Q100 I2.5 R1 F80\nG71.2 Q100 I2.5 F80\nM2\n");
    }
}

TEST_F(Rs274Cycles, NumberedBlocksDefineTheSubroutineToo) {
    // Posts number every block, the subroutine's O lines included.
    ExpectSameMoves(
        "N10 G18 G21 G90 G8\nN20 o100 sub\nN30 G1 X5 Z0\nN40 G1 X5 Z-10\nN50 G1 X10 Z-10\nN60 G1 X15 Z-20\n"
        "N70 o100 endsub\nN80 G0 X20 Z2\nN90 G71 Q100 D0.5 I1 F100\nN100 G70 Q100\nN110 M2\n");
    const CToolpath path = CNcReader().Read("N10 G18 G21 G90 G8\nN20 o100 sub\nN30 G1 X5 Z0\nN40 o100 endsub\n");
    EXPECT_TRUE(path.errors.empty()) << path.errors[0].strText;
}

TEST_F(Rs274Cycles, RoughingAlongXInDiameterModeAndInches) {
    const std::string face = "o100 sub\nG1 X0 Z-6\nG1 X10 Z-6\nG1 X10 Z-3\nG1 X16 Z0\no100 endsub\n";
    ExpectSameMoves("G18 G21 G90 G8\n" + face + "G0 X20 Z2\nG72 Q100 D0.5 I1 F100\nG70 Q100\nM2\n");
    ExpectSameMoves("G18 G21 G90 G7\n" + std::string(kStepped) + "G0 X40 Z2\nG71 Q100 I0.8 F100\nM2\n");
    ExpectSameMoves("G18 G20 G90 G8\n" + std::string(kTaper) + "G0 X20 Z2\nG71 Q100 D0.02 I0.7 R0.05 F4\nM2\n");
    ExpectSameMoves("G18 G21 G90 G8\n" + std::string(kArc) + "G0 X20 Z2\nG72 Q100 I1.3 F100\nM2\n");
}

TEST_F(Rs274Cycles, PocketsAreCutByTypeTwoOnly) {
    const std::string head = std::string("G18 G21 G90 G8\n") + kPocket + "G0 X20 Z2\n";
    ExpectSameMoves(head + "G71 Q100 D0.3 I1 F100\nM2\n");
    ExpectSameMoves(head + "G71.1 Q100 D0.3 I1 F100\nM2\n");
    ExpectSameMoves(head + "G71.2 Q100 D0.3 I1 F100\nG70 Q100 D0.3 P2\nM2\n");
}

TEST_F(Rs274Cycles, CyclesTheControllerRefuses) {
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X20 Z2\nG71 D1\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X20 Z2\nG71 Q100\nM2\n", 3);
    for (const char* cycle : {"G17 G71 Q100", "G71 Q100 I0", "G90 G72 Q100 F0"}) {
        ExpectBothRefuse(std::string("G18 G21 G90 G8 F100\n") + kStepped + "G0 X20 Z2\n" + cycle + "\nM2\n", 10);
    }
    // Roughing cycles that run a subroutine, and drilling cycles, need the cutter uncompensated.
    for (const char* cycle : {"G71 Q100 D1", "G72 Q100", "G71.1 Q100 I1"}) {
        ExpectBothRefuse(std::string("G18 G21 G90 G8 F100\n") + kStepped + "G0 X20 Z2\nG42.1 D1 L2\nG0 X20 Z3\n" +
                             cycle + "\nG40\nM2\n",
                         12);
    }
    ExpectBothRefuse("G17 G21 G90 G8 F100\nG0 X0 Z5\nG41.1 D1\nG0 X1\nG81 X1 Z-10 R2\nM2\n", 5);
    // A profile that rises and falls again along Z cannot be roughed.
    ExpectBothRefuse("G18 G21 G90 G8 F100\no100 sub\nG1 X5 Z0\nG1 X10 Z-5\nG1 X10 Z0\no100 endsub\n"
                     "G0 X20 Z2\nG71 Q100\nM2\n",
                     8);
}

TEST_F(Rs274Cycles, DrillingInTheXyPlaneOnly) {
    // Plain, with a dwell and pecking; back to R (G99) or to the level before (G98); a repeat at a
    // new position; R above the tool.
    ExpectSameMoves("G17 G21 G90 G8 F100\nG0 X0 Z5\nG81 X0 Z-10 R2\nG0 Z20\nG83 X0 Z-10 R2 Q3\n"
                    "G82 X0 Z-5 R1 P0.5\nG80\nG98 G81 X1 Z-3 R2\nX2\nG99 G83 X0 Z-7.3 R4 Q2.2\nG80\nG0 X5\nM2\n");
    ExpectSameMoves("G17 G21 G90 G8 F100\nG0 X0 Z5\nG99 G81 X1 Z-3 R2\nX2\nX3 R3\nG98 G81 X1 Z-3 R2\nX2\nX3 R6\nM2\n");
    ExpectSameMoves("G17 G20 G90 G7 F4\nG0 X0 Z1\nG83 X0 Z-0.5 R0.1 Q0.13\nG98 G81 X0.2 Z-0.3 R0.05\nM2\n");
    // G80 beside a move only cancels the cycle; alone with axis words it is refused.
    ExpectSameMoves("G17 G21 G90 G8 F100\nG0 X0 Z5\nG81 X0 Z-10 R2\nG80 G0 X3\nG1 G80 Z2\nM2\n");
    ExpectSameMoves("G18 G21 G90 G8 F100\nG0 X10 Z0\nG80 G2 X10 Z-10 R5\nM2\n");
    ExpectBothRefuse("G17 G21 G90 G8 F100\nG0 X0 Z5\nG80 X3\nM2\n", 3);
    // In the XZ plane LinuxCNC refuses them; a cycle without R, Z or Q is refused too.
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X0 Z5\nG81 X0 Z-10 R2\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X0 Z5\nG83 X0 Z-10 R2 Q2\nM2\n", 3);
    ExpectBothRefuse("G17 G21 G90 G8 F100\nG0 X0 Z5\nG81 X0 Z-10 R2\nG80\nG81 X1 Z-3\nM2\n", 5);
    ExpectBothRefuse("G17 G21 G90 G8 F100\nG0 X0 Z5\nG83 X0 Z-10 R2\nM2\n", 3);
    ExpectBothRefuse("G17 G21 G90 G8 F100\nG0 X0 Z5\nG81 X0 Z-1 R-2\nM2\n", 3);
}

TEST_F(Rs274Cycles, FilletedStepsInBothDirections) {
    // Lines, fillets (G2 by their centres) and tapers, roughed towards -Z and, mirrored, towards +Z.
    for (const double side : {1.0, -1.0}) {
        std::string text = "G18 G21 G90 G8\no100 sub\nG1 X5 Z0\n";
        char block[128];
        double x = 5;
        double z = 0;
        for (int i = 0; i < 6; ++i) {
            std::snprintf(block, sizeof block, "G1 Z%.3f\nG%d X%.3f Z%.3f I1 K0\nG1 Z%.3f\nG1 X%.3f Z%.3f\n",
                          side * (z - 1), side > 0 ? 2 : 3, x + 1, side * (z - 2), side * (z - 3), x + 1.2,
                          side * (z - 4));
            text += block;
            x += 1.2;
            z -= 4;
        }
        text += "o100 endsub\nG0 X15 Z" + std::string(side > 0 ? "2" : "-2") +
                "\nG71 Q100 D0.3 I0.7 R0.4 F100\nG70 Q100 D0.3 E0.1 P2\nM2\n";
        ExpectSameMoves(text);
    }
}

// Random profiles of lines, tapers, shoulders, fillets and grooves, roughed and finished with
// random depths, distances and retracts: where rs274 runs the program the moves are equal,
// where it refuses it the reader notes an error.
TEST_F(Rs274Cycles, RandomProfilesAsTheControllerRunsThem) {
    std::mt19937 random(5);
    const auto pick = [&](double low, double high) {
        return std::round(std::uniform_real_distribution<double>(low, high)(random) * 1000) / 1000;
    };
    int compared = 0;
    for (int round = 0; round < 40; ++round) {
        std::string text = "G18 G21 G90 G8\no100 sub\nG1 X3 Z0\n";
        char block[128];
        double x = 3;
        double z = 0;
        double top = x;
        const int elements = 3 + static_cast<int>(random() % 6);
        for (int i = 0; i < elements; ++i) {
            const double dz = pick(0.5, 4);
            const double dx = pick(0.2, 3);
            switch (random() % 5) {
                case 0: std::snprintf(block, sizeof block, "G1 Z%.3f\n", z -= dz); break;
                case 1: std::snprintf(block, sizeof block, "G1 X%.3f Z%.3f\n", x += dx, z -= dz); break;
                case 2: std::snprintf(block, sizeof block, "G1 X%.3f\n", x += dx); break;
                case 3:
                    std::snprintf(block, sizeof block, "G2 X%.3f Z%.3f I%.3f K0\n", x + dx, z - dx, dx);
                    x += dx;
                    z -= dx;
                    break;
                default:  // a groove, for the cycles that cut pockets
                    std::snprintf(block, sizeof block, "G1 X%.3f Z%.3f\nG1 X%.3f Z%.3f\n", std::max(0.5, x - dx),
                                  z - dz, x, z - 2 * dz);
                    z -= 2 * dz;
                    break;
            }
            top = std::max(top, x);
            text += block;
        }
        static const char* const kCycles[] = {"G71", "G72", "G70"};
        const std::string cycle = kCycles[random() % 3];
        std::snprintf(block, sizeof block, "o100 endsub\nG0 X%.3f Z2\n%s Q100 D%.3f I%.3f R%.3f F100\nM2\n", top + 2,
                      cycle.c_str(), pick(0, 1), pick(0.3, 2), pick(0.1, 1));
        text += block;
        SCOPED_TRACE(text);
        if (rs274::Run(text).nExit != 0) {
            EXPECT_FALSE(CNcReader().Read(text).errors.empty());
            continue;
        }
        ++compared;
        ExpectSameMoves(text);
    }
    EXPECT_GE(compared, 10);
}

// The sample posts' roughing cycle from the free end: the profile walked right to left, the cycle
// starting beyond the profile's right end (in radius and in diameter mode).
TEST_F(Rs274Cycles, SamplePostsCycleFromTheFreeEnd) {
    for (const char* name : {"LinuxCncLatheBack.ngc", "LinuxCncDiameterBack.ngc"}) {
        std::ifstream in(std::string(KESTROVEL_SOURCE_DIR "/tests/data/rough/") + name);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_NE(text.find("G71 Q1000"), std::string::npos) << name;
        ExpectSameMoves(text);
    }
}
