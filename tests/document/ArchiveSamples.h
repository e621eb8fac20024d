// Sample drawings for the document-file tests: every element kind a layer reads, on several layers.
#pragma once

#include <memory>
#include <vector>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "platform/Archive.h"

inline std::vector<uint8_t> SaveDocument(CKestrovelDoc& doc) {
    CArchive ar;
    doc.Serialize(ar);
    return ar.GetBytes();
}

// A new drawing with lines, arcs and a double arc on four layers, odd attributes and the fourth layer active.
inline void FillRealisticDocument(CKestrovelDoc& doc) {
    doc.OnNewDocument();
    CLayer& first = *doc.GetLayer(0);
    first.AddLine(2000000, 800000, 3000000, 800000);
    first.AddPiece(std::make_unique<CArc>(CPoint{3000000, 800000}, CPoint{5000000, 800000},
                                          CPoint{4000000, 1200000}),
                   0);
    first.AddLine(5000000, 600000, 7000000, 900000);
    CLayer& fifth = *doc.GetLayer(4);
    fifth.AddLine(0, 1000000, 4000000, 500000);
    fifth.AddPiece(std::make_unique<CArc>(CPoint{6000000, 500000}, CPoint{8000000, 700000},
                                          CPoint{7000000, 300000}),
                   0);
    fifth.SetDirection(0);
    for (auto& piece : fifth.GetPieces()) {
        piece->SetFeed(250);
        piece->SetSpeed(1200);
        piece->SetLeave(15000);
        piece->SetLock(kLockEndX, 1);
    }
    doc.GetLayer(5)->AddPiece(std::make_unique<CDoubleArc>(CPoint{2000000, 1000000}, CPoint{3000000, 1200000},
                                                           CPoint{4000000, 1000000}, CPoint{1500000, 900000}),
                              0);
    doc.GetLayer(2)->GetStyle().m_crBrush = 0x123456;
    doc.SetActiveLayer(3);
}

inline std::vector<uint8_t> RealisticDocument() {
    CKestrovelDoc doc;
    FillRealisticDocument(doc);
    return SaveDocument(doc);
}
