// Damaged document files: unexpected tags, bad indices, truncation, trailing and mutated bytes.
#include <gtest/gtest.h>

#include <random>

#include "ArchiveSamples.h"
#include "ExpectedStream.h"
#include "document/KestrovelDoc.h"
#include "elements/Selection.h"
#include "platform/Archive.h"

namespace {

struct COpenResult {
    bool bOk;
    std::string strError;
    std::vector<uint8_t> resaved;
    bool bCoordinatesInRange = true;
};

bool InRange(const CPoint& p) {
    return p.x >= -kRoundLimit && p.x <= kRoundLimit && p.y >= -kRoundLimit && p.y <= kRoundLimit;
}

// Every end point of a loaded document lies within the rounding limit.
bool CoordinatesInRange(const CKestrovelDoc& doc) {
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        const CLayer& layer = *doc.GetLayer(i);
        for (const CPiece* piece : {static_cast<const CPiece*>(layer.GetLeftBorder()),
                                    static_cast<const CPiece*>(layer.GetRightBorder())}) {
            if (piece && (!InRange(piece->GetStart()) || !InRange(piece->GetEnd()))) {
                return false;
            }
        }
        for (const auto& piece : layer.GetPieces()) {
            if (!InRange(piece->GetStart()) || !InRange(piece->GetEnd())) {
                return false;
            }
        }
    }
    return true;
}

COpenResult Open(const std::vector<uint8_t>& bytes) {
    CKestrovelDoc doc;
    CArchive ar(bytes);
    COpenResult r{doc.OnOpenDocument(ar), ar.GetError(), {}};
    if (r.bOk) {
        r.resaved = SaveDocument(doc);
        r.bCoordinatesInRange = CoordinatesInRange(doc);
    }
    return r;
}

// The offset of the first record with that tag (its length byte).
size_t FindTag(const std::vector<uint8_t>& bytes, const std::string& tag, size_t from = 0) {
    std::vector<uint8_t> needle = {static_cast<uint8_t>(tag.size())};
    needle.insert(needle.end(), tag.begin(), tag.end());
    const auto it = std::search(bytes.begin() + static_cast<long>(from), bytes.end(), needle.begin(), needle.end());
    return it == bytes.end() ? std::string::npos : static_cast<size_t>(it - bytes.begin());
}

std::vector<uint8_t> Splice(const std::vector<uint8_t>& bytes, size_t at, const std::vector<uint8_t>& insert) {
    std::vector<uint8_t> out(bytes.begin(), bytes.begin() + static_cast<long>(at));
    out.insert(out.end(), insert.begin(), insert.end());
    out.insert(out.end(), bytes.begin() + static_cast<long>(at), bytes.end());
    return out;
}

TEST(ArchiveDamage, SelectionRecordInALayerFailsNamingTagAndOffset) {
    const auto good = RealisticDocument();
    const size_t at = FindTag(good, "Konec Layeru");
    CSelection selection;
    CArchive rec;
    selection.Serialize(rec);
    const COpenResult r = Open(Splice(good, at, rec.GetBytes()));
    EXPECT_FALSE(r.bOk);
    EXPECT_NE(r.strError.find("\"SELECTION\""), std::string::npos) << r.strError;
    EXPECT_NE(r.strError.find("byte " + std::to_string(at)), std::string::npos) << r.strError;
}

TEST(ArchiveDamage, UnknownTagsFailWhereTheyStand) {
    const auto good = RealisticDocument();
    const char* tags[] = {"CIRCLE", "LINEAR ", "linear", ""};
    for (const char* tag : tags) {
        const size_t at = FindTag(good, "LINEAR");
        CExpectedStream s;
        s.Str(tag);
        std::vector<uint8_t> bad = good;
        bad.erase(bad.begin() + static_cast<long>(at), bad.begin() + static_cast<long>(at + 7));
        bad = Splice(bad, at, s.Get());
        const COpenResult r = Open(bad);
        EXPECT_FALSE(r.bOk) << tag;
        EXPECT_NE(r.strError.find("byte " + std::to_string(at)), std::string::npos) << r.strError;
    }
}

TEST(ArchiveDamage, ActiveLayerOutsideTheSixLayersIsRefused) {
    const auto good = RealisticDocument();
    const size_t at = FindTag(good, "Aktualni Layer") + 15;
    for (int32_t index : {6, -1, 1000000}) {
        std::vector<uint8_t> bad = good;
        for (int i = 0; i < 4; ++i) {
            bad[at + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(index) >> (8 * i));
        }
        const COpenResult r = Open(bad);
        EXPECT_FALSE(r.bOk) << index;
        EXPECT_NE(r.strError.find("active layer"), std::string::npos) << r.strError;
    }
    std::vector<uint8_t> last = good;
    last[at] = 5;
    EXPECT_TRUE(Open(last).bOk);
}

// A layer's own index picks its visibility flag; one outside the six layers would read past them.
TEST(ArchiveDamage, LayerIndexOutsideTheSixLayersIsRefused) {
    auto bad = RealisticDocument();
    const size_t at = FindTag(bad, "LAYER", FindTag(bad, "LAYER") + 1) + 8;
    ASSERT_EQ(bad[at], 1);
    bad[at] = 6;
    const COpenResult r = Open(bad);
    EXPECT_FALSE(r.bOk);
    EXPECT_NE(r.strError.find("layer index 6"), std::string::npos) << r.strError;
}

void PutInt(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

// Coordinates beyond the rounding limit would overflow shifts and lengths later; the file is damaged.
TEST(ArchiveDamage, CoordinatesBeyondTheRoundingLimitAreRefusedWithTheirOffset) {
    const auto good = RealisticDocument();
    // The first line's start point: its opening tag, four locks and four common ints before it.
    const size_t lineStart = FindTag(good, "Zacatek Linearu") + 16 + 16 + 16;
    const size_t arcRadius = FindTag(good, "Zacatek Arcu") + 13 + 32 + 16 + 16 + 16;
    const size_t places[] = {0, 8, lineStart, lineStart + 4, arcRadius};
    for (const size_t at : places) {
        for (const int32_t value : {INT32_MIN, INT32_MAX, 2000000001, -2000000001}) {
            std::vector<uint8_t> bad = good;
            PutInt(bad, at, value);
            const COpenResult r = Open(bad);
            EXPECT_FALSE(r.bOk) << at << " " << value;
            EXPECT_NE(r.strError.find("coordinate " + std::to_string(value) + " out of range at byte " +
                                      std::to_string(at)),
                      std::string::npos)
                << r.strError;
        }
        std::vector<uint8_t> limit = good;
        PutInt(limit, at, at == 0 ? -2000000000 : 2000000000);
        EXPECT_EQ(Open(limit).strError.find("out of range"), std::string::npos) << at;
    }
}

TEST(ArchiveDamage, RepeatedLayerIndexIsRefused) {
    auto bad = RealisticDocument();
    const size_t second = FindTag(bad, "LAYER", FindTag(bad, "LAYER") + 1) + 6;
    const size_t fourth = FindTag(bad, "LAYER", FindTag(bad, "LAYER", second) + 1);
    ASSERT_EQ(bad[second + 2], 1);
    bad[second + 2] = 0;
    const COpenResult r = Open(bad);
    EXPECT_FALSE(r.bOk);
    EXPECT_NE(r.strError.find("layer index 0 repeated in the layer record at byte " + std::to_string(second)),
              std::string::npos)
        << r.strError;
    // Swapped indices are a permutation: every layer is still read once.
    auto swapped = RealisticDocument();
    std::swap(swapped[second + 2], swapped[fourth + 8]);
    EXPECT_TRUE(Open(swapped).bOk) << Open(swapped).strError;
}

TEST(ArchiveDamage, TrailingBytesAfterTheEndAreRefused) {
    auto bad = RealisticDocument();
    const size_t end = bad.size();
    bad.push_back(0);
    const COpenResult r = Open(bad);
    EXPECT_FALSE(r.bOk);
    EXPECT_NE(r.strError.find("byte " + std::to_string(end)), std::string::npos) << r.strError;
}

TEST(ArchiveDamage, StringLongerThanTheFileIsRefused) {
    auto bad = RealisticDocument();
    const size_t at = FindTag(bad, "Pocatek Layeru");
    bad[at] = 0xFF;
    bad[at + 1] = 0xFF;
    bad[at + 2] = 0xFF;
    bad[at + 3] = 0xFF;
    bad[at + 4] = 0xFF;
    bad[at + 5] = 0xFF;
    bad[at + 6] = 0x7F;
    const COpenResult r = Open(bad);
    EXPECT_FALSE(r.bOk);
    EXPECT_NE(r.strError.find("past the end"), std::string::npos) << r.strError;
}

TEST(ArchiveDamage, EveryTruncationFails) {
    const auto good = RealisticDocument();
    ASSERT_TRUE(Open(good).bOk);
    for (size_t n = 0; n < good.size(); ++n) {
        const COpenResult r = Open(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n)));
        ASSERT_FALSE(r.bOk) << "truncated to " << n << " bytes";
        ASSERT_FALSE(r.strError.empty()) << n;
    }
}

// Whatever a mutated file gives, it either fails with a reason or loads a drawing that saves,
// loads and saves again to the same bytes.
TEST(ArchiveDamage, RandomMutationsFailCleanlyOrLoadADocumentThatSavesAgain) {
    const auto good = RealisticDocument();
    std::mt19937 rng(20240611);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0: bytes[at] = static_cast<uint8_t>(rng()); break;
                case 1: bytes[at] ^= static_cast<uint8_t>(1u << (rng() % 8)); break;
                case 2: bytes.erase(bytes.begin() + static_cast<long>(at)); break;
                default: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<uint8_t>(rng())); break;
            }
            if (bytes.empty()) {
                bytes.push_back(0);
            }
        }
        const COpenResult r = Open(bytes);
        if (!r.bOk) {
            ASSERT_FALSE(r.strError.empty()) << round;
            continue;
        }
        ++loaded;
        ASSERT_TRUE(r.bCoordinatesInRange) << round;
        const COpenResult again = Open(r.resaved);
        ASSERT_TRUE(again.bOk) << round << ": " << again.strError;
        ASSERT_EQ(again.resaved, r.resaved) << round;
    }
    EXPECT_GT(loaded, 0);
}

}  // namespace
