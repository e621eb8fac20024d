// The streamed dump: the same text as the whole document's tree dumped at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>

#include "CliRunner.h"
#include "cli/DocumentJson.h"
#include "cli/JsonStream.h"
#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Streamed(const std::function<void(CJsonStream&)>& write) {
    std::FILE* file = std::tmpfile();
    {
        CJsonStream out(file);
        write(out);
        EXPECT_TRUE(out.Flush());
    }
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
    std::fclose(file);
    return text;
}

// Texts a file may hold: quotes, backslashes, control bytes, Latin-1 and UTF-8.
std::string RandomText(std::mt19937& rng) {
    static const std::string kPieces[] = {"",     "a",    "\"",   "\\",       "\n",  "\t",
                                          "\x01", "\x7f", "\xe9", "\xc3\xa9", "Ø12", "/"};
    std::string text;
    for (int i = static_cast<int>(rng() % 4); i > 0; --i) {
        text += kPieces[rng() % std::size(kPieces)];
    }
    return text;
}

Json RandomTree(std::mt19937& rng, int depth) {
    switch (rng() % (depth > 3 ? 5 : 7)) {
        case 0: return static_cast<int>(rng()) - 1000000;
        case 1: return std::uniform_real_distribution<double>(-1e9, 1e9)(rng) / (1 + rng() % 1000);
        case 2: return CDocumentJson::Text(RandomText(rng));
        case 3: return rng() % 2 == 0;
        case 4: return nullptr;
        case 5: {
            Json array = Json::array();
            for (int i = static_cast<int>(rng() % 4); i > 0; --i) {
                array.push_back(RandomTree(rng, depth + 1));
            }
            return array;
        }
        default: {
            Json object = Json::object();
            for (int i = static_cast<int>(rng() % 4); i > 0; --i) {
                object[CDocumentJson::Text(RandomText(rng)) + std::to_string(i)] = RandomTree(rng, depth + 1);
            }
            return object;
        }
    }
}

TEST(JsonStream, LaysOutAnyTreeAsItsTwoSpaceDump) {
    std::mt19937 rng(25);
    for (int i = 0; i < 500; ++i) {
        const Json tree = RandomTree(rng, 0);
        ASSERT_EQ(Streamed([&](CJsonStream& out) { out.Value(tree); }), tree.dump(2)) << tree.dump();
    }
}

TEST(JsonStream, AWriteThatFailsIsReported) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    CJsonStream out(full);
    out.Value(Json(std::string(100000, 'x')));
    EXPECT_FALSE(out.Flush());
    std::fclose(full);
}

class CliDumpStream : public CliTest {
protected:
    // The dump of the file by the tool, against the document's tree dumped at once.
    void ExpectSameDump(const std::string& path) const {
        std::string error;
        const auto doc = CDocumentFile::Open(path, {}, error);
        ASSERT_TRUE(doc) << error;
        const std::string expected =
            CDocumentJson::FromDocument(*doc, CProgramDocument::GetList(*doc)).dump(2) + "\n";
        const CCliResult r = Run({"dump", path});
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        EXPECT_EQ(r.strOut, expected);
    }
};

TEST_F(CliDumpStream, SampleDrawing) {
    ExpectSameDump(KESTROVEL_SOURCE_DIR "/examples/sample.kst");
}

TEST_F(CliDumpStream, RandomDrawings) {
    std::mt19937 rng(2512);
    for (int round = 0; round < 3; ++round) {
        auto doc = CProgramDocument::Create();
        doc->OnNewDocument();
        std::uniform_int_distribution<int32_t> z(0, 3000000), x(0, 400000);
        for (int layer = 0; layer < CKestrovelDoc::kLayerCount; layer += 1 + round) {
            for (int i = 0; i < 40; ++i) {
                const CPoint a{z(rng), x(rng)}, b{z(rng), x(rng)};
                std::unique_ptr<CPiece> piece;
                switch (rng() % 3) {
                    case 0: piece = std::make_unique<CLinear>(a, b); break;
                    case 1: piece = std::make_unique<CArc>(a, b, CPoint{z(rng), x(rng)}); break;
                    default:
                        piece = std::make_unique<CDoubleArc>(a, CPoint{z(rng), x(rng)}, b,
                                                             CPoint{z(rng), x(rng)});
                }
                piece->SetFeed(static_cast<int32_t>(rng() % 3000) - 1);
                piece->SetLeave(static_cast<int32_t>(rng() % 100) - 50);
                doc->GetLayer(layer)->AddPiece(std::move(piece), 0);
            }
        }
        CProgramList& programs = *CProgramDocument::GetList(*doc);
        for (int p = 0; p < round + 1; ++p) {
            CProgram* program = programs.AddProgram();
            program->SetName(RandomText(rng) + "P");
            program->SetNote(RandomText(rng));
            auto command = std::make_unique<CCommand>(RandomText(rng), "Kontura", RandomText(rng));
            command->AddParameter(
                std::make_unique<CParameter>(RandomText(rng), "F", p % 2, rng() % 9000, "YN>0"));
            program->m_commands.push_back(std::move(command));
        }
        const std::string path = PathOf("random" + std::to_string(round) + ".kst");
        std::string error;
        ASSERT_TRUE(doc->OnSaveDocument(path, error)) << error;
        ExpectSameDump(path);
    }
}

}  // namespace
