// A long random drawing compiled through contour and combined passes, against its checked-in text.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "PostTestUtil.h"
#include "postprocessor/Command.h"
#include "postprocessor/Program.h"

namespace {

const char* kItems =
    "BeginItem\nName:   Contour\nMacro:Contour\nHelp:\nh\nEndHelp\n\"Layer\"@<layer>(YN)?1\n"
    "\"Feed\"@<F>(YY)?120\nEnd\n"
    "BeginItem\nName:   "
    "Forward\nMacro:Forward\nHelp:\nh\nEndHelp\n\"X\"@<layerX>(YN)?1\n\"A\"@<layerA>(YN)?2\n"
    "\"T\"@<ToolDiferenc>(YY)?1.5\n\"Feed\"@<F>(YY)?80\nEnd\n"
    "BeginItem\nName:   "
    "Backward\nMacro:Backward\nHelp:\nh\nEndHelp\n\"X\"@<layerX>(YN)?2\n\"A\"@<layerA>(YN)?1\n"
    "\"T\"@<ToolDiferenc>(YY)?-0.75\n\"Feed\"@<F>(YY)?60\nEnd\n"
    "BeginItem\nName:   "
    "Tangled\nMacro:Tangled\nHelp:\nh\nEndHelp\n\"X\"@<layerX>(YN)?1\n\"A\"@<layerA>(YN)?3\n"
    "\"T\"@<ToolDiferenc>(YY)?0.4\n\"Feed\"@<F>(YY)?50\nEnd\nEndDefItems\n";

const char* kHead =
    "BeginVar\nX>4.3*2\nZ>4.4\nI>3.5\nK>3.5\nF>5.0\nO>4.0\nEnd\nNumber\nY\nLetter\nN\nSequence_N\n10\n10\n"
    "First#?\nN\nLast#?\nN\nIncremental?\nN\nCtrIncremental?\nY\n"
    "DefOCI\nBeginObj\n0.8\nEndObj\n1.2\nDivideObj\n2:2\n10:3\n40:6\nEnd\n";

const char* kMacros =
    "RUN\nContour\nRIGHT\n<line>\nG1 X<EndX> Z<EndZ> F<F>\n<Cw>\nG3 X<EndX> Z<EndZ> I<CtrJ> K<CtrI>\n"
    "<Ccw>\nG2 X<EndX> Z<EndZ> I<CtrJ> K<CtrI>\nEnd\n"
    "BeginMacro\nOCI\nForward\nRIGHT\n<line>\nG1 X<EndX> Z<EndZ> F<F>\n<OCI>\nG1 X<EndX> Z<EndZ>\n"
    "BeginMacro\nOCI\nBackward\nLEFT\n<line>\nG1 X<EndX> Z<EndZ> F<F>\n<OCI>\nG1 X<EndX> Z<EndZ>\n"
    "BeginMacro\nOCI\nTangled\nRIGHT\n<line>\nG1 X<EndX> Z<EndZ>\n<OCI>\nG1 X<EndX> Z<EndZ>\n";

// Lines, upper and lower arcs and radial steps of random lengths; with tangle set, now and then an
// element starts before its predecessor ends, as a trusted file may hold.
std::unique_ptr<CLayer> RandomLayer(std::mt19937& random, int count, bool tangle) {
    auto layer = std::make_unique<CLayer>();
    auto& pieces = layer->GetPieces();
    int32_t z = 0;
    int32_t y = 250000;
    for (int i = 0; i < count; ++i) {
        const int32_t length = 5000 + static_cast<int32_t>(random() % 200000);
        if (random() % 4 == 0) {
            y = 100000 + static_cast<int32_t>(random() % 300000);
        }
        int32_t start = z;
        if (tangle && random() % 40 == 0) {
            start -= static_cast<int32_t>(random() % 20000);
        }
        const int32_t endY = random() % 3 == 0 ? y + static_cast<int32_t>(random() % 20000) - 10000 : y;
        switch (random() % 3) {
            case 0: pieces.push_back(std::make_unique<CLinear>(start, y, z + length, endY)); break;
            default: {
                const int32_t bulge = static_cast<int32_t>(random() % 2 == 0 ? length / 3 : -length / 4);
                pieces.push_back(std::make_unique<CArc>(CPoint(start, y), CPoint(z + length, endY),
                                                        CPoint(start + (z + length - start) / 2, y + bulge)));
            }
        }
        z += length;
        y = pieces.back()->GetEnd().y;
    }
    layer->CreateBorders(0, pieces.front()->GetStart().y, z);
    layer->ConnectBorders();
    layer->Renumber();
    return layer;
}

std::string CompileLargeDrawing() {
    posttest::CTestContext context;
    std::mt19937 random(2026);
    context.m_layers.push_back(RandomLayer(random, 120, false));
    context.m_layers.push_back(RandomLayer(random, 180, false));
    context.m_layers.push_back(RandomLayer(random, 100, true));
    auto pp = posttest::MakePost(kItems, kMacros, &context.m_messages, kHead);
    CProgram program("Large");
    program.m_pPreProcesor = pp.get();
    for (int index = 0; index < 4; ++index) {
        program.m_commands.push_back(pp->CreateCommand(index));
    }
    EXPECT_EQ(program.Generate(context), 1);
    EXPECT_TRUE(context.m_messages.GetBoxes().empty());
    return program.GetCode();
}

}  // namespace

// Every number, corner and partner of four passes over three long profiles, one of them with
// overlapping elements, written exactly as before any search or formatting shortcut.
TEST(LargeDrawing, CompilesToTheCheckedInText) {
    const std::string text = CompileLargeDrawing();
    std::ifstream file(KESTROVEL_SOURCE_DIR "/tests/data/golden/LargeRandom.nc", std::ios::binary);
    std::stringstream expected;
    expected << file.rdbuf();
    if (text != expected.str()) {
        // Beside the build for a diff.
        std::ofstream(KESTROVEL_BINARY_DIR "/LargeRandom.nc", std::ios::binary) << text;
    }
    ASSERT_FALSE(expected.str().empty());
    EXPECT_EQ(text, expected.str());
}
