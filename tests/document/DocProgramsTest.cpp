// The document's programs part in the file, and layer records the reader must refuse.
#include <gtest/gtest.h>

#include "TestLayers.h"
#include "document/KestrovelDoc.h"
#include "elements/DoubleArc.h"
#include "platform/Archive.h"

namespace {
// Stores one number after the active index, as a stand-in for the program records.
struct CFakePrograms : CDocPrograms {
    bool HasPrograms() const override { return bHas; }
    void StorePrograms(CArchive& ar) override {
        ar.WriteString("Programs");
        ar.WriteInt(nActive);
        ar.WriteInt(nPayload);
    }
    void LoadPrograms(CArchive& ar) override {
        nActive = ar.ReadInt();
        nPayload = ar.ReadInt();
        ar.ReadString();  // the document's closing "End"
        ++nLoads;
    }
    bool bHas = true;
    int nActive = -1;
    int nPayload = 0;
    int nLoads = 0;
};

std::vector<uint8_t> SavedWithPrograms(int payload) {
    CKestrovelDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    auto programs = std::make_unique<CFakePrograms>();
    programs->nPayload = payload;
    doc.SetPrograms(std::move(programs));
    CArchive ar;
    doc.Serialize(ar);
    return ar.GetBytes();
}

TEST(DocPrograms, ProgramsBlockGoesThroughTheInstalledPart) {
    const auto bytes = SavedWithPrograms(4242);
    CKestrovelDoc loaded;
    loaded.SetPrograms(std::make_unique<CFakePrograms>());
    CArchive in(bytes);
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    auto* programs = static_cast<CFakePrograms*>(loaded.GetPrograms());
    EXPECT_EQ(programs->nLoads, 1);
    EXPECT_EQ(programs->nPayload, 4242);
}

TEST(DocPrograms, WithoutProgramsNoBlockIsWritten) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    auto programs = std::make_unique<CFakePrograms>();
    programs->bHas = false;
    doc.SetPrograms(std::move(programs));
    CArchive ar;
    doc.Serialize(ar);
    CKestrovelDoc plain;
    CArchive in(ar.GetBytes());
    EXPECT_TRUE(plain.OnOpenDocument(in)) << in.GetError();
}

TEST(DocPrograms, ProgramsInAFileNeedTheProgramPart) {
    CKestrovelDoc loaded;
    CArchive in(SavedWithPrograms(1));
    EXPECT_FALSE(loaded.OnOpenDocument(in));
    EXPECT_NE(in.GetError().find("\"Programs\""), std::string::npos) << in.GetError();
}

TEST(LayerRecord, IndexOutsideTheSixLayersIsRefused) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.SetIndex(6);
    CArchive out;
    layer.Serialize(out);
    CLayer back;
    CArchive in(out.GetBytes());
    back.Serialize(in);
    EXPECT_TRUE(in.Failed());
    EXPECT_NE(in.GetError().find("layer index 6"), std::string::npos) << in.GetError();
}

TEST(LayerRecord, RoundTripKeepsTheChain) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.AddPiece(std::make_unique<CLinear>(2000000, 800000, 3000000, 800000), 0);
    layer.SetIndex(2);
    CArchive out;
    layer.Serialize(out);
    CLayer back;
    CArchive in(out.GetBytes());
    back.Serialize(in);
    ASSERT_FALSE(in.Failed()) << in.GetError();
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Spans(back), Spans(layer));
    EXPECT_EQ(back.GetLeftBorder()->GetEnd(), layer.GetLeftBorder()->GetEnd());
    EXPECT_EQ(back.GetRightBorder()->IsLeft(), 0);
    // Numbers are stored with the elements; the next number is not and comes from renumbering.
    EXPECT_EQ(back.GetPieces().back()->GetNumber(), 3);
}

TEST(LayerRecord, DoubleArcIsReadBack) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.AddPiece(std::make_unique<CDoubleArc>(CPoint(2000000, 1000000), CPoint(2500000, 1200000),
                                                CPoint(3000000, 1000000), CPoint(2000000, 1300000)),
                   0);
    ASSERT_EQ(layer.GetPieces().size(), 3u);
    CArchive out;
    layer.Serialize(out);
    CLayer back;
    CArchive in(out.GetBytes());
    back.Serialize(in);
    ASSERT_FALSE(in.Failed()) << in.GetError();
    EXPECT_EQ(Spans(back), Spans(layer));
    const CPiece& middle = **std::next(back.GetPieces().begin());
    EXPECT_EQ(middle.GetKind(), kKindDoubleArc);
    EXPECT_EQ(middle.IsCompound(), 1);
    CArchive again;
    back.Serialize(again);
    EXPECT_EQ(again.GetBytes(), out.GetBytes());
}

// A chain from a file is trusted: even out of order, an insertion must free nothing twice.
TEST(LayerInsertTrusted, OutOfOrderChainStaysMemorySafe) {
    CLayer layer;
    layer.CreateBorders(0, 10, 9000);
    for (auto [a, b] : {std::pair{6000, 9000}, {0, 3000}, {3000, 6000}}) {
        layer.GetPieces().push_back(std::make_unique<CLinear>(a, 10, b, 10));
    }
    layer.AddPiece(std::make_unique<CLinear>(1000, 5, 7000, 5), 0);
    for (const auto& p : layer.GetPieces()) {
        EXPECT_LE(p->GetStart().x, p->GetEnd().x);
    }
    EXPECT_FALSE(layer.GetPieces().empty());
}

}  // namespace
