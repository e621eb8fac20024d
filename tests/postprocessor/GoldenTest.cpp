// Golden NC files: small definition files in tests/data/golden and the exact text they produce.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(ReadFileBytes(path.string(), bytes, error)) << error;
    return std::string(bytes.begin(), bytes.end());
}

// A 150 mm profile at radius 30 mm: an upper and a lower arc of 12.5 mm between lines, then an
// upper arc of radius 150 mm (exactly: half-chord 42 mm, rise 6 mm).
std::unique_ptr<CLayer> ArcLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 300000, 1500000);
    layer->AddLine(0, 300000, 1500000, 300000);
    layer->AddPiece(
        std::make_unique<CArc>(CPoint(100000, 300000), CPoint(300000, 300000), CPoint(200000, 350000)), 0);
    layer->AddPiece(
        std::make_unique<CArc>(CPoint(400000, 300000), CPoint(600000, 300000), CPoint(500000, 250000)), 0);
    layer->AddPiece(
        std::make_unique<CArc>(CPoint(600000, 300000), CPoint(1440000, 300000), CPoint(1020000, 360000)), 0);
    return layer;
}

// Compiles one command of the golden post-processor over the sample profile (layer 1), a
// second profile (layer 2) and the arc profile (layer 3) and returns the NC file's bytes.
std::string CompileGolden(int templateIndex) {
    const fs::path out = fs::temp_directory_path() / ("kestrovel_golden_" + std::to_string(::getpid()) + ".nc");
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/tests/data/golden");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor("Golden", bar);
    list.FindPreProcesor("Golden")->m_strOutputPath = out.string();
    program->StartCommand(form, templateIndex);
    posttest::CTestContext context;
    EXPECT_EQ(program->AddCommand(&context.m_messages), 1);
    context.m_layers.push_back(posttest::SampleLayer());
    auto second = posttest::SampleLayer();
    second->AddPiece(std::make_unique<CLinear>(0, 220000, 250000, 220000), 0);
    context.m_layers.push_back(std::move(second));
    context.m_layers.push_back(ArcLayer());
    EXPECT_EQ(program->Compile(nullptr, context), 1);
    EXPECT_TRUE(context.m_messages.GetBoxes().empty());
    const std::string text = Read(out);
    fs::remove(out);
    return text;
}

}  // namespace

TEST(Golden, RunContour) {
    EXPECT_EQ(CompileGolden(0), Read(KESTROVEL_SOURCE_DIR "/tests/data/golden/Run.nc"));
}

TEST(Golden, OciCombination) {
    EXPECT_EQ(CompileGolden(1), Read(KESTROVEL_SOURCE_DIR "/tests/data/golden/Oci.nc"));
}

// Arcs by radius: R in millimetres, also from 100 mm up, where the value once passed the
// threshold and dropped the macro's text with a message.
TEST(Golden, RunContourWithRadiusWords) {
    EXPECT_EQ(CompileGolden(2), Read(KESTROVEL_SOURCE_DIR "/tests/data/golden/RunR.nc"));
}
