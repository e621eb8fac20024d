// Exporting drawings to DXF: read back by ezdxf entity by entity, and imported back to the same elements.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "EzdxfFiles.h"
#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"
#include "platform/Messages.h"
#include "postprocessor/DocumentFile.h"

namespace {

std::unique_ptr<CKestrovelDoc> Sample(CDocServices& services) {
    std::string error;
    auto doc =
        CDocumentFile::Open(std::string(KESTROVEL_SOURCE_DIR) + "/examples/sample.kst", services, error);
    EXPECT_TRUE(doc) << error;
    return doc;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kestrovel-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// The layer's elements as the importer would hand them back (double arcs as their arcs).
std::vector<CImportPiece> Pieces(const CLayer& layer) {
    std::vector<CImportPiece> out;
    for (const auto& piece : layer.GetPieces()) {
        std::vector<std::unique_ptr<CPiece>> parts;
        for (int i = 1; auto part = piece->GetPart(i); ++i) {
            parts.push_back(std::move(part));
        }
        if (parts.empty()) {
            parts.push_back(piece->Clone());
        }
        for (const auto& p : parts) {
            const auto* arc = dynamic_cast<const CArc*>(p.get());
            out.push_back({arc && !arc->IsStraight(), p->GetStart(), p->GetEnd(), {}});
        }
    }
    return out;
}

}  // namespace

void PrintTo(const CImportPiece& p, std::ostream* os) {
    *os << (p.m_bArc ? "arc " : "line ") << p.m_ptStart.x << "," << p.m_ptStart.y << " - " << p.m_ptEnd.x
        << "," << p.m_ptEnd.y;
}

namespace {

std::vector<CImportPiece> WithoutMid(std::vector<CImportPiece> pieces) {
    for (CImportPiece& p : pieces) {
        p = {p.m_bArc, p.m_ptStart, p.m_ptEnd, {}};
    }
    return pieces;
}

TEST(DxfExport, SampleDrawingIsReadByEzdxfEntityByEntity) {
    REQUIRE_EZDXF();
    CDocServices services;
    auto doc = Sample(services);
    ASSERT_TRUE(doc);
    const std::string path = TempPath("sample.dxf");
    std::string error;
    ASSERT_TRUE(CDxfExport::Write(CDxfExport::Collect(*doc, false), path, error)) << error;
    const nlohmann::json read = ezdxf::Read(path);
    ASSERT_TRUE(read.is_object());
    EXPECT_EQ(read["insunits"], 4);
    const auto& entities = read["entities"];
    size_t at = 0;
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        for (const CImportPiece& p : Pieces(*doc->GetLayer(i))) {
            ASSERT_LT(at, entities.size());
            const auto& e = entities[at++];
            EXPECT_EQ(e["layer"], "Layer " + std::to_string(i + 1));
            EXPECT_EQ(e["type"], p.m_bArc ? "ARC" : "LINE");
            // An arc is written counter-clockwise: its DXF start is either end of the element.
            std::vector<double> ends{e["start"][0], e["start"][1], e["end"][0], e["end"][1]};
            if (p.m_bArc && ends[0] > ends[2]) {
                std::swap(ends[0], ends[2]);
                std::swap(ends[1], ends[3]);
            }
            EXPECT_NEAR(ends[0], p.m_ptStart.x / 1e4, 1e-9);
            EXPECT_NEAR(ends[1], p.m_ptStart.y / 1e4, 1e-9);
            EXPECT_NEAR(ends[2], p.m_ptEnd.x / 1e4, 1e-9);
            EXPECT_NEAR(ends[3], p.m_ptEnd.y / 1e4, 1e-9);
        }
    }
    ASSERT_EQ(entities.size(), at + 4);  // the closed outline of the source material
    for (; at < entities.size(); ++at) {
        EXPECT_EQ(entities[at]["layer"], "Stock");
    }
    std::filesystem::remove(path);
}

TEST(DxfExport, MirroredAddsTheImageBelowTheAxis) {
    CDocServices services;
    auto doc = Sample(services);
    ASSERT_TRUE(doc);
    const auto upper = CDxfExport::Collect(*doc, false);
    const auto both = CDxfExport::Collect(*doc, true);
    // Each element twice; the stock outline as two open halves of three lines each.
    EXPECT_EQ(both.size(), 2 * (upper.size() - 4) + 6);
    for (size_t i = 0; i + 1 < both.size(); i += 2) {
        if (both[i].m_strLayer != "Stock") {
            EXPECT_DOUBLE_EQ(both[i + 1].m_a.x, -both[i].m_a.x);
            EXPECT_DOUBLE_EQ(both[i + 1].m_center.x, -both[i].m_center.x);
        }
    }
}

// Export then import gives every layer's elements back: same points, circles within a unit.
// exact: the same points; otherwise within the join distance of 0.001 mm (the layer may leave a
// gap or a step of a few units between two elements, which the import joins).
void ExpectRoundTrip(const CKestrovelDoc& doc, const std::string& path, bool exact = true) {
    std::string error;
    ASSERT_TRUE(CDxfExport::Write(CDxfExport::Collect(doc, false), path, error)) << error;
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        CDxfImportOptions options;
        options.dxfLayers = {"Layer " + std::to_string(i + 1)};
        CImportResult result;
        ASSERT_TRUE(CDxfImport().LoadFile(path, options, result, error)) << error;
        const std::vector<CImportPiece> expected = Pieces(*doc.GetLayer(i));
        if (exact) {
            ASSERT_EQ(WithoutMid(result.m_pieces), expected) << "layer " << i + 1;
        } else {
            ASSERT_EQ(result.m_pieces.size(), expected.size()) << "layer " << i + 1;
            // An arc whose ends the layer left off its own circle cannot be written as a DXF arc;
            // it and its neighbours' shared ends are not compared.
            std::vector<bool> off(expected.size() + 1, false);
            size_t k = 0;
            for (const auto& piece : doc.GetLayer(i)->GetPieces()) {
                if (const auto* arc = dynamic_cast<const CArc*>(piece.get()); arc && !arc->IsStraight()) {
                    for (CPoint end : {arc->GetStart(), arc->GetEnd()}) {
                        const double d =
                            std::hypot(end.x - arc->GetExactCenterZ(), end.y - arc->GetExactCenterX());
                        off[k] = off[k] || std::fabs(d - arc->GetExactRadius()) > 1.0;
                    }
                }
                ++k;
            }
            for (k = 0; k < expected.size(); ++k) {
                if (off[k] || (k > 0 && off[k - 1]) || off[k + 1]) {
                    continue;
                }
                EXPECT_EQ(result.m_pieces[k].m_bArc, expected[k].m_bArc);
                for (auto [a, b] : {std::pair{result.m_pieces[k].m_ptStart, expected[k].m_ptStart},
                                    std::pair{result.m_pieces[k].m_ptEnd, expected[k].m_ptEnd}}) {
                    EXPECT_LE(std::abs(a.x - b.x), 10) << k;
                    EXPECT_LE(std::abs(a.y - b.y), 10) << k;
                }
            }
        }
        // The arc through its two ends and the imported mid point is the same circle.
        auto it = doc.GetLayer(i)->GetPieces().begin();
        for (const CImportPiece& p : result.m_pieces) {
            const auto* arc = dynamic_cast<const CArc*>(it->get());
            if (p.m_bArc && arc) {
                CArc back(p.m_ptStart, p.m_ptEnd, p.m_ptMid);
                back.SetCircle(p.m_dCenterZ, p.m_dCenterX, p.m_dRadius);
                EXPECT_NEAR(back.GetExactRadius(), arc->GetExactRadius(), 1.0);
                EXPECT_NEAR(back.GetExactCenterZ(), arc->GetExactCenterZ(), 1.0);
                EXPECT_NEAR(back.GetExactCenterX(), arc->GetExactCenterX(), 1.0);
            }
            ++it;
        }
    }
}

TEST(DxfExport, SampleDrawingComesBackEqual) {
    CDocServices services;
    auto doc = Sample(services);
    ASSERT_TRUE(doc);
    const std::string path = TempPath("roundtrip.dxf");
    ExpectRoundTrip(*doc, path);
    std::filesystem::remove(path);
}

// Random profiles of lines, steps and arcs on every layer survive export and import.
TEST(DxfExport, RandomProfilesComeBackEqual) {
    std::mt19937 random(1234);
    const std::string path = TempPath("random.dxf");
    for (int round = 0; round < 25; ++round) {
        CKestrovelDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
            CLayer* layer = doc.GetLayer(i);
            int32_t z = 0;
            while (z < doc.GetLength() - 200000) {
                const int32_t z2 =
                    std::min<int32_t>(z + 50000 + static_cast<int32_t>(random() % 900000), doc.GetLength());
                const int32_t x1 = 100000 + static_cast<int32_t>(random() % 800000);
                const int32_t x2 = random() % 2 ? x1 : 100000 + static_cast<int32_t>(random() % 800000);
                if (random() % 2) {
                    const int32_t bulge = static_cast<int32_t>(random() % 80000) + 5000;
                    layer->AddPiece(std::make_unique<CArc>(CPoint{z, x1}, CPoint{z2, x2},
                                                           CPoint{(z + z2) / 2, (x1 + x2) / 2 + bulge}),
                                    0);
                } else {
                    layer->AddPiece(std::make_unique<CLinear>(CPoint{z, x1}, CPoint{z2, x2}), 0);
                }
                z = z2;
            }
        }
        ExpectRoundTrip(doc, path, false);
        if (HasFatalFailure()) {
            break;
        }
    }
    std::filesystem::remove(path);
}

}  // namespace
