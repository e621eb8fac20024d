// The layer record of the document file.
#include <string>

#include "document/ArchiveTags.h"
#include "document/Layer.h"
#include "document/PieceFactory.h"
#include "platform/Archive.h"

namespace {
void StoreBorder(CArchive& ar, CBorder* border, int left) {
    if (border) {
        border->Serialize(ar);
    } else {
        CBorder(CPoint(), CPoint(), left).Serialize(ar);
    }
}

void Style(CArchive& ar, int (&visible)[CLayer::kVisibilityCount], int& direction, CLayerStyle& st) {
    for (int& v : visible) {
        ar.Int(v);
    }
    ar.Int(direction);
    ar.Dword(st.m_crBrush);
    ar.Int(st.m_bBrushNull);
    ar.Int(st.m_bBrushSolid);
    ar.Int(st.m_nBrushType);
    ar.Int(st.m_bDrawEdges);
    ar.Dword(st.m_crPen);
    ar.Int(st.m_nPenStyle);
    ar.Int(st.m_nPenWidth);
}

std::unique_ptr<CBorder> LoadBorder(CArchive& ar) {
    if (!ReadExpectedTag(ar, "BORDER")) {
        return nullptr;
    }
    auto border = std::make_unique<CBorder>();
    border->Serialize(ar);
    return border;
}
}  // namespace

void CLayer::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(std::to_string(m_nIndex + 1));
        ar.WriteInt(m_nIndex);
        ar.WriteString("Pocatek Layeru");
        Style(ar, m_bVisible, m_nDirection, m_style);
        StoreBorder(ar, m_pLeftBorder.get(), 1);
        StoreBorder(ar, m_pRightBorder.get(), 0);
        for (auto& piece : m_pieces) {
            piece->Serialize(ar);
        }
        ar.WriteString("Konec Layeru");
        return;
    }
    ar.ReadString();
    const size_t indexOffset = ar.GetOffset();
    m_nIndex = ar.ReadInt();
    if (!ar.Failed() && (m_nIndex < 0 || m_nIndex >= kLayerCount)) {
        ar.Fail("layer index " + std::to_string(m_nIndex) + " out of range at byte " +
                    std::to_string(indexOffset),
                indexOffset);
    }
    if (!ReadExpectedTag(ar, "Pocatek Layeru")) {
        return;
    }
    Style(ar, m_bVisible, m_nDirection, m_style);
    m_pLeftBorder = LoadBorder(ar);
    m_pRightBorder = LoadBorder(ar);
    LoadPieces(ar);
    m_posWalk = m_pieces.end();
}

void CLayer::LoadPieces(CArchive& ar) {
    while (!ar.Failed()) {
        const size_t offset = ar.GetOffset();
        const std::string tag = ar.ReadString();
        if (ar.Failed() || tag == "Konec Layeru") {
            return;
        }
        auto piece = CreatePieceForTag(tag);
        if (!piece) {
            FailUnexpectedTag(ar, tag, offset);
            return;
        }
        piece->Serialize(ar);
        m_pieces.push_back(std::move(piece));
    }
}
