// The in-memory DXF writer writes what the library's own file writer writes.
#include <dl_dxf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "exchange/DxfTextWriter.h"

namespace {

void Draw(DL_Dxf& dxf, DL_WriterA& dw) {
    dxf.writeHeader(dw);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4);
    dw.sectionEnd();
    dw.sectionEntities();
    const DL_Attributes attributes("Layer 1", 256, -1, "BYLAYER", 1.0);
    dxf.writeLine(dw, DL_LineData(0.1, -12.5, 0.0, 1234.000012345678, 1e-9, 0.0), attributes);
    dxf.writeArc(dw, DL_ArcData(-0.0, 199999.9999, 0.0, 1.0 / 3.0, -90.0, 270.25), attributes);
    dw.dxfHex(5, 0x2AF);
    dw.sectionEnd();
    dw.dxfEOF();
}

TEST(DxfTextWriter, WritesTheSameTextAsTheLibrarysFileWriter) {
    for (const DL_Codes::version version : {DL_Codes::AC1015, DL_Codes::AC1009_MIN}) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / "kestrovel-text-writer.dxf";
        {
            DL_Dxf dxf;
            std::unique_ptr<DL_WriterA> file(dxf.out(path.c_str(), version));
            ASSERT_TRUE(file);
            Draw(dxf, *file);
            file->close();
        }
        std::ifstream in(path, std::ios::binary);
        const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::filesystem::remove(path);

        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> ignored(dxf.out("/dev/null", version));
        CDxfTextWriter text(version);
        Draw(dxf, text);
        EXPECT_EQ(text.Text(), expected);
        EXPECT_GT(expected.size(), 300u);
    }
}

}  // namespace

TEST(DxfTextWriter, NumbersOfEveryScaleAsTheLibraryWritesThem) {
    std::mt19937_64 rng(25);
    std::vector<double> values = {0.0, -0.0, 1e-17, 5e-17, 0.49999999999999994, 1e15, -1.5e-7};
    for (int i = 0; i < 3000; ++i) {
        const double mantissa = std::uniform_real_distribution<double>(-10.0, 10.0)(rng);
        values.push_back(std::ldexp(mantissa, static_cast<int>(rng() % 120) - 60));
    }
    for (const DL_Codes::version version : {DL_Codes::AC1015, DL_Codes::AC1009_MIN}) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / "kestrovel-text-numbers.dxf";
        DL_Dxf dxf;
        {
            std::unique_ptr<DL_WriterA> file(dxf.out(path.c_str(), version));
            ASSERT_TRUE(file);
            for (const double v : values) {
                file->dxfReal(10, v);
            }
            file->close();
        }
        std::ifstream in(path, std::ios::binary);
        const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::filesystem::remove(path);
        CDxfTextWriter text(version);
        for (const double v : values) {
            text.dxfReal(10, v);
        }
        EXPECT_EQ(text.Text(), expected);
    }
}
