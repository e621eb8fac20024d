// The operation macro: its block in the post file, the move templates, and refusals.
#include <gtest/gtest.h>

#include "PostTestUtil.h"
#include "postprocessor/Command.h"
#include "postprocessor/Program.h"

namespace {

std::unique_ptr<CCommand> Command(std::initializer_list<std::pair<const char*, double>> values) {
    auto c = std::make_unique<CCommand>("Cmd", "M", "");
    for (const auto& [key, v] : values) {
        const bool empty = v == 1000000.0;
        c->AddParameter(std::make_unique<CParameter>(key, key, empty ? 0 : 1,
                                                     empty ? 0 : static_cast<int32_t>(v * 10000), "N"));
    }
    return c;
}

class OperationMacro : public ::testing::Test {
protected:
    std::string Run(const std::string& block, const CCommand* command) {
        m_pp = posttest::MakePost("", block, &m_context.m_messages);
        m_pp->SetCurrentProgram(&m_program);
        m_pp->ResetSequence();
        const CMacro* macro = m_pp->FindMacro("Op");
        EXPECT_NE(macro, nullptr);
        return macro ? macro->Generate(command, m_context) : "";
    }
    std::string FirstBox() const {
        return m_context.m_messages.GetBoxes().empty() ? "" : m_context.m_messages.GetBoxes()[0].strText;
    }

    posttest::CTestContext m_context;
    CProgram m_program{"Part"};
    std::unique_ptr<CPreProcesor> m_pp;
};

}  // namespace

// Header, one line per move through its kind's template (a move's own feed before the command's,
// an empty feed left out), trailer; comment lines inside the block are skipped.
TEST_F(OperationMacro, MovesGoThroughTheTemplatesOfTheirKind) {
    auto c = Command({{"StartZ", 5}, {"HoleZ", 0}, {"Peck", 3}, {"Feed", 1000000.0}, {"Dwell", 2}});
    const std::string text =
        Run("OPERATION\nOp\nDRILL\nS<Dwell>\n<rapid>\nG0 X<EndX> Z<EndZ>\n; feed\n<feed>\n"
            "G1 Z<EndZ> F<Feed>\n<dwell>\nG4 F<Dwell>\nM9\nEnd\n",
            c.get());
    EXPECT_EQ(text,
              "N10 S2\nN20 G0 Z5.000\nN30 G0 X0.000 Z5.000\nN40 G1 Z2.000\nN50 G0 X0.000 Z5.000\n"
              "N60 G0 X0.000 Z2.500\nN70 G1 Z0.000\nN80 G4 F2\nN90 G0 X0.000 Z5.000\nN100 M9\n");
    EXPECT_TRUE(m_context.m_messages.GetBoxes().empty());
}

// The operation line's settings are the machine's limits: a thread above the Z feed limit is
// refused with the figures, and a move kind without a template is named.
TEST_F(OperationMacro, RefusalsShowWhyAndWriteNothing) {
    auto thread = Command({{"FromZ", 0}, {"ToZ", -20}, {"MajorX", 10}, {"Pitch", 2}, {"Speed", 3000}});
    EXPECT_EQ(Run("OPERATION\nOp\nTHREADCYCLE MaxFeedZ=5000\n<rapid>\nG0 X<EndX>\nEnd\n", thread.get()), "");
    EXPECT_NE(FirstBox().find("6000 mm/min along Z, above the machine's limit of 5000 mm/min"),
              std::string::npos)
        << FirstBox();
    m_context.m_messages = CRecordingMessages();
    EXPECT_EQ(Run("OPERATION\nOp\nTHREADPASSES\n<rapid>\nG0 X<EndX>\nEnd\n", thread.get()), "");
    EXPECT_NE(FirstBox().find("no template for the operation's threading moves (<thread>)"),
              std::string::npos)
        << FirstBox();
    m_context.m_messages = CRecordingMessages();
    EXPECT_EQ(Run("OPERATION\nOp\nKNURL\n<rapid>\nG0 X<EndX>\nEnd\n", thread.get()), "");
    EXPECT_NE(FirstBox().find("KNURL"), std::string::npos);
}

// A block cut off before its End makes no macro, and the reading ends.
TEST_F(OperationMacro, CutOffBlockMakesNoMacro) {
    auto pp = posttest::MakePost("", "OPERATION\nOp\nFACE\n<rapid>\n", &m_context.m_messages);
    EXPECT_EQ(pp->FindMacro("Op"), nullptr);
}
