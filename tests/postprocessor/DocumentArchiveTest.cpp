// Whole document files with programs: odd texts, the program block, damage in the program part.
#include <gtest/gtest.h>

#include <random>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "platform/Archive.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

// Texts at the edges of the three length prefixes.
const std::string kOddTexts[] = {"", std::string(254, 'a'), std::string(255, 'b'), std::string(70000, 'c'),
                                 std::string("\xE8\xE1ra \x9A\xED\xF8ka\r\n\0end", 16)};

std::unique_ptr<CKestrovelDoc> DocumentWithPrograms() {
    auto doc = CProgramDocument::Create();
    doc->OnNewDocument();
    doc->GetLayer(0)->AddPiece(std::make_unique<CArc>(CPoint{3000000, 800000}, CPoint{5000000, 800000},
                                                      CPoint{4000000, 1200000}),
                               0);
    CProgramList& list = *CProgramDocument::GetList(*doc);
    for (const std::string& text : kOddTexts) {
        CProgram* program = list.AddProgram();
        program->SetName(text);
        program->SetNote(text);
        program->m_strPostName = text;
        auto command = std::make_unique<CCommand>(text, text, text);
        command->SetIndex(3);
        command->AddParameter(std::make_unique<CParameter>(text, text, 1, -70000, text));
        command->AddParameter(std::make_unique<CParameter>("Feed", "F", 0, 0, "NY"));
        program->m_commands.push_back(std::move(command));
    }
    list.SetActiveProgram(list.GetPrograms()[2].get());
    return doc;
}

// The bytes with the stored active-program index zeroed.
std::vector<uint8_t> WithoutActiveProgram(std::vector<uint8_t> bytes) {
    const std::string tail = std::string("\x0E") + "Aktualni Layer";
    const auto at = std::search(bytes.begin(), bytes.end(), tail.begin(), tail.end());
    const size_t programs = static_cast<size_t>(at - bytes.begin()) + tail.size() + 4;
    if (at != bytes.end() && programs + 13 <= bytes.size() && bytes[programs] == 8) {
        std::fill_n(bytes.begin() + static_cast<long>(programs + 9), 4, 0);
    }
    return bytes;
}

TEST(DocumentArchive, OddTextsSaveLoadAndSaveToTheSameBytes) {
    auto doc = DocumentWithPrograms();
    const auto bytes = CDocumentFile::Write(*doc);
    std::string error;
    auto loaded = CDocumentFile::Read(bytes, {}, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(CDocumentFile::Write(*loaded), bytes);
    const CProgramList& list = *CProgramDocument::GetList(*loaded);
    ASSERT_EQ(list.GetPrograms().size(), std::size(kOddTexts));
    for (size_t i = 0; i < std::size(kOddTexts); ++i) {
        const CProgram& p = *list.GetPrograms()[i];
        EXPECT_EQ(p.GetName(), kOddTexts[i]);
        EXPECT_EQ(p.GetNote(), kOddTexts[i]);
        EXPECT_EQ(p.GetPostName(), kOddTexts[i]);
        const CCommand& c = *p.GetCommands()[0];
        EXPECT_EQ(c.GetHelp(), kOddTexts[i]);
        EXPECT_EQ(c.GetParameters()[0]->GetSpec(), kOddTexts[i]);
        EXPECT_EQ(c.GetParameters()[0]->GetRawValue(), -70000);
        EXPECT_EQ(c.GetParameters()[1]->HasValue(), 0);
    }
    EXPECT_EQ(list.GetActiveProgram(), list.GetPrograms()[2].get());
}

TEST(DocumentArchive, ProgramBlockStandsBetweenTheActiveLayerAndTheEnd) {
    auto doc = CProgramDocument::Create();
    doc->OnNewDocument();
    const auto plain = CDocumentFile::Write(*doc);
    CProgramList& list = *CProgramDocument::GetList(*doc);
    list.AddProgram("P");
    list.SetActiveProgram(nullptr);
    const auto bytes = CDocumentFile::Write(*doc);
    // The drawing part is unchanged; "Programs" and -1 replace nothing but precede "End".
    ASSERT_GT(bytes.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end() - 4, bytes.begin()));
    const std::vector<uint8_t> block = {8, 'P', 'r', 'o', 'g', 'r', 'a', 'm', 's', 0xFF, 0xFF, 0xFF, 0xFF, 7, 'P'};
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin() + static_cast<long>(plain.size() - 4)));
    const std::vector<uint8_t> end = {3, 'E', 'n', 'd'};
    EXPECT_TRUE(std::equal(end.begin(), end.end(), bytes.end() - 4));
    std::string error;
    auto loaded = CDocumentFile::Read(bytes, {}, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(CProgramDocument::GetList(*loaded)->GetActiveProgram(), nullptr);
    EXPECT_EQ(CProgramDocument::GetList(*loaded)->GetPrograms().size(), 1u);
}

TEST(DocumentArchive, ActiveIndexPastTheListLeavesNoProgramActive) {
    auto doc = DocumentWithPrograms();
    auto bytes = CDocumentFile::Write(*doc);
    const std::vector<uint8_t> tag = {8, 'P', 'r', 'o', 'g', 'r', 'a', 'm', 's'};
    const auto at = std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end()) - bytes.begin() + 9;
    bytes[static_cast<size_t>(at)] = 9;
    std::string error;
    auto loaded = CDocumentFile::Read(bytes, {}, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(CProgramDocument::GetList(*loaded)->GetActiveProgram(), nullptr);
}

TEST(DocumentArchive, UnexpectedTagsInTheProgramPartNameTagAndOffset) {
    const auto good = CDocumentFile::Write(*DocumentWithPrograms());
    for (const std::string tag : {"Program", "Command", "Parameter"}) {
        std::vector<uint8_t> needle = {static_cast<uint8_t>(tag.size())};
        needle.insert(needle.end(), tag.begin(), tag.end());
        auto bytes = good;
        const auto at = static_cast<size_t>(std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) -
                                            bytes.begin());
        ASSERT_LT(at, bytes.size());
        bytes[at + 1] = 'X';
        std::string error;
        EXPECT_EQ(CDocumentFile::Read(bytes, {}, error), nullptr) << tag;
        EXPECT_NE(error.find("\"X" + tag.substr(1) + "\""), std::string::npos) << error;
        EXPECT_NE(error.find("byte " + std::to_string(at)), std::string::npos) << error;
    }
}

TEST(DocumentArchive, TruncatedAnywhereTheReadGivesNoDocument) {
    const auto bytes = CDocumentFile::Write(*DocumentWithPrograms());
    std::string error;
    // Every cut in the drawing part and the first programs, then every 97th byte of the long texts.
    for (size_t n = 0; n < bytes.size(); n += n < 4000 ? 1 : 97) {
        error.clear();
        auto doc = CDocumentFile::Read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)),
                                       {}, error);
        ASSERT_EQ(doc, nullptr) << n;
        ASSERT_FALSE(error.empty()) << n;
    }
}

TEST(DocumentArchive, MutatedProgramsFailCleanlyOrSaveAgain) {
    auto doc = CProgramDocument::Create();
    doc->OnNewDocument();
    CProgramList& list = *CProgramDocument::GetList(*doc);
    for (int i = 0; i < 3; ++i) {
        CProgram* program = list.AddProgram();
        auto command = std::make_unique<CCommand>("Rapid", "Rapid", "Moves fast");
        command->AddParameter(std::make_unique<CParameter>("X", "X", 1, 600000, "YY>0<5000"));
        program->m_commands.push_back(std::move(command));
    }
    const auto good = CDocumentFile::Write(*doc);
    const size_t programs = good.size() - 200;
    std::mt19937 rng(77);
    for (int round = 0; round < 2000; ++round) {
        auto bytes = good;
        const size_t at = programs + rng() % (bytes.size() - programs);
        if (rng() % 2) {
            bytes[at] = static_cast<uint8_t>(rng());
        } else {
            bytes.erase(bytes.begin() + static_cast<long>(at));
        }
        std::string error;
        auto loaded = CDocumentFile::Read(bytes, {}, error);
        if (!loaded) {
            ASSERT_FALSE(error.empty());
            continue;
        }
        const auto saved = CDocumentFile::Write(*loaded);
        auto again = CDocumentFile::Read(saved, {}, error);
        ASSERT_NE(again, nullptr) << round << ": " << error;
        // The active program is stored by its own index but found again by its list position,
        // so a damaged index may move or drop it; everything else reads back as written.
        ASSERT_EQ(WithoutActiveProgram(CDocumentFile::Write(*again)), WithoutActiveProgram(saved)) << round;
    }
}

}  // namespace
