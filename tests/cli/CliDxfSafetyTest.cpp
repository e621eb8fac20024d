// kestrovel-cli import-dxf on damaged files (each refused quickly in one line naming the line, the
// drawing untouched) and export-dxf onto a full disk and past a planted link.
#include <sys/mount.h>
#include <unistd.h>
#include <memory>

#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace {

namespace fs = std::filesystem;

class CliDxfSafety : public CliTest {
protected:
    void SetUp() override {
        // A file system left mounted by a run that was cut short would block the folder's removal.
        ::umount2(PathOf("disk").c_str(), MNT_DETACH);
        CliTest::SetUp();
        ASSERT_EQ(Run({"new", File(), "--length", "300", "--base", "80"}).nExit, 0);
        ASSERT_EQ(Run({"add", File(), "--layer", "1", "line", "0", "300000", "1500000", "300000"}).nExit, 0);
    }
    void TearDown() override {
        ::umount2(PathOf("disk").c_str(), MNT_DETACH);
        CliTest::TearDown();
    }
    std::string File() const { return PathOf("part.kst"); }
    static std::string Regression(const std::string& name) {
        return std::string(KESTROVEL_SOURCE_DIR) + "/fuzz/regressions/dxf_import/" + name;
    }
};

TEST_F(CliDxfSafety, DamagedFilesAreRefusedInOneLineNamingTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"spline-knots-negative.dxf", "line 8: the SPLINE announces -2147483648 knots, but a count cannot be negative"},
        {"long-line.dxf", "line 8 is longer than 1022 characters"},
        {"spline-fit-count.dxf", "line 10: the SPLINE announces 10000000 fit points"},
        {"spline-control-count.dxf", "line 10: the SPLINE announces 2000000000 control points"},
        {"lwpolyline-count.dxf", "line 10: the LWPOLYLINE announces 10000000 vertices"},
        {"overflowing-coordinate.dxf", "line 14: the number \"72.99e557\" is beyond what a drawing can hold"}};
    const std::string before = ReadText(File());
    for (const auto& [name, reason] : cases) {
        const CCliResult r = Run({"import-dxf", File(), Regression(name)}, 20);
        EXPECT_EQ(r.nExit, 1) << name << r.strErr;
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
        EXPECT_NE(r.strErr.find(reason), std::string::npos) << r.strErr;
        EXPECT_EQ(ReadText(File()), before) << name;
    }
}

// A drawing whose profile holds one overflowing coordinate is refused, not replaced by one line.
TEST_F(CliDxfSafety, AnOverflowingCoordinateDoesNotReplaceTheProfile) {
    std::string body;
    for (int i = 0; i < 30; ++i) {
        body += "0\nLINE\n8\n0\n10\n" + std::to_string(10 * i) + "\n20\n20\n11\n" + std::to_string(10 * i + 10) +
                "\n21\n20\n";
    }
    body += "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n300\n21\n72.99e557\n";
    std::ofstream(PathOf("profile.dxf")) << "0\nSECTION\n2\nENTITIES\n" << body << "0\nENDSEC\n0\nEOF\n";
    const std::string before = ReadText(File());
    const CCliResult r = Run({"import-dxf", File(), PathOf("profile.dxf")}, 20);
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.strErr.find("line 376: the number"), std::string::npos) << r.strErr;
    EXPECT_EQ(ReadText(File()), before);
}

// The report counts what entered the layer after the cut to the drawing's length.
TEST_F(CliDxfSafety, ReportCountsWhatTheLayerTook) {
    std::ofstream out(PathOf("long.dxf"));
    out << "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 1000; ++i) {
        out << "0\nLINE\n8\n0\n10\n" << i << "\n20\n10\n11\n" << i + 1 << "\n21\n10\n";
    }
    out << "0\nENDSEC\n0\nEOF\n";
    out.close();
    const CCliResult r = Run({"import-dxf", File(), PathOf("long.dxf")}, 60);
    EXPECT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(r.strOut,
              "axis: the DXF x axis (no centre line, and the outline touches neither axis)\n"
              "taken: 300 lines, 0 arcs\n"
              "Z 0: the part's end, 0.000 mm along the axis from its first point\n"
              "not taken: outside the drawing's length: 700\n");
}

TEST_F(CliDxfSafety, ExportOntoAFullDiskFailsAndKeepsTheOldFile) {
    CCliResult r = Run({"export-dxf", File(), "/dev/full"}, 20);
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("No space left on device"), std::string::npos) << r.strErr;
    EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;

    // A small file system of its own, where the process may mount one.
    const fs::path disk = m_dir / "disk";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return;
    }
    // Unmounted however the test ends, so no later run finds the folder busy.
    const std::unique_ptr<const fs::path, void (*)(const fs::path*)> unmount(
        &disk, [](const fs::path* path) { ::umount(path->c_str()); });
    const std::string out = (disk / "out.dxf").string();
    ASSERT_EQ(Run({"export-dxf", File(), out}, 20).nExit, 0);
    const std::string old = ReadText(out);
    ASSERT_GT(old.size(), 1000u);
    ASSERT_EQ(Run({"add", File(), "--layer", "1", "line", "1500000", "300000", "2000000", "350000"}).nExit, 0);
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(1024, 'f');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i) {
        }
    }
    r = Run({"export-dxf", File(), out}, 20);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(disk)) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("No space left on device"), std::string::npos) << r.strErr;
    EXPECT_EQ(old.substr(old.size() - 4), "EOF\n");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"filler", "out.dxf"}));
}

TEST_F(CliDxfSafety, ExportNeverWritesThroughALinkPlantedBesideTheFile) {
    std::ofstream(PathOf("victim.txt")) << "keep";
    fs::create_symlink(PathOf("victim.txt"), PathOf("out.dxf.tmp"));
    ASSERT_EQ(Run({"export-dxf", File(), PathOf("out.dxf")}, 20).nExit, 0);
    EXPECT_EQ(ReadText(PathOf("victim.txt")), "keep");
    EXPECT_TRUE(fs::is_symlink(PathOf("out.dxf.tmp")));
    EXPECT_NE(ReadText(PathOf("out.dxf")).find("EOF"), std::string::npos);
}

}  // namespace
