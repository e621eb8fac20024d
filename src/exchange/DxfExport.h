// CDxfExport: a document's layers and source material written as a DXF drawing.
#pragma once

#include <string>
#include <vector>

#include "exchange/DxfSegment.h"

class CKestrovelDoc;

// One entity to write, in millimetres: a LINE from m_a to m_b, or an ARC (counter-clockwise
// from m_dStart to m_dEnd degrees) of the circle (m_center, m_dRadius).
struct CDxfEntity {
    std::string m_strLayer;
    bool m_bArc = false;
    CPlanePoint m_a;
    CPlanePoint m_b;
    CPlanePoint m_center;
    double m_dRadius = 0.0;
    double m_dStart = 0.0;
    double m_dEnd = 0.0;
};

class CDxfExport {
public:
    // The entities of layers "Layer 1" ... "Layer 6" (double arcs as their two arcs) and the
    // outline of the source material on "Stock"; mirrored adds the image below the axis.
    static std::vector<CDxfEntity> Collect(const CKestrovelDoc& doc, bool mirrored);
    // Writes a DXF file (units: mm) atomically; false with the reason in error.
    static bool Write(const std::vector<CDxfEntity>& entities, const std::string& path, std::string& error);
};
