// Documents saved, loaded and saved again: the same bytes and the same drawing.
#include <gtest/gtest.h>

#include "ArchiveSamples.h"
#include "ExpectedStream.h"
#include "elements/DoubleArc.h"

namespace {

TEST(ArchiveRoundTrip, EveryElementKindSurvivesSaveAndLoad) {
    CKestrovelDoc doc;
    FillRealisticDocument(doc);
    const auto bytes = SaveDocument(doc);
    CKestrovelDoc loaded;
    CArchive in(bytes);
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    const auto again = SaveDocument(loaded);
    EXPECT_EQ(again, bytes) << FirstDifference(again, bytes);

    for (int i = 0; i < 6; ++i) {
        const auto& a = doc.GetLayer(i)->GetPieces();
        const auto& b = loaded.GetLayer(i)->GetPieces();
        ASSERT_EQ(a.size(), b.size()) << i;
        for (auto p = a.begin(), q = b.begin(); p != a.end(); ++p, ++q) {
            EXPECT_EQ((*p)->GetKind(), (*q)->GetKind());
            EXPECT_EQ((*p)->GetStart(), (*q)->GetStart());
            EXPECT_EQ((*p)->GetEnd(), (*q)->GetEnd());
            EXPECT_EQ((*p)->GetYAt(((*p)->GetStart().x + (*p)->GetEnd().x) / 2),
                      (*q)->GetYAt(((*q)->GetStart().x + (*q)->GetEnd().x) / 2));
        }
    }
    EXPECT_EQ(loaded.GetLayer(4)->GetDirection(), 0);
    EXPECT_EQ(loaded.GetActiveLayerIndex(), 3);
}

TEST(ArchiveRoundTrip, LoadedArcKeepsItsExactCircle) {
    CKestrovelDoc doc;
    FillRealisticDocument(doc);
    CKestrovelDoc loaded;
    CArchive in(SaveDocument(doc));
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    auto it = loaded.GetLayer(0)->GetPieces().begin();
    std::advance(it, 2);
    const auto* arc = dynamic_cast<const CArc*>(it->get());
    ASSERT_NE(arc, nullptr);
    auto orig = doc.GetLayer(0)->GetPieces().begin();
    std::advance(orig, 2);
    const auto* before = dynamic_cast<const CArc*>(orig->get());
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(arc->GetExactRadius(), before->GetExactRadius());
    EXPECT_EQ(arc->GetExactCenterZ(), before->GetExactCenterZ());
    EXPECT_EQ(arc->GetCenter(), before->GetCenter());
    EXPECT_EQ(arc->GetMid(), before->GetMid());
    EXPECT_EQ(arc->GetCcw(), before->GetCcw());
    EXPECT_EQ(arc->GetObjectName(), before->GetObjectName());
}

TEST(ArchiveRoundTrip, DoubleArcIsReadBackAsADoubleArc) {
    CKestrovelDoc doc;
    FillRealisticDocument(doc);
    CKestrovelDoc loaded;
    CArchive in(SaveDocument(doc));
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    const auto& pieces = loaded.GetLayer(5)->GetPieces();
    ASSERT_EQ(pieces.size(), 3u);
    const auto* curve = dynamic_cast<const CDoubleArc*>(std::next(pieces.begin())->get());
    ASSERT_NE(curve, nullptr);
    const auto* before = dynamic_cast<const CDoubleArc*>(std::next(doc.GetLayer(5)->GetPieces().begin())->get());
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(curve->IsCompound(), 1);
    EXPECT_EQ(curve->GetJunction(), before->GetJunction());
    EXPECT_EQ(curve->GetDirection(), before->GetDirection());
    EXPECT_EQ(curve->GetMinAngle(), before->GetMinAngle());
    EXPECT_EQ(curve->GetMaxAngle(), before->GetMaxAngle());
    for (int32_t z = 2000000; z <= 4000000; z += 125000) {
        EXPECT_EQ(curve->GetYAt(z), before->GetYAt(z)) << z;
    }
    EXPECT_EQ(curve->GetLabel(), before->GetLabel());
}

}  // namespace
