// The sample post-processors of examples/Debug: complete definitions and their incremental pass.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

TEST(SamplePosts, EveryTemplateHasItsMacroAndValidDefaults) {
    CRecordingMessages messages;
    CProgramList list(&messages);
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    ASSERT_EQ(list.GetPreProcesors().size(), 2u);
    for (const auto& pp : list.GetPreProcesors()) {
        pp->LoadDefinitions();
        EXPECT_NE(pp->FindMacro("StartCode"), nullptr) << pp->GetName();
        EXPECT_NE(pp->FindMacro("EndCode"), nullptr) << pp->GetName();
        EXPECT_GE(pp->GetTemplates().size(), 6u) << pp->GetName();
        for (const auto& t : pp->GetTemplates()) {
            EXPECT_NE(pp->FindMacro(t->GetMacroName()), nullptr) << t->GetName();
            EXPECT_FALSE(t->GetHelp().empty()) << t->GetName();
            for (const auto& p : t->GetParameters()) {
                // A default must pass its own rules.
                CParameter copy(*p);
                if (copy.HasValue()) {
                    EXPECT_EQ(copy.ValidateText(copy.FormatStoredValue(), &messages), 1) << p->GetLabel();
                }
            }
        }
    }
    EXPECT_TRUE(messages.GetTraces().empty());
    EXPECT_TRUE(messages.GetBoxes().empty());
}

TEST(SamplePosts, FanucPassIsIncrementalWithDiameters) {
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor("Fanuc-style lathe", bar);
    const auto& names = bar.GetEntries(IDC_PROG_TEMPLATES);
    const int finish = static_cast<int>(std::find(names.begin(), names.end(), "Finish left to right") - names.begin());
    program->StartCommand(form, finish);
    const auto& params = program->GetCurrent()->GetParameters();
    params[1]->GetEdit()->SetText("60");
    params[2]->GetEdit()->SetText("-50");
    params[3]->GetEdit()->SetText("70");
    posttest::CTestContext context;
    ASSERT_EQ(program->AddCommand(&context.m_messages), 1);
    context.m_layers.push_back(posttest::SampleLayer());
    ASSERT_EQ(program->Generate(context), 1);
    EXPECT_TRUE(context.m_messages.GetBoxes().empty());
    const std::string& code = program->GetCode();
    EXPECT_EQ(code.substr(0, 2), "%\n");
    EXPECT_NE(code.find("N30 G00 X60.000 Z-50.000\nN40 G01 U-20.000 W50.000\nN50 G01 U0.000 W20.000\n"),
              std::string::npos)
        << code;
    EXPECT_NE(code.find("G02 U2.000 W20.000 I-5.864 K10.318\n"), std::string::npos) << code;
    EXPECT_EQ(code.substr(code.size() - 2), "%\n");
}
