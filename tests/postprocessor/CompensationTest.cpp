// RUN passes for a tool with a nose: the bound tool's values, the computed tip path, the direction
// line's words and the refusals.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "postprocessor/MacroRun.h"
#include "tools/InsertClearance.h"
#include "postprocessor/Program.h"
#include "PostTestUtil.h"

using posttest::CTestContext;
using posttest::MakePost;

namespace {

const char* kHead =
    "BeginVar\nX>4.3\nZ>4.3\nD>2.4*2\nL>1.0\nEnd\nNumber\nN\nLetter\nN\nSequence_N\n10\n10\nFirst#?\nY\nLast#?\nY\n"
    "Incremental?\nN\nCtrIncremental?\nN\nDefOCI\nBeginObj\n1\nEndObj\n1\nDivideObj\n10:2\nEnd\n";

std::string RunMacro(const char* direction, const char* header = "") {
    return std::string("RUN\nPass\n") + direction + "\n" + header +
           "<line>\nG1 X<EndX> Z<EndZ>\n<Cw>\nG3 X<EndX> Z<EndZ>\n<Ccw>\nG2 X<EndX> Z<EndZ>\nEnd\n";
}

// 40 mm at radius 10 mm with a 45 degree groove 5 mm deep and 10 mm wide at its bottom.
std::unique_ptr<CLayer> ChamferLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 100000, 400000);
    layer->AddLine(0, 100000, 400000, 100000);
    layer->AddPiece(std::make_unique<CLinear>(100000, 100000, 150000, 50000), 0);
    layer->AddPiece(std::make_unique<CLinear>(150000, 50000, 250000, 50000), 0);
    layer->AddPiece(std::make_unique<CLinear>(250000, 50000, 300000, 100000), 0);
    return layer;
}

class Compensation : public ::testing::Test {
protected:
    // Generates the first macro of the post for a command on layer 1, with tool 1 bound when
    // radius is not negative.
    std::string Run(const std::string& macros, double radius, double appX = 1000000.0, double appZ = 1000000.0) {
        m_pp = MakePost("", macros, &m_context.m_messages, kHead);
        if (radius >= 0.0) {
            CToolLibrary tools;
            CTool& tool = tools.FindOrAdd(1);
            tool.dNoseRadius = radius;
            tool.nOrientation = 2;
            m_pp->SetTools(tools);
            m_program.SetPoolValue(CParameter("Tool", "Tool", 1, 10000, "N"));
        }
        m_program.m_pPreProcesor = m_pp.get();
        m_pp->SetCurrentProgram(&m_program);
        CCommand command("Cmd", "M", "");
        command.AddParameter(std::make_unique<CParameter>("layer", "layer", 1, 10000, "N"));
        for (const auto& [key, value] : {std::pair{"AppX", appX}, std::pair{"AppZ", appZ}}) {
            if (value < 1000000.0) {
                command.AddParameter(
                    std::make_unique<CParameter>(key, key, 1, static_cast<int32_t>(value * 10000), "N"));
            }
        }
        return m_pp->GetMacros()[0]->Generate(&command, m_context);
    }
    std::string BoxText() const {
        const auto& boxes = m_context.m_messages.GetBoxes();
        return boxes.empty() ? "" : boxes.back().strCaption + ": " + boxes.back().strText;
    }

    CTestContext m_context;
    CProgram m_program{"Part"};
    std::unique_ptr<CPreProcesor> m_pp;
};

}  // namespace

TEST_F(Compensation, NoseWordsAreEmptyWithoutToolAndFilledWithOne) {
    const char* normal = "NORMAL\nComp\nG41.1 D<NoseRadius> L<Orientation>\nEnd\n";
    EXPECT_EQ(Run(normal, -1.0), "G41.1\n");
    EXPECT_TRUE(m_context.m_messages.GetBoxes().empty());
    EXPECT_EQ(Run(normal, 0.4), "G41.1 D0.8000 L2\n");
}

TEST_F(Compensation, DirectionLineCarriesTheCompensationWord) {
    const auto read = [this](const char* direction) {
        m_pp = MakePost("", RunMacro(direction), &m_context.m_messages, kHead);
        const auto& run = dynamic_cast<const CMacroRun&>(*m_pp->GetMacros()[0]);
        return std::pair{run.m_nSide, run.GetCompensation()};
    };
    EXPECT_EQ(read("LEFT COMP"), (std::pair{0, int(CMacroRun::kComputed)}));
    EXPECT_EQ(read("RIGHT CTRL"), (std::pair{1, int(CMacroRun::kController)}));
    EXPECT_EQ(read("RIGHT  COMP\t"), (std::pair{1, int(CMacroRun::kComputed)}));
    EXPECT_EQ(read("LEFT"), (std::pair{0, int(CMacroRun::kNone)}));
    // Any other line keeps the old reading: only exactly "LEFT" runs leftwards.
    EXPECT_EQ(read("LEFT comp"), (std::pair{1, int(CMacroRun::kNone)}));
    EXPECT_EQ(read("RIGHT"), (std::pair{1, int(CMacroRun::kNone)}));
}

TEST_F(Compensation, ComputedPassWritesTheTipPathOfTheChamfer) {
    m_context.m_layers.push_back(ChamferLayer());
    const std::string code = Run(RunMacro("RIGHT COMP"), 0.8);
    EXPECT_EQ(BoxText(), "");
    // The corner arc over the edge at Z 10 ends where the chamfer's path starts, 0.234 mm
    // off the drawn corner in Z and X; the chamfer's path reaches the bottom 0.469 mm early.
    EXPECT_NE(code.find("G2 X9.766 Z9.766\nG1 X5.000 Z14.531\n"), std::string::npos) << code;
    // Without COMP the same macro writes the drawn profile.
    EXPECT_NE(Run(RunMacro("RIGHT"), 0.8).find("G1 X10.000 Z10.000\nG1 X5.000 Z15.000\n"), std::string::npos);
}

TEST_F(Compensation, NarrowGrooveIsRefusedNamingElementAndZ) {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 100000, 400000);
    layer->AddLine(0, 100000, 400000, 100000);
    layer->AddLine(200000, 80000, 210000, 80000);  // 1 mm wide
    m_context.m_layers.push_back(std::move(layer));
    EXPECT_EQ(Run(RunMacro("RIGHT COMP"), 0.8), "");
    const std::string text = BoxText();
    EXPECT_NE(text.find("PostProcesor - Compiling macro: Pass: Tool 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Linear"), std::string::npos) << text;
    EXPECT_NE(text.find(" at Z 2"), std::string::npos) << text;
    EXPECT_NE(text.find("narrower"), std::string::npos) << text;
}

TEST_F(Compensation, CompensatedPassWithoutToolIsRefused) {
    m_context.m_layers.push_back(ChamferLayer());
    EXPECT_EQ(Run(RunMacro("RIGHT COMP"), -1.0), "");
    EXPECT_NE(BoxText().find("Tools.ini"), std::string::npos);
}

TEST_F(Compensation, ControllerPassNeedsAnEntryMoveLongerThanTheNose) {
    m_context.m_layers.push_back(ChamferLayer());
    const char* header = "G0 X<AppX> Z<AppZ>\nG41.1 D<NoseRadius> L<Orientation>\n";
    EXPECT_EQ(Run(RunMacro("RIGHT CTRL", header), 0.8, 10.5, -0.5), "");
    EXPECT_NE(BoxText().find("entry move"), std::string::npos) << BoxText();
    const std::string code = Run(RunMacro("RIGHT CTRL", header), 0.8, 12, -2);
    EXPECT_NE(code.find("G41.1 D1.6000 L2\nG1 X10.000 Z0.000\n"), std::string::npos) << code;
}

TEST_F(Compensation, EveryCompileStartsWithNoToolBound) {
    m_context.m_layers.push_back(ChamferLayer());
    CToolLibrary tools;
    tools.FindOrAdd(1).dNoseRadius = 0.8;
    m_pp = MakePost("", RunMacro("RIGHT COMP") + "BeginMacro\nNORMAL\nChange\nM6\nEnd\n", &m_context.m_messages, kHead);
    m_pp->SetTools(tools);
    m_program.m_pPreProcesor = m_pp.get();
    // The compensated pass comes before the only tool change.
    auto pass = std::make_unique<CCommand>("Finish", "Pass", "");
    pass->AddParameter(std::make_unique<CParameter>("layer", "layer", 1, 10000, "N"));
    auto change = std::make_unique<CCommand>("Tool change", "Change", "");
    change->AddParameter(std::make_unique<CParameter>("Tool", "Tool", 1, 10000, "N"));
    m_program.m_commands.push_back(std::move(pass));
    m_program.m_commands.push_back(std::move(change));
    for (int compile = 0; compile < 2; ++compile) {
        ASSERT_EQ(m_program.Generate(m_context), 1);
        EXPECT_EQ(m_program.GetCode(), "M6\n") << "compile " << compile;
        ASSERT_EQ(m_context.m_messages.GetBoxes().size(), static_cast<size_t>(compile + 1));
        EXPECT_NE(BoxText().find("Tools.ini"), std::string::npos) << BoxText();
    }
}

// With tool 1's edges at 32 and 87 deg (tip at -Z -X), a pass to +Z can't climb the groove's far
// wall: its back edge would cut into it. "REFUSE" refuses the pass, "STOP" goes over the wall.
TEST_F(Compensation, AWallTheEdgeCannotClearIsRefusedOrPassedOver) {
    const auto run = [this](const char* direction) {
        m_context.m_layers.clear();
        m_context.m_layers.push_back(ChamferLayer());
        m_pp = MakePost("", RunMacro(direction), &m_context.m_messages, kHead);
        CToolLibrary tools;
        CTool& tool = tools.FindOrAdd(1);
        tool.strName = "Finishing";
        tool.dNoseRadius = 0.4;
        tool.nOrientation = 2;
        tool.dFrontAngle = 87;
        tool.dBackAngle = 32;
        m_pp->SetTools(tools);
        m_program.SetPoolValue(CParameter("Tool", "Tool", 1, 10000, "N"));
        m_program.m_pPreProcesor = m_pp.get();
        m_pp->SetCurrentProgram(&m_program);
        CCommand command("Cmd", "M", "");
        command.AddParameter(std::make_unique<CParameter>("layer", "layer", 1, 10000, "N"));
        return m_pp->GetMacros()[0]->Generate(&command, m_context);
    };
    const std::string unchecked = run("RIGHT COMP");
    EXPECT_EQ(BoxText(), "");
    EXPECT_EQ(run("RIGHT COMP REFUSE"), "");
    const std::string refused = BoxText();
    // The stretch runs from the groove's bottom, where the edge first meets the wall, up the wall.
    EXPECT_NE(refused.find("Tool 1 (Finishing) can't reach Linear 3 (1, 2), Linear 4"), std::string::npos) << refused;
    EXPECT_NE(refused.find(" from Z 2"), std::string::npos) << refused;
    const std::string stopped = run("RIGHT COMP STOP");
    EXPECT_NE(BoxText().find("resumes beyond"), std::string::npos) << BoxText();
    EXPECT_NE(stopped, unchecked) << stopped;
    // The pass still ends where the unchecked one does, and goes over the wall at the flat's height
    // or above.
    EXPECT_EQ(stopped.substr(stopped.rfind('\n', stopped.size() - 2)),
              unchecked.substr(unchecked.rfind('\n', unchecked.size() - 2)));
    EXPECT_NE(stopped.find("G1 X10."), std::string::npos) << stopped;
    // Not one position written leaves the edges in the part.
    CTool tool = *m_pp->GetTools().Find(1);
    std::vector<CNosePathSegment> profile;
    for (auto [z0, x0, z1, x1] : {std::array{0., 10., 10., 10.}, std::array{10., 10., 15., 5.},
                                  std::array{15., 5., 25., 5.}, std::array{25., 5., 30., 10.},
                                  std::array{30., 10., 40., 10.}}) {
        CNosePathSegment s;
        s.start = {z0, x0};
        s.end = {z1, x1};
        profile.push_back(s);
    }
    const CInsertClearance clearance(profile, tool);
    size_t at = 0;
    while ((at = stopped.find("G1 X", at)) != std::string::npos) {
        double x = 0, z = 0;
        ASSERT_EQ(std::sscanf(stopped.c_str() + at, "G1 X%lf Z%lf", &x, &z), 2);
        EXPECT_TRUE(clearance.Clears({z, x})) << stopped.substr(at, 24);
        ++at;
    }
}
