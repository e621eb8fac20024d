// The macro kinds: substitution, sources, empty words, block numbering, and the layer walks.
#include <gtest/gtest.h>

#include "elements/Linear.h"
#include "postprocessor/Command.h"
#include "postprocessor/Program.h"
#include "PostTestUtil.h"

using posttest::CTestContext;
using posttest::MakePost;
using posttest::PostHead;

namespace {

// A layer of 50 mm at radius 10 mm with a groove from 20 to 30 mm at radius 8 mm.
std::unique_ptr<CLayer> GrooveLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 100000, 500000);
    layer->AddLine(0, 100000, 500000, 100000);
    layer->AddLine(200000, 80000, 300000, 80000);
    return layer;
}

std::unique_ptr<CCommand> Command(std::initializer_list<std::pair<const char*, double>> values) {
    auto c = std::make_unique<CCommand>("Cmd", "M", "");
    for (const auto& [key, v] : values) {
        const bool empty = v == 1000000.0;
        c->AddParameter(std::make_unique<CParameter>(key, key, empty ? 0 : 1,
                                                     empty ? 0 : static_cast<int32_t>(v * 10000), "N"));
    }
    return c;
}

class Macros : public ::testing::Test {
protected:
    std::string Run(const std::string& macros, const CCommand* command, const std::string& head = PostHead()) {
        m_pp = MakePost("", macros, &m_context.m_messages, head);
        m_pp->SetCurrentProgram(&m_program);
        m_pp->ResetSequence();
        const CMacro* macro = m_pp->GetMacros().empty() ? nullptr : m_pp->GetMacros()[0].get();
        EXPECT_NE(macro, nullptr);
        return macro ? macro->Generate(command, m_context) : "";
    }
    const std::vector<CRecordingMessages::Box>& Boxes() const { return m_context.m_messages.GetBoxes(); }

    CTestContext m_context;
    CProgram m_program{"Part"};
    std::unique_ptr<CPreProcesor> m_pp;
};

const char* kRun = "RUN\nPass\nRIGHT\nG0 X<AppX>\n<line>\nG1 X<EndX> Z<EndZ>\n<Cw>\nG3 X<EndX>\n<Ccw>\nG2 X<EndX>\nM9\nEnd\n";
const char* kRunBack = "RUN\nPass\nLEFT\n<line>\nG1 X<EndX> Z<EndZ>\n<Cw>\nG3\n<Ccw>\nG2\nEnd\n";

}  // namespace

TEST_F(Macros, NormalLeavesEmptyWordsOut) {
    auto c = Command({{"EndX", 12.5}, {"Feed", 1000000.0}});
    EXPECT_EQ(Run("NORMAL\nMove\nG01 X<EndX> F<Feed>\nG01 F<Feed> X<EndX>\nEnd\n", c.get()),
              "N10 G01 X12.500\nN20 G01 X12.500\n");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Macros, EndAsksTheProgramForEmptyParameters) {
    auto c = Command({{"EndX", 12.5}, {"Feed", 1000000.0}});
    CParameter pooled("Feed", "Feed", 1, 1500000, "N");
    m_program.SetPoolValue(pooled);
    EXPECT_EQ(Run("END\nMove\nG01 X<EndX> F<Feed>\nEnd\n", c.get()), "N10 G01 X12.500 F150\n");
}

TEST_F(Macros, StartCodeProgramNumberAndName) {
    m_program.SetNumber(10);
    EXPECT_EQ(Run("START\nStartCode\n%\nO<program>\n(<NameFile>)\nEnd\n", nullptr,
                  PostHead("First#?\nN\nLast#?\nY\n")),
              "%\nN10 O10\nN20 (Part)\n");
    EXPECT_EQ(Run("START\nStartCode\nO<program>\nEnd\n", nullptr), "N10 O10\n");
}

TEST_F(Macros, LastLineOfEndWithoutNumber) {
    EXPECT_EQ(Run("END\nEndCode\nM30\n%\nEnd\n", nullptr, PostHead("First#?\nY\nLast#?\nN\n")), "N10 M30\n%\n");
}

TEST_F(Macros, UnknownVariableEmptiesTheWholeText) {
    auto c = Command({{"EndX", 1.0}});
    EXPECT_EQ(Run("NORMAL\nMove\nG01 X<EndX>\nG01 Z<EndZ>\nEnd\n", c.get()), "");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].strCaption, "Post-processor - Compiling macro: Move");
    EXPECT_EQ(Boxes()[0].strText, "Can not find proper value for variable: EndZ");
}

TEST_F(Macros, PlaceholderWithoutLettersHasNoFormat) {
    auto c = Command({{"EndX", 1.0}});
    EXPECT_EQ(Run("NORMAL\nMove\n<EndX> X<EndX>\nEnd\n", c.get()), "N10  X1.000\n");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].strText, "Cannot find the number format for the letters: ");
}

TEST_F(Macros, UnclosedPlaceholderEndsTheLine) {
    auto c = Command({{"EndX", 1.0}});
    EXPECT_EQ(Run("NORMAL\nMove\nX<EndX> (a<b\nEnd\n", c.get()), "N10 X1.000 (a<b\n");
}

TEST_F(Macros, NameWithPlaceholderIsNotSubstitutedAgain) {
    m_program.SetName("A<program>");
    EXPECT_EQ(Run("START\nStartCode\n(<NameFile>) O<program>\nEnd\n", nullptr), "N10 (A<program>) O10\n");
}

TEST_F(Macros, RunOverOneLineWritesThreeLines) {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 100000, 500000);
    layer->AddLine(0, 100000, 500000, 100000);
    m_context.m_layers.push_back(std::move(layer));
    auto c = Command({{"layer", 1}, {"AppX", 20}});
    EXPECT_EQ(Run(kRun, c.get()),
              "N10 G0 X20.000\n"
              "N20 G1 X10.000 Z0.000\n"
              "N30 G1 X10.000 Z50.000\n"
              "N40 G1 X20.000 Z100.000\n"
              "N50 M9\n");
}

TEST_F(Macros, RunForwardWritesEndPointsWithStepLines) {
    m_context.m_layers.push_back(GrooveLayer());
    auto c = Command({{"layer", 1}, {"AppX", 20}});
    EXPECT_EQ(Run(kRun, c.get()),
              "N10 G0 X20.000\nN20 G1 X10.000 Z0.000\nN30 G1 X10.000 Z20.000\nN40 G1 X8.000 Z20.000\n"
              "N50 G1 X8.000 Z30.000\nN60 G1 X10.000 Z30.000\nN70 G1 X10.000 Z50.000\n"
              "N80 G1 X20.000 Z100.000\nN90 M9\n");
}

TEST_F(Macros, RunBackwardWritesStartPoints) {
    m_context.m_layers.push_back(GrooveLayer());
    auto c = Command({{"layer", 1}});
    EXPECT_EQ(Run(kRunBack, c.get()),
              "N10 G1 X10.000 Z50.000\nN20 G1 X10.000 Z30.000\nN30 G1 X8.000 Z30.000\n"
              "N40 G1 X8.000 Z20.000\nN50 G1 X10.000 Z20.000\nN60 G1 X10.000 Z0.000\n"
              "N70 G1 X20.000 Z-50.000\n");
}

TEST_F(Macros, RunIncrementalMeasuresFromTheEntryPoint) {
    m_context.m_layers.push_back(GrooveLayer());
    auto c = Command({{"layer", 1}});
    std::string head = PostHead();
    head.replace(head.find("Incremental?\nN"), 14, "Incremental?\nY");
    EXPECT_EQ(Run(kRunBack, c.get(), head),
              "N10 G1 X-10.000 Z-50.000\nN20 G1 X0.000 Z-20.000\nN30 G1 X-2.000 Z0.000\n"
              "N40 G1 X0.000 Z-10.000\nN50 G1 X2.000 Z0.000\nN60 G1 X0.000 Z-20.000\n"
              "N70 G1 X10.000 Z-50.000\n");
}

TEST_F(Macros, RunValuesFallBackToCommandThenProgram) {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 100000, 500000);
    auto line = std::make_unique<CLinear>(0, 100000, 500000, 100000);
    line->SetFeed(80);
    layer->AddPiece(std::move(line), 0);
    m_context.m_layers.push_back(std::move(layer));
    auto c = Command({{"layer", 1}, {"Feed", 1000000.0}});
    CParameter pooled("Feed", "Feed", 1, 1200000, "N");
    m_program.SetPoolValue(pooled);
    EXPECT_EQ(Run("RUN\nPass\nRIGHT\n<line>\nG1 Z<EndZ> F<Feed>\n<Cw>\nG3\n<Ccw>\nG2\nEnd\n", c.get()),
              "N10 G1 Z0.000 F120\nN20 G1 Z50.000 F80\nN30 G1 Z100.000 F120\n");
}

TEST_F(Macros, RunSums) {
    m_context.m_layers.push_back(GrooveLayer());
    auto c = Command({{"layer", 1}, {"Off", 0.5}});
    CParameter empty("None", "None", 0, 0, "N");  // known but empty: adds nothing
    m_program.SetPoolValue(empty);
    const std::string out =
        Run("RUN\nPass\nRIGHT\n<line>\nG1 X<EndX>+<Off> Z<EndZ>+<None>\n<Cw>\nG3\n<Ccw>\nG2\nEnd\n", c.get());
    EXPECT_EQ(out.substr(0, 40), "N10 G1 X10.500 Z0.000\nN20 G1 X10.500 Z20");
}

TEST_F(Macros, RunWithoutLayerIsEmptyAndSilent) {
    for (double layer : {0.0, 7.0, 1.0}) {
        auto c = Command({{"layer", layer}, {"AppX", 1}});
        EXPECT_EQ(Run(kRun, c.get()).find("G1"), std::string::npos);
        EXPECT_EQ(Run(kRun, c.get()), "") << layer;
    }
    EXPECT_EQ(Run(kRun, nullptr), "");  // no command: the header misses AppX
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(Macros, BackwardArcsMeasureTheirCentreFromTheEntryPoint) {
    m_context.m_layers.push_back(posttest::SampleLayer());
    auto c = Command({{"layer", 1}});
    std::string head = PostHead();
    head.replace(head.find("Incremental?\nN\nCtrIncremental?\nN"), 32, "Incremental?\nY\nCtrIncremental?\nY");
    const std::string out =
        Run("RUN\nPass\nLEFT\n<line>\nL\n<Cw>\nCW X<EndX> Z<EndZ> I<CtrJ> K<CtrI>\n<Ccw>\nCCW X<EndX> Z<EndZ> "
            "I<CtrJ> K<CtrI>\nEnd\n",
            c.get(), head);
    // The lower arc is entered at Z 70 and left at Z 50; the upper one entered at 50, left at 30.
    EXPECT_NE(out.find("CW X1.000 Z-20.000 I9.389 K-9.556\n"), std::string::npos) << out;
    EXPECT_NE(out.find("CCW X-1.000 Z-20.000 I-6.864 K-9.682\n"), std::string::npos) << out;
}
