// kestrovel-cli render: the SVG, drawn by an independent renderer, shows the view's own picture.
#include "CliRunner.h"
#include "document/KestrovelDoc.h"
#include "platform/ImageSurface.h"
#include "postprocessor/DocumentFile.h"
#include "view/DrawingPicture.h"

namespace {

class CliRender : public CliTest {
protected:
    // The share of the view's drawn pixels that rsvg-convert's picture of the SVG matches.
    double Agreement(const std::string& svg, int width, int height, const std::vector<int>& layers) {
        CDocServices services;
        std::string error;
        auto doc = CDocumentFile::Open(Sample(), services, error);
        EXPECT_TRUE(doc) << error;
        CImageSurface picture(width, height);
        CDrawingPicture::Paint(*doc, picture, layers);
        EXPECT_TRUE(picture.SavePng(PathOf("view.png"), error)) << error;
        const std::string png = PathOf("svg.png");
        if (std::system(("rsvg-convert " + Quote(svg) + " -o " + Quote(png)).c_str()) != 0) {
            ADD_FAILURE() << "rsvg-convert failed";
            return 0.0;
        }
        const std::string out = PathOf("agreement.txt");
        const std::string command =
            "/usr/bin/python3 " +
            Quote(std::string(KESTROVEL_SOURCE_DIR) + "/tests/exchange/compare_png.py") + " " +
            Quote(PathOf("view.png")) + " " + Quote(png) + " > " + Quote(out);
        EXPECT_EQ(std::system(command.c_str()), 0);
        return std::atof(ReadText(out).c_str());
    }
    static std::string Sample() { return std::string(KESTROVEL_SOURCE_DIR) + "/examples/sample.kst"; }
};

TEST_F(CliRender, SvgMatchesTheViewsPictureAtTheSameSize) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    }
    const CCliResult r = Run({"render", Sample(), PathOf("all.svg"), "--width", "640", "--height", "360"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const std::string svg = ReadText(PathOf("all.svg"));
    EXPECT_NE(svg.find("<pattern"), std::string::npos);
    EXPECT_NE(svg.find("<text"), std::string::npos);
    EXPECT_GT(Agreement(PathOf("all.svg"), 640, 360, {}), 0.9);

    ASSERT_EQ(Run({"render", Sample(), PathOf("two.svg"), "--layers", "2"}).nExit, 0);
    EXPECT_GT(Agreement(PathOf("two.svg"), 1200, 600, {2}), 0.9);
}

TEST_F(CliRender, BadLayerListIsRefused) {
    const CCliResult r = Run({"render", Sample(), PathOf("x.svg"), "--layers", "1,9"});
    EXPECT_NE(r.nExit, 0);
    EXPECT_FALSE(std::filesystem::exists(PathOf("x.svg")));
}

}  // namespace
