// The "Rough cycle" command of the sample posts: the controller's cycle with its profile, checked
// by LinuxCNC's interpreter, and the written-out passes where a type-I cycle can't cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"
#include "Rs274Moves.h"

namespace fs = std::filesystem;

namespace {

// X 15 to Z 20, a step up to 20, a groove (a lower arc of radius 12.5 centred at Z 50, X 27.5,
// down to X 15), a taper to 25 at Z 80, then 25 to Z 100. Without the groove the X only rises.
// Mirrored about Z 50 it rises from right to left, as a shaft does from its free end.
std::unique_ptr<CLayer> ShaftLayer(bool groove, bool mirrored = false) {
    auto layer = std::make_unique<CLayer>();
    const auto line = [&](int32_t z0, int32_t x0, int32_t z1, int32_t x1) {
        if (mirrored) {
            layer->AddPiece(std::make_unique<CLinear>(1000000 - z1, x1, 1000000 - z0, x0), 0);
        } else {
            layer->AddPiece(std::make_unique<CLinear>(z0, x0, z1, x1), 0);
        }
    };
    layer->CreateBorders(0, 150000, 1000000);
    layer->AddLine(0, 150000, 1000000, 150000);
    line(200000, 200000, 400000, 200000);
    if (groove) {
        // Symmetric about Z 50: the same arc either way.
        layer->AddPiece(
            std::make_unique<CArc>(CPoint(400000, 200000), CPoint(600000, 200000), CPoint(500000, 150000)),
            0);
    } else {
        line(400000, 200000, 600000, 200000);
    }
    line(600000, 200000, 800000, 250000);
    line(800000, 250000, 1000000, 250000);
    return layer;
}

// The distance of a point (Z, X in mm) from the shaft's profile, negative inside the material.
double Clearance(double z, double x, bool groove) {
    struct CLine {
        double z0, x0, z1, x1;
    };
    const CLine lines[] = {{0, 15, 20, 15}, {20, 15, 20, 20}, {20, 20, 40, 20}, {40, 20, 60, 20},
                           {60, 20, 80, 25}, {80, 25, 100, 25}};
    double best = 1e9;
    for (const CLine& l : lines) {
        if (groove && l.z0 == 40) {
            const double r = std::hypot(z - 50, x - 27.5);
            const bool within = x < 20 && z > 40 && z < 60;
            best = std::min(best, within ? std::fabs(r - 12.5) : std::hypot(z - 40, x - 20));
            best = std::min(best, std::hypot(z - 60, x - 20));
            continue;
        }
        const double dz = l.z1 - l.z0, dx = l.x1 - l.x0;
        const double t = std::clamp(((z - l.z0) * dz + (x - l.x0) * dx) / (dz * dz + dx * dx), 0.0, 1.0);
        best = std::min(best, std::hypot(z - l.z0 - t * dz, x - l.x0 - t * dx));
    }
    double floorX = z < 20 ? 15 : z < 60 ? 20 : z < 80 ? 20 + (z - 60) / 4 : 25;
    if (groove && z > 40 && z < 60) {
        floorX = 27.5 - std::sqrt(12.5 * 12.5 - (z - 50) * (z - 50));
    }
    return z >= 0 && z <= 100 && x < floorX ? -best : best;
}

struct CCompiled {
    std::string strCode;
    std::vector<CRecordingMessages::Box> boxes;
    std::vector<std::string> traces;
};

CCompiled CompileRoughCycle(const std::string& post, bool groove, const std::vector<std::string>& texts,
                            const std::string& command = "Rough cycle") {
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor(post, bar);
    posttest::CTestContext context;
    const auto& names = bar.GetEntries(IDC_PROG_TEMPLATES);
    const auto it = std::find(names.begin(), names.end(), command);
    EXPECT_NE(it, names.end()) << post;
    if (it != names.end()) {
        program->StartCommand(form, static_cast<int>(it - names.begin()));
        const auto& params = program->GetCurrent()->GetParameters();
        for (size_t i = 0; i < texts.size() && i < params.size(); ++i) {
            params[i]->GetEdit()->SetText(texts[i]);
        }
        EXPECT_EQ(program->AddCommand(&context.m_messages), 1);
    }
    context.m_layers.push_back(ShaftLayer(groove, command != "Rough cycle"));
    EXPECT_EQ(program->Generate(context), 1);
    return {program->GetCode(), context.m_messages.GetBoxes(), context.m_messages.GetTraces()};
}

std::string Golden(const std::string& name) {
    std::ifstream in(KESTROVEL_SOURCE_DIR "/tests/data/rough/" + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// layer, approach X, clearance, depth, allowance, retract, retract X, feed
const std::vector<std::string> kLinuxCnc = {"1", "30", "2", "2", "0.5", "0.5", "35", "100"};

// layer, approach X, clearance, depth, retract, X allowance (diameter), Z allowance, feed, retract X
const std::vector<std::string> kFanuc = {"1", "30", "2", "2", "0.5", "0.4", "0.1", "0.2", "35"};

// The whole program runs in LinuxCNC without an error; its roughing moves (the program without
// its finishing G70) stay within the stock and the approach point, leave the allowance, and
// reach into the groove. A mirrored shaft is roughed from Z 102 leftwards.
void ExpectRoughingLeavesTheAllowance(const std::string& code, bool mirrored = false) {
    if (!fs::exists(rs274::kPath)) {
        GTEST_SKIP() << "rs274 (linuxcnc-uspace) is not installed";
    }
    const fs::path dir = fs::temp_directory_path() / ("kestrovel_rough_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string table = (dir / "tool.tbl").string(), ngc = (dir / "in.ngc").string();
    const std::string canon = (dir / "canon.txt").string();
    std::ofstream(table) << "T1 P1 X0 Z0 D0.4 Q3 ;rough\n";
    std::ofstream(ngc) << code;
    std::string log;
    EXPECT_EQ(rs274::Run(table, ngc, canon, log), 0) << log;
    const std::string roughOnly = std::regex_replace(code, std::regex("N[0-9]+ G70[^\n]*\n"), "");
    EXPECT_NE(roughOnly, code);
    std::ofstream(ngc) << roughOnly;
    const int rc = rs274::Run(table, ngc, canon, log);
    const std::vector<rs274::CMove> moves = rs274::FeedMoves(canon);
    fs::remove_all(dir);
    ASSERT_EQ(rc, 0) << log;
    ASSERT_GT(moves.size(), 20u);
    bool groove = false;
    for (const rs274::CMove& m : moves) {
        const double z = mirrored ? 100.0 - m.dZ : m.dZ;
        EXPECT_LE(m.dX, 30.0 + 1e-6);
        EXPECT_GE(z, -2.0 - 1e-6);
        EXPECT_GE(Clearance(z, m.dX, true), 0.5 - 0.002) << "Z " << m.dZ << " X " << m.dX;
        groove = groove || (m.dZ > 45 && m.dZ < 55 && m.dX < 19);
    }
    EXPECT_TRUE(groove);
}

}  // namespace

TEST(RoughCycle, LinuxCncWritesTheProfileAsSubroutineBeforeTheCycle) {
    const CCompiled c = CompileRoughCycle("LinuxCNC lathe", true, kLinuxCnc);
    EXPECT_TRUE(c.boxes.empty());
    EXPECT_EQ(c.strCode, Golden("LinuxCncLathe.ngc"));
    ExpectRoughingLeavesTheAllowance(c.strCode);
}

TEST(RoughCycle, LinuxCncDiameterPostWritesDiametersAndTheSameMoves) {
    const CCompiled c = CompileRoughCycle("LinuxCNC lathe (diameter)", true, kLinuxCnc);
    EXPECT_TRUE(c.boxes.empty());
    EXPECT_EQ(c.strCode, Golden("LinuxCncDiameter.ngc"));
    ExpectRoughingLeavesTheAllowance(c.strCode);
}

// P and Q name the block numbers the numbering gives the profile's first and last lines.
TEST(RoughCycle, FanucNumbersTheProfileBlocksThatPAndQName) {
    const CCompiled c = CompileRoughCycle("Fanuc-style lathe", false, kFanuc);
    EXPECT_TRUE(c.boxes.empty());
    EXPECT_EQ(c.strCode, Golden("FanucLathe.nc"));
    std::smatch m;
    ASSERT_TRUE(
        std::regex_search(c.strCode, m, std::regex("G71 P([0-9]+) Q([0-9]+) U0.400 W-0.100 F0.200\n")));
    const std::string p = m[1], q = m[2];
    EXPECT_NE(c.strCode.find("\nN" + p + " G01 X30.000\n"), std::string::npos) << c.strCode;
    EXPECT_NE(c.strCode.find("\nN" + q + " G01 X60.000 Z100.000\n"), std::string::npos) << c.strCode;
    EXPECT_NE(c.strCode.find("G70 P" + p + " Q" + q + "\n"), std::string::npos);
}

// A groove is no profile for a type-I cycle: a comment says where the profile falls, and the
// passes are written out instead, none of them into the allowance, then the profile is finished.
void ExpectPassesWrittenOut(const std::string& command, const char* fallZ) {
    const bool mirrored = command != "Rough cycle";
    const CCompiled c = CompileRoughCycle("Fanuc-style lathe", true, kFanuc, command);
    EXPECT_TRUE(c.boxes.empty());
    EXPECT_EQ(c.strCode.find("G71"), std::string::npos);
    EXPECT_EQ(c.strCode.find("G70"), std::string::npos);
    ASSERT_EQ(c.traces.size(), 1u);
    std::smatch m;
    const std::regex comment(std::string("N[0-9]+ \\(([^()]*) falls from Z ") + fallZ + " on;[^()]*\\)\n");
    ASSERT_TRUE(std::regex_search(c.strCode, m, comment)) << c.strCode;
    EXPECT_NE(std::string(m[1]).find("Arc"), std::string::npos) << m[1];
    // Every move of the passes (before the finishing of the profile) keeps the allowance.
    const std::regex move("N[0-9]+ G0([01]) (?:X(-?[0-9.]+))? ?(?:Z(-?[0-9.]+))?\n");
    double z = mirrored ? 102 : -2, x = 30;
    int feeds = 0, inGroove = 0;
    const std::string passes = c.strCode.substr(0, c.strCode.find("G01 X30.000\n"));
    for (auto it = std::sregex_iterator(passes.begin(), passes.end(), move); it != std::sregex_iterator(); ++it) {
        const std::smatch& mv = *it;
        x = mv[2].matched ? std::stod(mv[2]) / 2 : x;
        z = mv[3].matched ? std::stod(mv[3]) : z;
        const double along = mirrored ? 100 - z : z;
        EXPECT_LE(x, 30.0 + 1e-9);
        EXPECT_GE(along, -2.0 - 1e-9);
        EXPECT_GE(Clearance(along, x, true), 0.1 - 0.002) << mv[0];
        if (mv[1] == "1") {
            ++feeds;
            inGroove += z > 42 && z < 58 && x < 19.5 ? 1 : 0;
        }
    }
    EXPECT_GT(feeds, 10);
    EXPECT_GT(inGroove, 0);
}

TEST(RoughCycle, FanucWritesThePassesOutWhereTheProfileFalls) {
    ExpectPassesWrittenOut("Rough cycle", "40.000");
    ExpectPassesWrittenOut("Rough cycle, right to left", "60.000");
}

// From the free end: the profile walked from its right border leftwards, the cycle starting the
// clearance beyond Z 100, upper and lower arcs the other way round.
TEST(RoughCycle, RightToLeftStartsBeyondTheFreeEnd) {
    const std::string back = "Rough cycle, right to left";
    const CCompiled lathe = CompileRoughCycle("LinuxCNC lathe", true, kLinuxCnc, back);
    EXPECT_TRUE(lathe.boxes.empty());
    EXPECT_EQ(lathe.strCode, Golden("LinuxCncLatheBack.ngc"));
    ExpectRoughingLeavesTheAllowance(lathe.strCode, true);
    const CCompiled diameter = CompileRoughCycle("LinuxCNC lathe (diameter)", true, kLinuxCnc, back);
    EXPECT_EQ(diameter.strCode, Golden("LinuxCncDiameterBack.ngc"));
    ExpectRoughingLeavesTheAllowance(diameter.strCode, true);
    const CCompiled fanuc = CompileRoughCycle("Fanuc-style lathe", false, kFanuc, back);
    EXPECT_TRUE(fanuc.boxes.empty());
    EXPECT_EQ(fanuc.strCode, Golden("FanucLatheBack.nc"));
}

// A cycle is refused, with a message saying why, where it would cut wrongly: an approach below the
// profile's top, block numbers named with numbering off, and incremental positions.
TEST(RoughCycle, RefusesWhatItCanNotWriteRight) {
    const std::string items = "BeginItem\nName:   Cycle\nMacro:Cyc\nHelp:\nh\nEndHelp\n\"L\"@<layer>(YN)?1\n"
                              "\"X\"@<AppX>(YY)?30\n\"C\"@<Clear>(YY)?2\nEnd\nEndDefItems\n";
    const std::string macros = "RUN\nCyc\nRIGHT CYCLE1\nG71 X<FirstBlock> Z<LastBlock>\n<line>\nG1 X<EndX> Z<EndZ>\n"
                               "<Cw>\nG3 X<EndX>\n<Ccw>\nG2 X<EndX>\nG70\n<Rapid>\nG0 X<EndX> Z<EndZ>\nEnd\n";
    const std::string head = posttest::PostHead();
    const struct {
        std::string from, to, why;
    } cases[] = {{"?30", "?22", "above X 25.000"},
                 {"Number\nY", "Number\nN", "block numbering"},
                 {"Incremental?\nN", "Incremental?\nY", "absolute positions"}};
    for (const auto& c : cases) {
        posttest::CTestContext context;
        std::string changedHead = head, changedItems = items;
        std::string& changed = c.from == "?30" ? changedItems : changedHead;
        changed.replace(changed.find(c.from), c.from.size(), c.to);
        auto pp = posttest::MakePost(changedItems, macros, &context.m_messages, changedHead);
        context.m_layers.push_back(ShaftLayer(false));
        auto command = pp->CreateCommand(0);
        ASSERT_NE(command, nullptr);
        pp->ResetSequence();
        EXPECT_EQ(pp->FindMacro("Cyc")->Generate(command.get(), context), "");
        ASSERT_EQ(context.m_messages.GetBoxes().size(), 1u) << c.why;
        EXPECT_NE(context.m_messages.GetBoxes()[0].strText.find(c.why), std::string::npos)
            << context.m_messages.GetBoxes()[0].strText;
    }
}
