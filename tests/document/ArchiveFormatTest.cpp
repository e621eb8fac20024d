// Exact bytes of document files: primitives, strings, element and layer records, a new drawing.
#include <gtest/gtest.h>

#include "ExpectedStream.h"
#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Border.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"
#include "elements/Selection.h"
#include "platform/Archive.h"

namespace {

std::vector<uint8_t> Save(CKestrovelDoc& doc) {
    CArchive ar;
    doc.Serialize(ar);
    return ar.GetBytes();
}

std::vector<uint8_t> Save(CPiece& piece) {
    CArchive ar;
    piece.Serialize(ar);
    return ar.GetBytes();
}

// One layer of a new drawing with the built-in defaults (900 mm by 200 mm).
void ExpectNewLayer(CExpectedStream& s, int i) {
    const uint32_t brushes[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00, 0xFFFF00, 0x00FFFF};
    s.Str(std::to_string(i + 1)).Int(i).Str("Pocatek Layeru");
    for (int v = 0; v < 7; ++v) {
        s.Int(v == 0 || v == i + 1 ? 1 : 0);
    }
    s.Int(1).Dword(brushes[i]).Int(0).Int(0).Int(i % 2 == 0 ? 2 : 3).Int(1);
    s.Dword(i == 3 ? 0x008080 : 0).Int(0).Int(1);
    s.Str("BORDER").Str("Zacatek Borderu").Int(1).Locks(0, 0, 0, 0).Common(-5, -1, -1, 0);
    s.Point(-500000, 1100000).Point(0, 1000000).Str("Konec Borderu");
    s.Str("BORDER").Str("Zacatek Borderu").Int(0).Locks(0, 0, 0, 0).Common(-5, -1, -1, -1);
    s.Point(9000000, 1000000).Point(9500000, 1100000).Str("Konec Borderu");
    s.Str("LINEAR").Str("Zacatek Linearu").Locks(0, 0, 0, 0).Common(-5, -1, -1, 1);
    s.Point(0, 1000000).Point(9000000, 1000000).Str("Konec Linearu");
    s.Str("Konec Layeru");
}

TEST(ArchiveFormat, NewDrawingWithBuiltInDefaultsIsWrittenExactly) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CExpectedStream s;
    s.Rect(0, 1000000, 9000000, 0).Int(1).Int(0).Int(1);
    for (int i = 0; i < 6; ++i) {
        s.Str("LAYER");
        ExpectNewLayer(s, i);
    }
    s.Str("Aktualni Layer").Int(0).Str("End");
    const std::vector<uint8_t> bytes = Save(doc);
    EXPECT_EQ(bytes, s.Get()) << FirstDifference(bytes, s.Get());
}

TEST(ArchiveFormat, StringPrefixesTakeOneThreeOrSevenBytes) {
    struct Case {
        size_t n;
        std::vector<uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {15, {0x0F}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string text(c.n, 'k');
        CArchive ar;
        ar.WriteString(text);
        const auto& bytes = ar.GetBytes();
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.n) << c.n;
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix)
            << c.n;
        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_FALSE(in.Failed());
    }
}

TEST(ArchiveFormat, TagIsItsLengthByteAndItsCharacters) {
    CArchive ar;
    ar.WriteString("Zacatek Linearu");
    std::vector<uint8_t> expected = {15};
    for (char c : std::string("Zacatek Linearu")) {
        expected.push_back(static_cast<uint8_t>(c));
    }
    EXPECT_EQ(ar.GetBytes(), expected);
}

// Distinct values in every field catch any two fields written in each other's place.
void Distinguish(CPiece& p) {
    p.m_bLockStartX = 1;  // lock 0
    p.m_bLockStartY = 0;  // lock 1
    p.m_bLockEndX = 0;    // lock 2
    p.m_bLockEndY = 1;    // lock 3
    p.m_nLeave = 30000;
    p.m_nFeed = 150;
    p.m_nSpeed = 900;
    p.m_nNumber = 7;
}

TEST(ArchiveFormat, LineRecordHasLocksThenCommonFields) {
    CLinear line(CPoint{100000, 200000}, CPoint{300000, 400000});
    Distinguish(line);
    CExpectedStream s;
    s.Str("LINEAR").Str("Zacatek Linearu").Locks(0, 1, 1, 0).Common(30000, 150, 900, 7);
    s.Point(100000, 200000).Point(300000, 400000).Str("Konec Linearu");
    EXPECT_EQ(Save(line), s.Get());
}

TEST(ArchiveFormat, BorderWritesItsSideBeforeTheLocks) {
    CBorder border(CPoint{-500000, 1100000}, CPoint{0, 1000000}, 1);
    Distinguish(border);
    CExpectedStream s;
    s.Str("BORDER").Str("Zacatek Borderu").Int(1).Locks(0, 1, 1, 0).Common(30000, 150, 900, 7);
    s.Point(-500000, 1100000).Point(0, 1000000).Str("Konec Borderu");
    EXPECT_EQ(Save(border), s.Get());
}

TEST(ArchiveFormat, ArcWritesItsOwnIntegersAfterTheLocks) {
    CArc arc;
    arc.m_ptStart = CPoint{100000, 200000};
    arc.m_ptEnd = CPoint{500000, 200000};
    Distinguish(arc);
    arc.m_bLockCenterX = 1;
    arc.m_bLockCenterY = 0;
    arc.m_bLockRadius = 1;
    arc.m_bCcw = 1;
    arc.m_ptCenter = CPoint{300000, 50000};
    arc.m_ptMid = CPoint{300000, 300000};
    arc.m_nRadius = 250000;
    arc.m_dRadius = 250000.25;
    arc.m_dCenterX = 300000.5;
    arc.m_dCenterY = 50000.75;
    CExpectedStream s;
    s.Str("ARC").Str("Zacatek Arcu").Locks(0, 1, 1, 0).Int(1).Int(0).Int(1).Int(1);
    s.Common(30000, 150, 900, 7).Point(100000, 200000).Point(500000, 200000);
    s.Point(300000, 50000).Point(300000, 300000).Int(250000);
    s.Double(250000.25).Double(300000.5).Double(50000.75).Str("Konec Arcu");
    EXPECT_EQ(Save(arc), s.Get());

    CArchive in(s.Get());
    in.ReadString();
    CArc back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Save(back), s.Get());
}

TEST(ArchiveFormat, DoubleArcWritesFiveIntegersThenCirclesThenItsPoints) {
    CDoubleArc curve;
    curve.m_ptStart = CPoint{100000, 200000};
    curve.m_ptEnd = CPoint{500000, 200000};
    Distinguish(curve);
    curve.SetLock(kLockJunctionZ, 1);
    curve.SetLock(kLockJunctionX, 0);
    curve.SetLock(kLockDirection, 1);
    curve.m_bUpper1 = 1;
    curve.m_bUpper2 = 0;
    curve.m_dRadius1 = 1.25;
    curve.m_dCenter1Z = 2.5;
    curve.m_dCenter1X = 3.75;
    curve.m_dRadius2 = 4.125;
    curve.m_dCenter2Z = 5.0625;
    curve.m_dCenter2X = 6.5;
    curve.m_ptDirection = CPoint{50000, 150000};
    curve.m_ptJunction = CPoint{300000, 250000};
    CExpectedStream s;
    s.Str("DOUBLEARC").Str("Zacatek DoubleArcu").Locks(0, 1, 1, 0).Int(1).Int(0).Int(1).Int(1).Int(0);
    s.Common(30000, 150, 900, 7).Point(100000, 200000).Point(500000, 200000);
    s.Double(1.25).Double(2.5).Double(3.75).Double(4.125).Double(5.0625).Double(6.5);
    s.Point(50000, 150000).Point(300000, 250000).Str("Konec DoubleArcu");
    EXPECT_EQ(Save(curve), s.Get());

    CArchive in(s.Get());
    in.ReadString();
    CDoubleArc back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Save(back), s.Get());
}

TEST(ArchiveFormat, SelectionRecordIsWrittenLikeALine) {
    CSelection selection;
    selection.m_ptStart = CPoint{10, 20};
    selection.m_ptEnd = CPoint{30, 40};
    Distinguish(selection);
    CExpectedStream s;
    s.Str("SELECTION").Str("Zacatek Selekce").Locks(0, 1, 1, 0).Common(30000, 150, 900, 7);
    s.Point(10, 20).Point(30, 40).Str("Konec Selekce");
    EXPECT_EQ(Save(selection), s.Get());
}

TEST(ArchiveFormat, LayerStyleAndDirectionAreWrittenAndReadInTheirOrder) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CLayer& layer = *doc.GetLayer(1);
    layer.SetDirection(0);
    CLayerStyle& st = layer.GetStyle();
    st.m_crBrush = 0x112233;
    st.m_bBrushNull = 1;
    st.m_bBrushSolid = 0;
    st.m_nBrushType = 5;
    st.m_bDrawEdges = 0;
    st.m_crPen = 0x445566;
    st.m_nPenStyle = 3;
    st.m_nPenWidth = 4;
    layer.SetVisible(5, 1);
    CArchive ar;
    layer.Serialize(ar);
    CExpectedStream s;
    s.Str("2").Int(1).Str("Pocatek Layeru").Int(1).Int(0).Int(1).Int(0).Int(0).Int(1).Int(0);
    s.Int(0).Dword(0x112233).Int(1).Int(0).Int(5).Int(0).Dword(0x445566).Int(3).Int(4);
    const std::vector<uint8_t> head(ar.GetBytes().begin(), ar.GetBytes().begin() + static_cast<long>(s.Get().size()));
    EXPECT_EQ(head, s.Get());

    CKestrovelDoc loaded;
    CArchive in(Save(doc));
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    const CLayer& back = *loaded.GetLayer(1);
    EXPECT_EQ(back.GetDirection(), 0);
    EXPECT_EQ(back.GetStyle().m_crPen, 0x445566u);
    EXPECT_EQ(back.GetStyle().m_nPenWidth, 4);
    EXPECT_EQ(back.IsVisible(5), 1);
}

TEST(ArchiveFormat, OpeningLinksLayersTakesFirstSnapshotsAndTheStoredActiveLayer) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.GetLayer(3)->AddLine(2000000, 800000, 3000000, 800000);
    doc.SetActiveLayer(3);
    CKestrovelDoc loaded;
    CArchive in(Save(doc));
    ASSERT_TRUE(loaded.OnOpenDocument(in)) << in.GetError();
    EXPECT_EQ(loaded.GetActiveLayerIndex(), 3);
    EXPECT_EQ(loaded.GetActiveLayer(), loaded.GetLayer(3));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(loaded.GetLayer(i)->GetDocument(), &loaded);
        EXPECT_EQ(loaded.GetUndo(i).GetCount(), 1);
        EXPECT_EQ(loaded.GetLayer(i)->GetIndex(), i);
    }
    EXPECT_FALSE(loaded.CanUndo());
    EXPECT_EQ(loaded.GetLayer(3)->GetPieces().size(), 3u);
    EXPECT_EQ(Save(loaded), Save(doc));
}

}  // namespace
