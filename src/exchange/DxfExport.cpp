// Collecting a document's elements as DXF entities and writing them through dxflib.
#include "exchange/DxfExport.h"

#include <dl_dxf.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "exchange/DxfTextWriter.h"
#include "platform/SafeFileWriter.h"
#include "platform/Units.h"

namespace {

const char* const kStock = "Stock";

CPlanePoint Mm(CPoint p) {
    return {static_cast<double>(p.x) / kUnitsPerMm, static_cast<double>(p.y) / kUnitsPerMm};
}

CPlanePoint Below(CPlanePoint p) {
    return {p.z, -p.x};
}

double Degrees(CPlanePoint center, CPlanePoint p) {
    return std::atan2(p.x - center.x, p.z - center.z) * 180.0 / std::numbers::pi;
}

std::string LayerName(int i) {
    return "Layer " + std::to_string(i + 1);
}

// The arc's entity; the drawing's arcs may turn either way, a DXF arc always turns
// counter-clockwise, so a clockwise arc is written from its end to its start.
CDxfEntity ArcEntity(const std::string& layer, const CArc& arc, bool below) {
    CDxfEntity e;
    e.m_strLayer = layer;
    e.m_bArc = true;
    e.m_a = Mm(arc.GetStart());
    e.m_b = Mm(arc.GetEnd());
    e.m_center = {arc.GetExactCenterZ() / kUnitsPerMm, arc.GetExactCenterX() / kUnitsPerMm};
    e.m_dRadius = arc.GetExactRadius() / kUnitsPerMm;
    const CPlanePoint mid = Mm(arc.GetMid());
    bool ccw = (e.m_b.z - e.m_a.z) * (mid.x - e.m_a.x) - (e.m_b.x - e.m_a.x) * (mid.z - e.m_a.z) < 0.0;
    if (below) {
        e.m_a = Below(e.m_a);
        e.m_b = Below(e.m_b);
        e.m_center = Below(e.m_center);
        ccw = !ccw;
    }
    e.m_dStart = Degrees(e.m_center, ccw ? e.m_a : e.m_b);
    e.m_dEnd = Degrees(e.m_center, ccw ? e.m_b : e.m_a);
    return e;
}

CDxfEntity LineEntity(const std::string& layer, CPlanePoint a, CPlanePoint b) {
    CDxfEntity e;
    e.m_strLayer = layer;
    e.m_a = a;
    e.m_b = b;
    return e;
}

void AddPiece(std::vector<CDxfEntity>& out, const std::string& layer, const CPiece& piece, bool mirrored) {
    if (piece.IsCompound()) {
        for (int i = 1;; ++i) {
            std::unique_ptr<CPiece> part = piece.GetPart(i);
            if (!part) {
                return;
            }
            AddPiece(out, layer, *part, mirrored);
        }
    }
    for (bool below : {false, true}) {
        if (below && !mirrored) {
            break;
        }
        const auto* arc = dynamic_cast<const CArc*>(&piece);
        if (arc && !arc->IsStraight()) {
            out.push_back(ArcEntity(layer, *arc, below));
        } else {
            const CPlanePoint a = Mm(piece.GetStart());
            const CPlanePoint b = Mm(piece.GetEnd());
            out.push_back(LineEntity(layer, below ? Below(a) : a, below ? Below(b) : b));
        }
    }
}

void WriteEntity(DL_Dxf& dxf, DL_WriterA& dw, const CDxfEntity& e) {
    const DL_Attributes attributes(e.m_strLayer, 256, -1, "BYLAYER", 1.0);
    if (e.m_bArc) {
        dxf.writeArc(dw, DL_ArcData(e.m_center.z, e.m_center.x, 0.0, e.m_dRadius, e.m_dStart, e.m_dEnd),
                     attributes);
    } else {
        dxf.writeLine(dw, DL_LineData(e.m_a.z, e.m_a.x, 0.0, e.m_b.z, e.m_b.x, 0.0), attributes);
    }
}

}  // namespace

std::vector<CDxfEntity> CDxfExport::Collect(const CKestrovelDoc& doc, bool mirrored) {
    std::vector<CDxfEntity> out;
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        if (const CLayer* layer = doc.GetLayer(i)) {
            for (const auto& piece : layer->GetPieces()) {
                AddPiece(out, LayerName(i), *piece, mirrored);
            }
        }
    }
    const CRect source = doc.GetSourceRect();
    const CPlanePoint corners[] = {Mm({source.left, 0}), Mm({source.left, source.top}),
                                   Mm({source.right, source.top}), Mm({source.right, 0})};
    for (int i = 0; i < 3; ++i) {
        out.push_back(LineEntity(kStock, corners[i], corners[i + 1]));
        if (mirrored) {
            out.push_back(LineEntity(kStock, Below(corners[i]), Below(corners[i + 1])));
        }
    }
    if (!mirrored) {
        out.push_back(LineEntity(kStock, corners[3], corners[0]));
    }
    return out;
}

bool CDxfExport::Write(const std::vector<CDxfEntity>& entities, const std::string& path, std::string& error) {
    // The text goes to a safe save as it is made: a full disk or a link where the file goes then
    // costs a message, never a cut-off file or another file's content.
    CSafeFileWriter save;
    std::string cause;
    if (!save.Open(path, cause)) {
        error = "cannot write " + path + " (" + cause + ")";
        return false;
    }
    DL_Dxf dxf;
    const auto dw = std::make_unique<CDxfTextWriter>(DL_Codes::AC1015, &save);
    dxf.writeHeader(*dw);
    dw->dxfString(9, "$INSUNITS");
    dw->dxfInt(70, 4);
    dw->sectionEnd();

    dw->sectionTables();
    dxf.writeVPort(*dw);
    dw->tableLinetypes(3);
    dxf.writeLinetype(*dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw->tableEnd();
    dw->tableLayers(CKestrovelDoc::kLayerCount + 2);
    dxf.writeLayer(*dw, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        dxf.writeLayer(*dw, DL_LayerData(LayerName(i), 0), DL_Attributes("", i + 1, 0, "CONTINUOUS", 1.0));
    }
    dxf.writeLayer(*dw, DL_LayerData(kStock, 0), DL_Attributes("", 8, 0, "CONTINUOUS", 1.0));
    dw->tableEnd();
    dw->tableStyle(1);
    dxf.writeStyle(*dw, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw->tableEnd();
    dxf.writeView(*dw);
    dxf.writeUcs(*dw);
    dw->tableAppid(1);
    dxf.writeAppid(*dw, "ACAD");
    dw->tableEnd();
    dxf.writeDimStyle(*dw, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(*dw);
    dw->tableEnd();
    dw->sectionEnd();

    dw->sectionBlocks();
    dxf.writeBlock(*dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Model_Space");
    dxf.writeBlock(*dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Paper_Space");
    dxf.writeBlock(*dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*dw, "*Paper_Space0");
    dw->sectionEnd();

    dw->sectionEntities();
    for (const CDxfEntity& e : entities) {
        WriteEntity(dxf, *dw, e);
    }
    dw->sectionEnd();
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    dw->Finish();
    if (!save.Commit(cause)) {
        error = "cannot write " + path + " (" + cause + ")";
        return false;
    }
    return true;
}
