// Units, options and the insertion of an imported profile into a layer.
#include "exchange/DxfImport.h"

#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "exchange/DxfRange.h"
#include "exchange/DxfReader.h"
#include "platform/Units.h"

double CDxfImport::ScaleOfInsUnits(int code) {
    switch (code) {
        case 1: return 25.4;
        case 2: return 304.8;
        case 4: return 1.0;
        case 5: return 10.0;
        case 6: return 1000.0;
        case 8: return 25.4e-6;
        case 9: return 0.0254;
        case 10: return 914.4;
        case 13: return 0.001;
        case 14: return 100.0;
        default: return 0.0;
    }
}

double CDxfImport::ScaleOf(const std::string& units, int insUnits) {
    if (units == "mm") {
        return 1.0;
    }
    if (units == "cm") {
        return 10.0;
    }
    if (units == "inch") {
        return 25.4;
    }
    if (units == "auto") {
        const double scale = ScaleOfInsUnits(insUnits);
        return scale > 0.0 ? scale : 1.0;
    }
    return 0.0;
}

bool CDxfImport::Load(const std::string& bytes, const CDxfImportOptions& options, CImportResult& result,
                      std::string& error) const {
    result = CImportResult{};
    CDxfContent content;
    if (!CDxfReader(options.strDxfLayer).Read(bytes, content, error)) {
        return false;
    }
    const double scale = ScaleOf(options.strUnits, content.m_nInsUnits);
    if (scale <= 0.0) {
        error = "unknown units \"" + options.strUnits + "\" (mm, cm, inch or auto)";
        return false;
    }
    const CPlanePoint origin{static_cast<double>(options.ptOrigin.x) / kUnitsPerMm,
                             static_cast<double>(options.ptOrigin.y) / kUnitsPerMm};
    error = CDxfRange::Check(content, scale, origin);
    if (!error.empty()) {
        return false;
    }
    result = CProfileExtraction(scale, origin).Extract(content);
    error = CDxfRange::CheckPieces(result.m_pieces.size());
    if (!error.empty()) {
        result = CImportResult{};
        return false;
    }
    return true;
}

bool CDxfImport::LoadFile(const std::string& path, const CDxfImportOptions& options, CImportResult& result,
                          std::string& error) const {
    result = CImportResult{};
    std::string bytes;
    return CDxfReader::LoadBytes(path, bytes, error) && Load(bytes, options, result, error);
}

std::vector<std::string> CDxfImport::LayerNames(const std::string& path) {
    CDxfContent content;
    std::string error;
    CDxfReader().ReadFile(path, content, error);
    return content.m_layers;
}

std::vector<std::string> CDxfApplyCounts::ReportLines(const CImportResult& result) const {
    std::vector<std::string> lines = result.ReportLines();
    lines.front() = "taken: " + std::to_string(nLines) + " lines, " + std::to_string(nArcs) + " arcs";
    if (nClipped > 0) {
        lines.push_back("cut to the drawing's length: " + std::to_string(nClipped));
    }
    if (nOutside > 0) {
        lines.push_back("not taken: outside the drawing's length: " + std::to_string(nOutside));
    }
    return lines;
}

int CDxfImport::Apply(CKestrovelDoc& doc, int index, const CImportResult& result, CMessages* messages,
                      CDxfApplyCounts* counts) {
    CDxfApplyCounts done;
    if (counts) {
        *counts = done;
    }
    CLayer* layer = doc.GetLayer(index);
    if (!layer) {
        return 0;
    }
    std::vector<std::unique_ptr<CPiece>> pieces;
    for (const CImportPiece& p : result.m_pieces) {
        std::unique_ptr<CPiece> piece;
        if (p.m_bArc) {
            auto arc = std::make_unique<CArc>(p.m_ptStart, p.m_ptEnd, p.m_ptMid, messages);
            if (!arc->IsStraight()) {
                arc->SetCircle(p.m_dCenterZ, p.m_dCenterX, p.m_dRadius);
                arc->ApplyOverflowGuard();
                arc->UpdateMidPoint();
                arc->UpdateBounds();
                piece = std::move(arc);
            }
        }
        if (!piece) {
            piece = std::make_unique<CLinear>(p.m_ptStart, p.m_ptEnd);
        }
        const CPoint start = piece->GetStart();
        const CPoint end = piece->GetEnd();
        if (layer->ClipToLength(piece, nullptr) && piece->GetEnd().x > piece->GetStart().x) {
            done.nClipped += piece->GetStart() != start || piece->GetEnd() != end ? 1 : 0;
            (piece->GetKind() == kKindArc ? done.nArcs : done.nLines) += 1;
            pieces.push_back(std::move(piece));
        } else {
            ++done.nOutside;
        }
    }
    if (counts) {
        *counts = done;
    }
    if (pieces.empty()) {
        return 0;
    }
    // The undo history records the active layer; the import's layer is made active for it.
    const int active = doc.GetActiveLayerIndex();
    doc.SetActiveLayer(index);
    // From the right: the layer finds each place from its front, where the last one went.
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        layer->AddPiece(std::move(*it), 0);
    }
    doc.RecordUndo();
    if (active >= 0 && active != index) {
        doc.SetActiveLayer(active);
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(true);
    return static_cast<int>(pieces.size());
}
