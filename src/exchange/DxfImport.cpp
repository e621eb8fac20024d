// Units, options and the insertion of an imported profile into a layer.
#include "exchange/DxfImport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/CircleMath.h"
#include "elements/Linear.h"
#include "exchange/DxfRange.h"
#include "exchange/DxfReader.h"
#include "exchange/TurningAxis.h"
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

namespace {

std::string Millimetres(double mm) {
    char text[48];
    std::snprintf(text, sizeof text, "%.3f mm", mm);
    return text;
}

bool Inside(CPlanePoint p, const CDxfImportOptions& o) {
    return p.z >= std::min(o.windowFrom.z, o.windowTo.z) && p.z <= std::max(o.windowFrom.z, o.windowTo.z) &&
           p.x >= std::min(o.windowFrom.x, o.windowTo.x) && p.x <= std::max(o.windowFrom.x, o.windowTo.x);
}

// Keeps what lies wholly inside the window: both ends and the middle of every segment, the
// four extreme points of every circle, both ends of every centre line. The counts of what is
// not taken keep only the entities inside. Returns the number of entities the window left out
// wholly; partly receives those of which only some stretches lie inside.
int KeepWindow(CDxfContent& content, const CDxfImportOptions& o, int& partly) {
    std::set<int> kept;
    std::set<int> dropped;
    int outside = 0;
    const auto drop = [&](bool out, int entity) {
        if (!out) {
            kept.insert(entity);
        } else if (entity == 0) {
            ++outside;
        } else {
            dropped.insert(entity);
        }
        return out;
    };
    std::erase_if(content.m_segments, [&](const CDxfSegment& s) {
        return drop(!Inside(s.m_a, o) || !Inside(s.m_b, o) || !Inside(s.At(0.5), o), s.m_nEntity);
    });
    std::erase_if(content.m_circles, [&](const CDxfContent::CCircle& c) {
        const double r = c.m_dRadius;
        return drop(!Inside({c.m_center.z - r, c.m_center.x - r}, o) ||
                        !Inside({c.m_center.z + r, c.m_center.x + r}, o),
                    c.m_nEntity);
    });
    std::erase_if(content.m_axisLines, [&](const CDxfContent::CAxisLine& l) {
        return !Inside(l.m_a, o) || !Inside(l.m_b, o);
    });
    partly = 0;
    for (int entity : dropped) {
        (kept.count(entity) ? partly : outside) += 1;
    }
    for (const CDxfContent::CNotePlace& place : content.m_notePlaces) {
        if (Inside(place.m_min, o) && Inside(place.m_max, o)) {
            continue;
        }
        auto& list = place.m_bLeftOut ? content.m_leftOut : content.m_skipped;
        auto it =
            std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == place.m_strKind; });
        if (it != list.end() && it->second > 0) {
            --it->second;
            ++outside;
        }
    }
    for (auto* list : {&content.m_leftOut, &content.m_skipped}) {
        std::erase_if(*list, [](const auto& e) { return e.second <= 0; });
    }
    content.m_notePlaces.clear();
    return outside;
}

// "A, B, C": the layers there are.
std::string LayerList(const CDxfContent& content) {
    std::string list;
    for (const auto& layer : content.m_layers) {
        list += (list.empty() ? "" : ", ") + layer.m_strName;
    }
    return list.empty() ? "(none)" : list;
}

// Why an extraction gave nothing, from what the drawing held (drawn: it held segments or circles).
std::string WhyEmpty(const CDxfContent& content, bool drawn, const CDxfImportOptions& options) {
    if (drawn) {
        return "nothing taken: the outline lies on the axis or runs only across it";
    }
    if (!content.m_skipped.empty()) {
        std::string kinds;
        for (const auto& [kind, count] : content.m_skipped) {
            kinds += (kinds.empty() ? "" : ", ") + kind;
        }
        return "nothing taken: the drawing holds only kinds not read as outline (" + kinds + ")";
    }
    if (!content.m_leftOut.empty()) {
        return "nothing taken: the drawing holds only centre and hidden lines";
    }
    if (!options.dxfLayers.empty() || options.bWindow) {
        return "nothing taken: no outline left after the layer and window filters";
    }
    return "nothing taken: the drawing holds no entities";
}

// Why none of the pieces reaches into the drawing's length (model units).
std::string WhyNothingFits(const CImportResult& result, int32_t length) {
    if (result.m_pieces.empty()) {
        return result.m_strReason.empty() ? "nothing taken from the drawing" : result.m_strReason;
    }
    const double from = result.m_pieces.front().m_ptStart.x / kUnitsPerMm;
    const double to = result.m_pieces.back().m_ptEnd.x / kUnitsPerMm;
    if (to <= 0.0) {
        return "all geometry lies on the axis's other side of Z 0 (from Z " + Millimetres(from) + " to " +
               Millimetres(to) + ")";
    }
    std::string why = "all geometry lies beyond the stock's length of " + Millimetres(length / kUnitsPerMm) +
                      " (it starts at Z " + Millimetres(from) + ")";
    if (to - from > 10000.0) {
        char text[64];
        std::snprintf(text, sizeof text, "; the units make the part %.1f m long", (to - from) / 1000.0);
        why += text;
    }
    return why;
}

}  // namespace

CPlanePoint CDxfPlacement::ToDrawing(CPoint p) const {
    const double z = ((double(p.x) + m_nShift) / kUnitsPerMm + m_origin.z) / m_dScale;
    const double x = (p.y / kUnitsPerMm + m_origin.x) / m_dScale;
    return m_axis.FromFrame({z, x});
}

bool CDxfImport::Read(const std::string& bytes, const CDxfImportOptions& options, CDxfContent& content,
                      std::string& error) const {
    if (!CDxfReader(options.dxfLayers).Read(bytes, content, error)) {
        return false;
    }
    for (const std::string& name : options.dxfLayers) {
        const bool known = std::any_of(content.m_layers.begin(), content.m_layers.end(), [&](const auto& layer) {
            return CDxfReader::SameName(name, layer.m_strName);
        });
        if (!known) {
            error = "the drawing has no layer \"" + name + "\"; its layers: " + LayerList(content);
            content = CDxfContent{};
            return false;
        }
    }
    return true;
}

bool CDxfImport::Load(const std::string& bytes, const CDxfImportOptions& options, CImportResult& result,
                      std::string& error) const {
    result = CImportResult{};
    CDxfContent content;
    return Read(bytes, options, content, error) && Map(std::move(content), options, result, error);
}

bool CDxfImport::Map(CDxfContent content, const CDxfImportOptions& options, CImportResult& result,
                     std::string& error, CDxfPlacement* placement) const {
    result = CImportResult{};
    const double scale = ScaleOf(options.strUnits, content.m_nInsUnits);
    if (scale <= 0.0) {
        error = "unknown units \"" + options.strUnits + "\" (mm, cm, inch or auto)";
        return false;
    }
    int outside = 0;
    int partly = 0;
    if (options.bWindow) {
        outside = KeepWindow(content, options, partly);
    }
    CTurningAxis axis;
    if (options.bAxis ? !CTurningAxis::Given(options.axisFrom, options.axisTo, axis) : false) {
        error = "the axis needs two different points";
        return false;
    }
    if (!options.bAxis) {
        axis = CTurningAxis::Find(content);
    }
    if (options.bFlip) {
        axis = axis.Flipped();
        axis.m_strWhy += ", turned end for end";
    }
    axis.ToAxisFrame(content);
    // The origin is a point of the drawing (in mm); the import measures from it along the axis.
    CPlanePoint origin;
    if (options.bOrigin) {
        origin = axis.ToFrame({options.origin.z / scale, options.origin.x / scale});
        origin = {origin.z * scale, origin.x * scale};
    }
    error = CDxfRange::Check(content, scale, origin);
    if (!error.empty()) {
        return false;
    }
    const bool drawn = !content.m_segments.empty() || !content.m_circles.empty();
    // The segments are not needed after the extraction: handed over, not copied.
    std::vector<CDxfSegment> segments = std::move(content.m_segments);
    content.m_segments.clear();
    result = CProfileExtraction(scale, origin).Extract(content, std::move(segments));
    error = CDxfRange::CheckPieces(result.m_pieces.size());
    if (!error.empty()) {
        result = CImportResult{};
        return false;
    }
    result.m_strAxis = axis.m_strWhy;
    if (outside > 0) {
        result.m_notes.push_back({"outside the window", outside});
    }
    if (partly > 0) {
        result.m_notes.push_back({"cut by the window (the parts outside)", partly});
    }
    if (placement) {
        *placement = CDxfPlacement{axis, scale, origin, 0};
    }
    if (result.m_pieces.empty()) {
        result.m_strReason = WhyEmpty(content, drawn, options);
        return true;
    }
    if (!options.bOrigin) {
        // The part's end nearest the axis's first point goes to Z 0.
        const int32_t shift = result.m_pieces.front().m_ptStart.x;
        // In 64 bits: a drawing that spans the whole coordinate range must not overflow.
        const auto moved = [shift](int32_t z) {
            return static_cast<int32_t>(std::clamp<int64_t>(int64_t{z} - shift, INT32_MIN, INT32_MAX));
        };
        for (CImportPiece& p : result.m_pieces) {
            p.m_ptStart.x = moved(p.m_ptStart.x);
            p.m_ptEnd.x = moved(p.m_ptEnd.x);
            p.m_ptMid.x = moved(p.m_ptMid.x);
            p.m_dCenterZ -= p.m_bArc ? shift : 0;
        }
        if (placement) {
            placement->m_nShift = shift;
        }
        result.m_strShift = "Z 0: the part's end, " + Millimetres(shift / kUnitsPerMm) +
                            " along the axis from its first point";
    }
    return true;
}

bool CDxfImport::LoadFile(const std::string& path, const CDxfImportOptions& options, CImportResult& result,
                          std::string& error) const {
    result = CImportResult{};
    std::string bytes;
    return CDxfReader::LoadBytes(path, bytes, error) && Load(bytes, options, result, error);
}

bool CDxfImport::ListLayers(const std::string& path, std::vector<CDxfLayerEntry>& layers, std::string& error) {
    layers.clear();
    CDxfContent content;
    if (!CDxfReader().ReadFile(path, content, error)) {
        return false;
    }
    layers = std::move(content.m_layers);
    return true;
}

std::vector<std::string> CDxfImport::LayerNames(const std::string& path) {
    std::vector<CDxfLayerEntry> layers;
    std::string error;
    ListLayers(path, layers, error);
    std::vector<std::string> names;
    for (const CDxfLayerEntry& layer : layers) {
        names.push_back(layer.m_strName);
    }
    return names;
}

std::vector<std::string> CDxfApplyCounts::ReportLines(const CImportResult& result) const {
    std::vector<std::string> lines = result.ReportLines();
    // The extraction's own count (after the axis line) gives way to what entered the layer.
    for (std::string& line : lines) {
        if (line.starts_with("taken: ")) {
            line = "taken: " + std::to_string(nLines) + " lines, " + std::to_string(nArcs) + " arcs";
            break;
        }
    }
    if (nClipped > 0) {
        lines.push_back("cut to the drawing's length: " + std::to_string(nClipped));
    }
    if (nOutside > 0) {
        lines.push_back("not taken: outside the drawing's length: " + std::to_string(nOutside));
    }
    return lines;
}

int CDxfImport::Apply(CKestrovelDoc& doc, int index, const CImportResult& result, CMessages* messages,
                      bool replaceLayer, std::string* why, CDxfApplyCounts* counts) {
    CDxfApplyCounts done;
    if (counts) {
        *counts = done;
    }

    CLayer* layer = doc.GetLayer(index);
    if (!layer) {
        return 0;
    }
    std::vector<std::unique_ptr<CPiece>> pieces;
    const int32_t length = layer->GetDrawingLength();
    for (const CImportPiece& p : result.m_pieces) {
        // Elements keep the ends they are made with, so what lies wholly outside the length is
        // known before one is made. An arc that bends below its chord is still worked out for the
        // note its fitting to the axis may give; one bending above never gives one.
        if (p.m_ptStart.x >= length || p.m_ptEnd.x <= 0) {
            if (p.m_bArc && circle_math::Side(p.m_ptStart, p.m_ptEnd, p.m_ptMid) < 0) {
                const CArc arc(p.m_ptStart, p.m_ptEnd, p.m_ptMid, messages);
            }
            ++done.nOutside;
            continue;
        }
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
        if (why) {
            *why = WhyNothingFits(result, layer->GetDrawingLength());
        }
        return 0;
    }
    // The undo history records the active layer; the import's layer is made active for it.
    const int active = doc.GetActiveLayerIndex();
    doc.SetActiveLayer(index);
    // From the right: the layer finds each place from its front, where the last one went. One
    // batch: the chain is numbered and listed once, not after every piece.
    layer->BeginInsertBatch();
    if (replaceLayer) {
        const CRect source = doc.GetSourceRect();
        layer->AddPiece(std::make_unique<CLinear>(source.left, source.top, source.right, source.top), 0);
    }
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        layer->AddPiece(std::move(*it), 0);
    }
    layer->EndInsertBatch();
    doc.RecordUndo();
    if (active >= 0 && active != index) {
        doc.SetActiveLayer(active);
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(true);
    return static_cast<int>(pieces.size());
}
