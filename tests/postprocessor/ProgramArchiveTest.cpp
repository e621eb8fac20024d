// Program, command and parameter records in the document archive.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/KestrovelDoc.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

std::vector<uint8_t> Tag(const std::string& s) {
    std::vector<uint8_t> v(s.size() + 1);
    v[0] = static_cast<uint8_t>(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        v[i + 1] = static_cast<uint8_t>(s[i]);
    }
    return v;
}

std::vector<uint8_t> Int(int32_t n) {
    const auto u = static_cast<uint32_t>(n);
    return {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
            static_cast<uint8_t>(u >> 24)};
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

void Fill(CProgramList& list) {
    CProgram* first = list.AddProgram();
    first->SetNote("roughing\r\nthen finishing");
    first->SetNumber(77);
    first->m_strPostName = "LinuxCNC lathe";
    auto command = std::make_unique<CCommand>("Rapid", "Rapid", "Moves fast");
    command->SetIndex(4);
    command->AddParameter(std::make_unique<CParameter>("X", "X", 1, -125000, "YY"));
    command->AddParameter(std::make_unique<CParameter>("Z", "Z", 0, 0, "NY>0"));
    first->m_commands.push_back(std::move(command));
    list.AddProgram("Second");
    list.SetActiveProgram(first);
}

}  // namespace

TEST(ProgramArchive, RecordBytes) {
    CProgram program("P");
    auto command = std::make_unique<CCommand>("C", "M", "H");
    command->AddParameter(std::make_unique<CParameter>("L", "K", 1, 125000, "S"));
    program.m_commands.push_back(std::move(command));
    CArchive ar;
    program.Serialize(ar);
    const std::vector<uint8_t> expected =
        Join({Tag("Program"), Tag("P"), Tag(""), Int(10), Int(0), Tag("none"), Tag("Command"), Tag("C"), Int(0),
              Tag("H"), Tag("M"), Tag("Parameter"), Tag("L"), Tag("S"), Int(1), Tag("K"), Int(125000),
              Tag("End Parameters"), Tag("End Commands")});
    EXPECT_EQ(ar.GetBytes(), expected);
}

TEST(ProgramArchive, ListRoundTrip) {
    CProgramList list;
    Fill(list);
    CArchive out;
    list.StorePrograms(out);
    out.WriteString("End");
    CArchive in(out.GetBytes());
    ASSERT_EQ(in.ReadString(), "Programs");
    CProgramList loaded;
    loaded.LoadPrograms(in);
    ASSERT_FALSE(in.Failed()) << in.GetError();
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(loaded.GetPrograms().size(), 2u);
    const CProgram& p = *loaded.GetPrograms()[0];
    EXPECT_EQ(loaded.GetActiveProgram(), &p);
    EXPECT_EQ(p.GetName(), "New Program1");
    EXPECT_EQ(p.GetNote(), "roughing\r\nthen finishing");
    EXPECT_EQ(p.GetNumber(), 77);
    EXPECT_EQ(p.GetPostName(), "LinuxCNC lathe");
    EXPECT_EQ(p.GetPreProcesor(), nullptr);
    ASSERT_EQ(p.GetCommands().size(), 1u);
    const CCommand& c = *p.GetCommands()[0];
    EXPECT_EQ(c.GetName(), "Rapid");
    EXPECT_EQ(c.GetIndex(), 4);
    EXPECT_EQ(c.GetHelp(), "Moves fast");
    EXPECT_EQ(c.GetMacroName(), "Rapid");
    ASSERT_EQ(c.GetParameters().size(), 2u);
    EXPECT_EQ(c.GetParameters()[0]->GetRawValue(), -125000);
    EXPECT_EQ(c.GetParameters()[1]->GetSpec(), "NY>0");
    EXPECT_EQ(c.GetParameters()[1]->HasValue(), 0);
    EXPECT_EQ(loaded.GetPrograms()[1]->GetIndex(), 1);
    // New programs continue the numbering of what was loaded.
    EXPECT_EQ(loaded.NextProgramName(), "New Program2");
}

TEST(ProgramArchive, NoActiveProgram) {
    CProgramList list;
    list.AddProgram("A");
    list.SetActiveProgram(nullptr);
    CArchive out;
    list.StorePrograms(out);
    out.WriteString("End");
    EXPECT_EQ(std::vector<uint8_t>(out.GetBytes().begin() + 9, out.GetBytes().begin() + 13), Int(-1));
    CArchive in(out.GetBytes());
    in.ReadString();
    CProgramList loaded;
    loaded.LoadPrograms(in);
    EXPECT_EQ(loaded.GetPrograms().size(), 1u);
    EXPECT_EQ(loaded.GetActiveProgram(), nullptr);
}

TEST(ProgramArchive, DamagedAndTruncatedStreamsFail) {
    CProgramList list;
    Fill(list);
    CArchive out;
    list.StorePrograms(out);
    out.WriteString("End");
    const std::vector<uint8_t> bytes = out.GetBytes();
    for (size_t cut = 9; cut < bytes.size(); cut += 7) {
        CArchive in(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        in.ReadString();
        CProgramList loaded;
        loaded.LoadPrograms(in);
        EXPECT_TRUE(in.Failed()) << cut;
    }
    CArchive wrong(Join({Int(0), Tag("Programm"), Tag("x")}));
    CProgramList loaded;
    loaded.LoadPrograms(wrong);
    EXPECT_TRUE(wrong.Failed());
    EXPECT_TRUE(loaded.GetPrograms().empty());
    CArchive badCommand(Join({Int(0), Tag("Program"), Tag("n"), Tag(""), Int(1), Int(0), Tag("none"),
                              Tag("Comand"), Tag("End Commands"), Tag("End")}));
    CProgramList other;
    other.LoadPrograms(badCommand);
    EXPECT_TRUE(badCommand.Failed());
}

TEST(ProgramArchive, DocumentRoundTrip) {
    auto doc = CProgramDocument::Create();
    ASSERT_TRUE(doc->OnNewDocument());
    CProgramList* list = CProgramDocument::GetList(*doc);
    ASSERT_NE(list, nullptr);
    Fill(*list);
    const auto path = std::filesystem::temp_directory_path() / ("kestrovel_programs_" + std::to_string(::getpid()));
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(path.string(), error)) << error;
    auto loaded = CProgramDocument::Create();
    ASSERT_TRUE(loaded->OnOpenDocument(path.string(), error)) << error;
    std::filesystem::remove(path);
    CProgramList* loadedList = CProgramDocument::GetList(*loaded);
    ASSERT_EQ(loadedList->GetPrograms().size(), 2u);
    EXPECT_EQ(loadedList->GetActiveProgram(), loadedList->GetPrograms()[0].get());
    EXPECT_EQ(loadedList->GetPrograms()[0]->GetCommands()[0]->GetParameters()[0]->GetRawValue(), -125000);
}
