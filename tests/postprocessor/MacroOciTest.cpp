// The OCI macro: division of arcs in model units, the partner layer and the tool difference.
#include <gtest/gtest.h>

#include <sstream>

#include "postprocessor/Command.h"
#include "postprocessor/MacroOci.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/PartnerIndex.h"
#include "postprocessor/Program.h"
#include "PostTestUtil.h"

using posttest::CTestContext;

namespace {

const char* kOci = "OCI\nOci\nRIGHT\n<line>\nL X<EndX> Z<EndZ>\n<OCI>\nA X<EndX> Z<EndZ>\n";
const char* kOciBack = "OCI\nOci\nLEFT\n<line>\nL X<EndX> Z<EndZ>\n<OCI>\nA X<EndX> Z<EndZ>\n";

std::unique_ptr<CCommand> OciCommand(double difference) {
    auto c = std::make_unique<CCommand>("Oci", "Oci", "");
    c->AddParameter(std::make_unique<CParameter>("X", "layerX", 1, 10000, "N"));
    c->AddParameter(std::make_unique<CParameter>("A", "layerA", 1, 20000, "N"));
    const bool empty = difference == 1000000.0;
    c->AddParameter(std::make_unique<CParameter>("T", "ToolDiferenc", empty ? 0 : 1,
                                                 empty ? 0 : static_cast<int32_t>(difference * 10000), "N"));
    return c;
}

class MacroOci : public ::testing::Test {
protected:
    std::string Generate(const char* macro, const CCommand* command) {
        m_pp = posttest::MakePost("", macro, &m_context.m_messages);
        m_pp->SetCurrentProgram(&m_program);
        m_pp->ResetSequence();
        return m_pp->GetMacros()[0]->Generate(command, m_context);
    }
    const CMacroOci& Macro() const { return dynamic_cast<const CMacroOci&>(*m_pp->GetMacros()[0]); }

    CTestContext m_context;
    CProgram m_program{"P"};
    std::unique_ptr<CPreProcesor> m_pp;
};

}  // namespace

TEST_F(MacroOci, DivisionPointsInModelUnitsEndOnTheElement) {
    Generate(kOci, nullptr);
    // 18.5 mm: 18 whole millimetres give 4 points, spaced 4.625 mm; the last is the end.
    const CArc arc(CPoint(300000, 150000), CPoint(485000, 160000), CPoint(400000, 200000));
    EXPECT_EQ(Macro().DivisionPoints(arc), (std::vector<int32_t>{346250, 392500, 438750, 485000}));
    // Shorter than 10 mm: 2 points.
    const CLinear line(0, 0, 5000, 0);
    EXPECT_EQ(Macro().DivisionPoints(line), (std::vector<int32_t>{2500, 5000}));
    // Never more points than model units, none for a radial step.
    const CLinear tiny(0, 0, 1, 0);
    EXPECT_EQ(Macro().DivisionPoints(tiny), (std::vector<int32_t>{1}));
    EXPECT_TRUE(Macro().DivisionPoints(CLinear(7, 0, 7, 50)).empty());

    Generate(kOciBack, nullptr);
    // A right-to-left pass divides from the end towards the start.
    EXPECT_EQ(Macro().DivisionPoints(line), (std::vector<int32_t>{2500, 0}));
}

TEST_F(MacroOci, ArcsAreDividedStepsAreNot) {
    m_context.m_layers.push_back(posttest::SampleLayer());
    m_context.m_layers.push_back(posttest::SampleLayer());
    auto c = OciCommand(0);
    const std::string out = Generate(kOci, c.get());
    EXPECT_TRUE(m_context.m_messages.GetBoxes().empty());
    // The step down at 20 mm is written as the line it is, with its own end point.
    EXPECT_NE(out.find("L X15.000 Z20.000\n"), std::string::npos) << out;
    // The upper arc, 31 to 49 mm after the corner cuts at both its ends (the partner layer has
    // its boundaries at the same places), gives 4 points, the last on its end; the corner line
    // to 50 mm follows.
    EXPECT_NE(out.find("N110 A X19.000 Z35.000\nN120 A X21.000 Z40.000\nN130 A X20.000 Z44.000\n"
                       "N140 A X17.000 Z49.000\nN150 L X16.000 Z50.000\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("Z150.000"), out.rfind("Z"));  // ends at the right border's free end
    // No move of no length: a corner on a partner's boundary once gave an empty corner line.
    std::istringstream lines(out);
    std::string line;
    std::string previous;
    while (std::getline(lines, line)) {
        const std::string point = line.substr(line.find(" X"));
        EXPECT_NE(point, previous) << out;
        previous = point;
    }
}

TEST_F(MacroOci, ToolDifferenceFromTheProgramOrReported) {
    m_context.m_layers.push_back(posttest::SampleLayer());
    m_context.m_layers.push_back(posttest::SampleLayer());
    auto c = OciCommand(1000000.0);
    EXPECT_EQ(Generate(kOci, c.get()), "");
    ASSERT_EQ(m_context.m_messages.GetBoxes().size(), 1u);
    EXPECT_EQ(m_context.m_messages.GetBoxes()[0].strText, "Can not find proper value for variable: ToolDiferenc");
    CParameter pooled("T", "ToolDiferenc", 1, 15000, "N");
    m_program.SetPoolValue(pooled);
    EXPECT_NE(Generate(kOci, c.get()), "");
}

TEST(MacroOciOffset, ToolDifferenceInModelUnits) {
    // Millimetres to model units without rounding to whole millimetres first.
    EXPECT_EQ(CMacroOci::ToolOffset(2.5), 25000);
    EXPECT_EQ(CMacroOci::ToolOffset(0.04), 400);
    EXPECT_EQ(CMacroOci::ToolOffset(-1.25), -12500);
}

TEST_F(MacroOci, MissingLayerGivesNothing) {
    auto c = OciCommand(0);
    EXPECT_EQ(Generate(kOci, c.get()), "");
    EXPECT_TRUE(m_context.m_messages.GetBoxes().empty());
}

TEST(PartnerIndex, AnswersLikeTheLayer) {
    for (int32_t offset : {0, 15000, 25000}) {
        auto x = posttest::SampleLayer();
        auto a = posttest::SampleLayer();
        for (CLayer* l : {x.get(), a.get()}) {
            l->InsertStepLines(1);
            l->AddBordersAsLines();
        }
        x->CombineProfiles(*a, offset, 1, 10000, 10000);
        const CPartnerIndex index(*a);
        for (int32_t z = -600000; z <= 1600000; z += 2500) {
            ASSERT_EQ(index.FindAt(z), a->FindAt(z)) << z;
        }
    }
    CLayer empty;
    EXPECT_EQ(CPartnerIndex(empty).FindAt(10), nullptr);
}

TEST_F(MacroOci, CompensationWordsOnTheHeader) {
    m_context.m_layers.push_back(posttest::SampleLayer());
    m_context.m_layers.push_back(posttest::SampleLayer());
    auto c = OciCommand(0);
    const std::string plain = Generate(kOciBack, c.get());
    const auto with = [](const char* words) {
        std::string text = kOciBack;
        return text.replace(text.find("LEFT"), 4, words);
    };
    // The direction still reads as LEFT with a word after it.
    const std::string ctrl = with("LEFT CTRL");
    m_pp = posttest::MakePost("", ctrl, &m_context.m_messages);
    EXPECT_EQ(Macro().m_nSide, 0);
    EXPECT_EQ(Macro().GetCompensation(), int(CMacroRun::kController));
    // Without a bound tool either word refuses the pass.
    EXPECT_EQ(Generate(ctrl.c_str(), c.get()), "");
    ASSERT_EQ(m_context.m_messages.GetBoxes().size(), 1u);
    EXPECT_NE(m_context.m_messages.GetBoxes().back().strText.find("Tools.ini"), std::string::npos);
    CToolLibrary tools;
    tools.FindOrAdd(1).dNoseRadius = 0.4;
    m_program.SetPoolValue(CParameter("Tool", "Tool", 1, 10000, "N"));
    // The controller compensates: the profile is written as without the word.
    m_pp = posttest::MakePost("", ctrl, &m_context.m_messages);
    m_pp->SetTools(tools);
    m_program.m_pPreProcesor = m_pp.get();
    m_pp->SetCurrentProgram(&m_program);
    m_pp->ResetSequence();
    EXPECT_EQ(m_pp->GetMacros()[0]->Generate(c.get(), m_context), plain);
    // The computed tip path is not available on a combined pass: refused, not cut on the profile.
    m_pp = posttest::MakePost("", with("LEFT COMP"), &m_context.m_messages);
    m_pp->SetTools(tools);
    m_program.m_pPreProcesor = m_pp.get();
    m_pp->SetCurrentProgram(&m_program);
    EXPECT_EQ(m_pp->GetMacros()[0]->Generate(c.get(), m_context), "");
    EXPECT_NE(m_context.m_messages.GetBoxes().back().strText.find("CTRL"), std::string::npos);
}

TEST_F(MacroOci, ControllerPassNeedsAnEntryMoveLongerThanTheNose) {
    m_context.m_layers.push_back(posttest::SampleLayer());
    m_context.m_layers.push_back(posttest::SampleLayer());
    CToolLibrary tools;
    tools.FindOrAdd(1).dNoseRadius = 0.8;
    m_program.SetPoolValue(CParameter("Tool", "Tool", 1, 10000, "N"));
    std::string ctrl = kOci;
    ctrl.replace(ctrl.find("RIGHT"), 5, "RIGHT CTRL");
    const auto generate = [&](double appX, double appZ) {
        auto c = OciCommand(0);
        c->AddParameter(std::make_unique<CParameter>("AppX", "AppX", 1, static_cast<int32_t>(appX * 10000), "N"));
        c->AddParameter(std::make_unique<CParameter>("AppZ", "AppZ", 1, static_cast<int32_t>(appZ * 10000), "N"));
        m_pp = posttest::MakePost("", ctrl, &m_context.m_messages);
        m_pp->SetTools(tools);
        m_program.m_pPreProcesor = m_pp.get();
        m_pp->SetCurrentProgram(&m_program);
        m_pp->ResetSequence();
        return m_pp->GetMacros()[0]->Generate(c.get(), m_context);
    };
    // The first move ends at X 20.2 Z -1; 0.5 mm away is too short to start.
    EXPECT_EQ(generate(20.5, -1.4), "");
    ASSERT_FALSE(m_context.m_messages.GetBoxes().empty());
    EXPECT_NE(m_context.m_messages.GetBoxes().back().strText.find("entry move"), std::string::npos);
    const size_t boxes = m_context.m_messages.GetBoxes().size();
    EXPECT_NE(generate(5, -2), "");
    EXPECT_EQ(m_context.m_messages.GetBoxes().size(), boxes);
}
