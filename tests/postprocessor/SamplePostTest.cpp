// The sample post-processors of examples/Debug: their definitions, passes and the sample drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

TEST(SamplePosts, EveryTemplateHasItsMacroAndValidDefaults) {
    CRecordingMessages messages;
    CProgramList list(&messages);
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    ASSERT_EQ(list.GetPreProcesors().size(), 3u);
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

namespace {

// The command of that template name, its fields typed (empty strings keep the shown default).
void AddCommand(CProgram& program, CMemoryControlBar& bar, CMemoryForm& form, const std::string& name,
                const std::vector<std::string>& texts, CMessages* messages) {
    const auto& names = bar.GetEntries(IDC_PROG_TEMPLATES);
    const auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end()) << name;
    program.StartCommand(form, static_cast<int>(it - names.begin()));
    const auto& params = program.GetCurrent()->GetParameters();
    for (size_t i = 0; i < texts.size() && i < params.size(); ++i) {
        if (!texts[i].empty()) {
            params[i]->GetEdit()->SetText(texts[i]);
        }
    }
    ASSERT_EQ(program.AddCommand(messages), 1) << name;
}

}  // namespace

// Absolute X as a diameter and Z, arc centres as increments from the arc's start (I a radius).
TEST(SamplePosts, FanucPassWritesDiametersWithIncrementalCentres) {
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor("Fanuc-style lathe", bar);
    posttest::CTestContext context;
    AddCommand(*program, bar, form, "Feed rate", {"0.15"}, &context.m_messages);
    AddCommand(*program, bar, form, "Finish left to right", {"1", "25", "-5", "35"}, &context.m_messages);
    AddCommand(*program, bar, form, "Finish with R words", {"1", "25", "-5", "35"}, &context.m_messages);
    context.m_layers.push_back(posttest::SampleLayer());
    ASSERT_EQ(program->Generate(context), 1);
    EXPECT_TRUE(context.m_messages.GetBoxes().empty());
    const std::string& code = program->GetCode();
    EXPECT_EQ(code.substr(0, 2), "%\n");
    EXPECT_NE(code.find("G21 G18 G40 G80 G99\n"), std::string::npos) << code;
    EXPECT_NE(code.find("G99 F0.150\n"), std::string::npos) << code;
    EXPECT_NE(code.find("G00 X50.000 Z-5.000\nN50 G01 X40.000 Z0.000\nN60 G01 X40.000 Z20.000\n"
                        "N70 G01 X30.000 Z20.000\n"),
              std::string::npos)
        << code;
    EXPECT_NE(code.find("G02 X32.000 Z50.000 I-5.864 K10.318\n"), std::string::npos) << code;
    EXPECT_NE(code.find("G03 X30.000 Z70.000 I8.389 K10.444\n"), std::string::npos) << code;
    EXPECT_NE(code.find("G02 X32.000 Z50.000 R11.868\n"), std::string::npos) << code;
    EXPECT_NE(code.find("G00 X70.000\n"), std::string::npos) << code;
    // No incremental U/W in the passes (the end code's reference return is G28 U0 W0).
    const std::string passes = code.substr(0, code.find("M05"));
    EXPECT_EQ(passes.find(" U"), std::string::npos) << code;
    EXPECT_EQ(passes.find(" W"), std::string::npos) << code;
    EXPECT_EQ(code.substr(code.size() - 2), "%\n");
}

// Every command of every sample post-processor, with its defaults and the obligatory fields
// filled, compiles on the sample drawing without a message.
TEST(SamplePosts, EveryCommandCompilesOnTheSampleDrawing) {
    posttest::CSampleDrawing sample;
    ASSERT_NE(sample.m_pDoc, nullptr) << sample.m_strError;
    CRecordingMessages& messages = sample.m_messages;
    CDocumentContext context(*sample.m_pDoc);
    CProgramList list(&messages);
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    for (const auto& pp : list.GetPreProcesors()) {
        CProgram* program = list.NewProgram(bar, form);
        program->SetPostProcessor(pp->GetName(), bar);
        for (const auto& t : pp->GetTemplates()) {
            std::vector<std::string> texts;
            for (const auto& p : t->GetParameters()) {
                const std::string& key = p->GetKey();
                texts.push_back(p->HasValue() ? "" : key.back() == 'X' ? "35" : "2");
            }
            AddCommand(*program, bar, form, t->GetName(), texts, &messages);
        }
        ASSERT_EQ(program->Generate(context), 1) << pp->GetName();
        const std::string& code = program->GetCode();
        EXPECT_EQ(code.find("Failed"), std::string::npos) << code;
        EXPECT_GT(std::count(code.begin(), code.end(), '\n'), 30) << code;
    }
    EXPECT_TRUE(messages.GetBoxes().empty());
}
