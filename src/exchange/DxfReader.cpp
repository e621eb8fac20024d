// Reading a text DXF file through dxflib into plane segments.
#include "exchange/DxfReader.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <istream>
#include <map>
#include <numbers>
#include <streambuf>
#include <string_view>

#include "exchange/DxfPrescan.h"
#include "exchange/PlaneMap.h"
#include "exchange/SplineApprox.h"

namespace {

constexpr double kSplineTolerance = 0.001;  // mm
constexpr size_t kMaxFileBytes = 256u * 1024u * 1024u;
constexpr size_t kMaxReservedSegments = 1u << 20;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// One more of the kind in a list of kinds with their counts (in order of first appearance).
void Count(std::vector<std::pair<std::string, int>>& list, std::string_view kind) {
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == kind; });
    if (it == list.end()) {
        list.emplace_back(std::string(kind), 1);
    } else {
        ++it->second;
    }
}

// Up to two points of an entity: its ends or its box's corners.
struct CPlace {
    CPlanePoint m_pts[2];
    size_t m_nCount = 0;
    CPlace() = default;
    CPlace(std::initializer_list<CPlanePoint> points) {
        for (const CPlanePoint& p : points) {
            if (m_nCount < 2) {
                m_pts[m_nCount++] = p;
            }
        }
    }
};

// Collects what dxflib hands over; polylines and splines are completed when the next entity
// begins or the file ends.
class CCollector : public DL_CreationAdapter {
public:
    CCollector(const std::vector<std::string>& layers, CDxfContent& content)
        : m_layers(layers), m_content(content) {}

    void Finish() {
        FlushPolyline();
        FlushSpline();
        Mark();
    }

    // The kinds dxflib knows and the profile does not use: counted for the report.
    void addPoint(const DL_PointData& d) override { Skip("POINT", {{d.x, d.y}}); }
    // Endless lines lie inside no window.
    void addXLine(const DL_XLineData&) override {
        Skip("XLINE", {{-HUGE_VAL, -HUGE_VAL}, {HUGE_VAL, HUGE_VAL}});
    }
    void addRay(const DL_RayData&) override { Skip("RAY", {{-HUGE_VAL, -HUGE_VAL}, {HUGE_VAL, HUGE_VAL}}); }
    void addTrace(const DL_TraceData&) override { Skip("TRACE"); }
    void add3dFace(const DL_3dFaceData&) override { Skip("3DFACE"); }
    void addSolid(const DL_SolidData&) override { Skip("SOLID"); }
    void addMText(const DL_MTextData& d) override { Skip("MTEXT", {{d.ipx, d.ipy}}); }
    void addText(const DL_TextData& d) override { Skip("TEXT", {{d.ipx, d.ipy}}); }
    void addAttribute(const DL_AttributeData& d) override { Skip("ATTRIB", {{d.ipx, d.ipy}}); }
    void addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData&) override { Dimension(d); }
    void addDimLinear(const DL_DimensionData& d, const DL_DimLinearData&) override { Dimension(d); }
    void addDimRadial(const DL_DimensionData& d, const DL_DimRadialData&) override { Dimension(d); }
    void addDimDiametric(const DL_DimensionData& d, const DL_DimDiametricData&) override { Dimension(d); }
    void addDimAngular(const DL_DimensionData& d, const DL_DimAngular2LData&) override { Dimension(d); }
    void addDimAngular3P(const DL_DimensionData& d, const DL_DimAngular3PData&) override { Dimension(d); }
    void addDimOrdinate(const DL_DimensionData& d, const DL_DimOrdinateData&) override { Dimension(d); }
    void addLeader(const DL_LeaderData&) override { Skip("LEADER"); }
    void addHatch(const DL_HatchData&) override { Skip("HATCH"); }
    void addImage(const DL_ImageData& d) override { Skip("IMAGE", {{d.ipx, d.ipy}}); }

    void addLayer(const DL_LayerData& data) override {
        std::string type = getAttributes().getLinetype();
        const bool own = !type.empty() && !CDxfReader::SameName(type, "BYLAYER");
        m_content.m_layers.push_back({data.name, own ? type : "CONTINUOUS", 0});
    }

    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") {
            m_content.m_nInsUnits = value;
        }
    }

    // A block's entities are kept in its own coordinates until an INSERT places them.
    void addBlock(const DL_BlockData& d) override {
        FlushPolyline();
        FlushSpline();
        m_pBlock = &m_blocks[Upper(d.name)];
        *m_pBlock = CBlock{};
        m_pBlock->m_base = {d.bpx, d.bpy};
        m_pSegments = &m_pBlock->m_segments;
        m_pCircles = &m_pBlock->m_circles;
    }
    void endBlock() override {
        FlushPolyline();
        FlushSpline();
        m_pBlock = nullptr;
        m_pSegments = &m_content.m_segments;
        m_pCircles = &m_content.m_circles;
    }

    void addInsert(const DL_InsertData& d) override {
        if (!Begin()) {
            return;
        }
        if (m_pBlock) {
            m_pBlock->m_inserts.push_back(d);
        } else {
            Expand(d, CPlaneMap{}, 0);
        }
    }

    void addEllipse(const DL_EllipseData& d) override {
        const double major = std::hypot(d.mx, d.my);
        if (!BeginOutline({{d.cx - major, d.cy - major}, {d.cx + major, d.cy + major}}) || !(d.ratio > 0.0)) {
            return;
        }
        // The minor axis is the major turned a quarter about the extrusion direction.
        const double* n = getExtrusion()->getDirection();
        const CPlanePoint minor{(n[1] * d.mz - n[2] * d.my) * d.ratio, (n[2] * d.mx - n[0] * d.mz) * d.ratio};
        // The end is taken past the start by whole turns, counted at once: adding one turn at a
        // time never passes a start of 1e300.
        constexpr double kTurn = 2 * std::numbers::pi;
        double t1 = d.angle2;
        if (t1 <= d.angle1) {
            t1 += (std::floor((d.angle1 - t1) / kTurn) + 1) * kTurn;
        }
        AppendEllipseArcs({d.cx, d.cy}, {d.mx, d.my}, minor, d.angle1, t1, kSplineTolerance, *m_pSegments);
    }

    void addLine(const DL_LineData& d) override {
        if (!BeginAny()) {
            return;
        }
        if (Style() == CStyle::Centre) {
            m_content.m_axisLines.push_back({{d.x1, d.y1}, {d.x2, d.y2}, m_strLayer, Linetype()});
        }
        if (OutlineWanted({{d.x1, d.y1}, {d.x2, d.y2}})) {
            m_pSegments->push_back(CDxfSegment::Line({d.x1, d.y1}, {d.x2, d.y2}));
        }
    }

    void addArc(const DL_ArcData& d) override {
        if (!BeginOutline(Around(d.cx, d.cy, d.radius)) || !(d.radius > 0.0)) {
            return;
        }
        double sweep = std::fmod(d.angle2 - d.angle1, 360.0);
        if (sweep <= 0.0) {
            sweep += 360.0;
        }
        ObjectSystem().MapSegment(CDxfSegment::ArcOf({d.cx, d.cy}, d.radius, Radians(d.angle1), Radians(sweep)),
                                  kSplineTolerance, *m_pSegments);
    }

    void addCircle(const DL_CircleData& d) override {
        if (BeginOutline(Around(d.cx, d.cy, d.radius)) && d.radius > 0.0) {
            m_pCircles->push_back({ObjectSystem().Apply({d.cx, d.cy}), d.radius});
        }
    }

    void addPolyline(const DL_PolylineData& d) override {
        if (BeginOutline()) {
            m_bPolyline = true;
            m_bClosed = (d.flags & 1) != 0;
            m_polylineMap = ObjectSystem();
        }
    }

    void addVertex(const DL_VertexData& d) override {
        if (m_bPolyline) {
            m_vertices.push_back({{d.x, d.y}, d.bulge});
        }
    }

    void endSequence() override { FlushPolyline(); }

    void addSpline(const DL_SplineData& d) override {
        if (BeginOutline()) {
            m_bSpline = true;
            m_nDegree = static_cast<int>(d.degree);
        }
    }
    void addControlPoint(const DL_ControlPointData& d) override {
        if (m_bSpline) {
            m_control.push_back({d.x, d.y});
            m_weights.push_back(d.w > 0.0 ? d.w : 1.0);
        }
    }
    void addKnot(const DL_KnotData& d) override {
        if (m_bSpline) {
            m_knots.push_back(d.k);
        }
    }
    void addFitPoint(const DL_FitPointData& d) override {
        if (m_bSpline) {
            m_fit.push_back({d.x, d.y});
        }
    }

private:
    struct CVertex {
        CPlanePoint pt;
        double bulge;
    };

    enum class CStyle { Outline, Centre, Hidden };

    static CPlace Around(double cz, double cx, double r) {
        return {{cz - std::fabs(r), cx - std::fabs(r)}, {cz + std::fabs(r), cx + std::fabs(r)}};
    }

    // The entity just finished is named on what it added to the drawing.
    void Mark() {
        for (; m_nMarkedSegments < m_content.m_segments.size(); ++m_nMarkedSegments) {
            m_content.m_segments[m_nMarkedSegments].m_nEntity = m_nEntity;
        }
        for (; m_nMarkedCircles < m_content.m_circles.size(); ++m_nMarkedCircles) {
            m_content.m_circles[m_nMarkedCircles].m_nEntity = m_nEntity;
        }
    }

    // Where an entity counted as not read or left out lies, when its points are known.
    void Place(bool leftOut, std::string_view kind, CPlace at) {
        if (at.m_nCount == 0 || m_pBlock) {
            return;
        }
        CDxfContent::CNotePlace place{leftOut, std::string(kind), at.m_pts[0], at.m_pts[0]};
        for (size_t i = 0; i < at.m_nCount; ++i) {
            const CPlanePoint& p = at.m_pts[i];
            place.m_min = {std::min(place.m_min.z, p.z), std::min(place.m_min.x, p.x)};
            place.m_max = {std::max(place.m_max.z, p.z), std::max(place.m_max.x, p.x)};
        }
        m_content.m_notePlaces.push_back(std::move(place));
    }

    void Dimension(const DL_DimensionData& d) { Skip("DIMENSION", {{d.dpx, d.dpy}, {d.mpx, d.mpy}}); }

    // Completes what is pending and counts the entity for its layer (outside blocks).
    bool BeginAny() {
        FlushPolyline();
        FlushSpline();
        Mark();
        ++m_nEntity;
        m_bStyleKnown = false;
        const DL_Attributes attributes = getAttributes();
        m_strLayer = attributes.getLayer();
        m_strLinetype = attributes.getLinetype();
        const std::string& layer = m_strLayer;
        auto it = std::find_if(m_content.m_layers.begin(), m_content.m_layers.end(),
                               [&](const auto& info) { return CDxfReader::SameName(info.m_strName, layer); });
        if (it == m_content.m_layers.end()) {
            m_content.m_layers.push_back({layer, "CONTINUOUS", 0});
            it = std::prev(m_content.m_layers.end());
        }
        it->m_nEntities += m_pBlock ? 0 : 1;
        m_strLayerLinetype = it->m_strLinetype;
        return true;
    }

    // Outside blocks: on a chosen layer. A block's entities follow the INSERT that places them.
    bool Wanted() {
        if (m_layers.empty() || m_pBlock) {
            return true;
        }
        const std::string& layer = m_strLayer;
        return std::any_of(m_layers.begin(), m_layers.end(),
                           [&](const std::string& name) { return CDxfReader::SameName(name, layer); });
    }

    // Completes what is pending; true when the entity now beginning is to be taken.
    bool Begin() { return BeginAny() && Wanted(); }

    // The entity's linetype, its layer's where it says BYLAYER or nothing.
    std::string Linetype() {
        const std::string& type = m_strLinetype;
        return Upper(type.empty() || CDxfReader::SameName(type, "BYLAYER") ? m_strLayerLinetype : type);
    }

    // Asked up to twice per entity: worked out once.
    // Entities one after another mostly share layer and linetype: their style is kept for the next.
    CStyle Style() {
        if (!m_bStyleKnown) {
            if (!m_bStyleKept || m_strLayer != m_strStyleLayer || m_strLinetype != m_strStyleLinetype ||
                m_strLayerLinetype != m_strStyleLayerLinetype) {
                m_style = StyleOfEntity();
                m_strStyleLayer = m_strLayer;
                m_strStyleLinetype = m_strLinetype;
                m_strStyleLayerLinetype = m_strLayerLinetype;
                m_bStyleKept = true;
            }
            m_bStyleKnown = true;
        }
        return m_style;
    }

    CStyle StyleOfEntity() {
        const std::string type = Linetype();
        for (const char* centre : {"CENTER", "CENTRE", "DASHDOT", "PHANTOM", "ACAD_ISO04", "ACAD_ISO05",
                                   "ACAD_ISO08", "ACAD_ISO09", "ACAD_ISO10", "ACAD_ISO11"}) {
            if (type.rfind(centre, 0) == 0) {
                return CStyle::Centre;
            }
        }
        for (const char* hidden : {"HIDDEN", "DASHED", "ACAD_ISO02", "ACAD_ISO03"}) {
            if (type.rfind(hidden, 0) == 0) {
                return CStyle::Hidden;
            }
        }
        const std::string layer = Upper(m_strLayer);
        for (const char* word : {"CENTER", "CENTRE", "AXIS", "AXES"}) {
            if (layer.find(word) != std::string::npos) {
                return CStyle::Centre;
            }
        }
        return CStyle::Outline;
    }

    // An outline entity to take: wanted and drawn as outline; others are counted as left out.
    // at: the entity's points or box, where known.
    bool BeginOutline(CPlace at = {}) { return BeginAny() && OutlineWanted(at); }

    // For an entity begun: wanted and drawn as outline.
    bool OutlineWanted(CPlace at = {}) {
        if (!Wanted()) {
            return false;
        }
        const CStyle style = Style();
        if (style != CStyle::Outline) {
            const char* kind = style == CStyle::Centre ? "centre line" : "hidden line";
            Count(m_content.m_leftOut, kind);
            Place(true, kind, at);
            return false;
        }
        return true;
    }

    void Skip(const char* kind, CPlace at = {}) {
        if (Begin() && !m_pBlock) {
            Count(m_content.m_skipped, kind);
            Place(false, kind, at);
        }
    }

    void FlushPolyline() {
        if (!m_bPolyline) {
            return;
        }
        m_bPolyline = false;
        const size_t n = m_vertices.size();
        const size_t spans = m_bClosed ? n : (n == 0 ? 0 : n - 1);
        for (size_t i = 0; i < spans && n > 1; ++i) {
            const CVertex& a = m_vertices[i];
            const CVertex& b = m_vertices[(i + 1) % n];
            if (a.pt.z != b.pt.z || a.pt.x != b.pt.x) {
                m_polylineMap.MapSegment(CDxfSegment::FromBulge(a.pt, b.pt, a.bulge), kSplineTolerance, *m_pSegments);
            }
        }
        m_vertices.clear();
    }

    void FlushSpline() {
        if (!m_bSpline) {
            return;
        }
        m_bSpline = false;
        if (!AppendSplineArcs(m_nDegree, m_knots, m_control, m_weights, kSplineTolerance, *m_pSegments) &&
            m_control.empty()) {
            // A spline given only by fit points: the curve runs through them.
            for (size_t i = 1; i < m_fit.size(); ++i) {
                m_pSegments->push_back(CDxfSegment::Line(m_fit[i - 1], m_fit[i]));
            }
        }
        m_control.clear();
        m_weights.clear();
        m_knots.clear();
        m_fit.clear();
    }

    const std::vector<std::string>& m_layers;
    CDxfContent& m_content;
    std::string m_strLayerLinetype;
    struct CBlock {
        CPlanePoint m_base;
        std::vector<CDxfSegment> m_segments;
        std::vector<CDxfContent::CCircle> m_circles;
        std::vector<DL_InsertData> m_inserts;
    };

    // The plane of the entity's object coordinate system, seen from above.
    CPlaneMap ObjectSystem() {
        const double* n = getExtrusion()->getDirection();
        return n[0] == 0.0 && n[1] == 0.0 && n[2] == 1.0 ? CPlaneMap{} : CPlaneMap::ObjectSystem(n[0], n[1], n[2]);
    }

    // Places a block's entities (and the blocks it inserts) into the drawing, outer after the
    // block's own placement; every cell of a MINSERT.
    void Expand(const DL_InsertData& d, const CPlaneMap& outer, int depth) {
        auto found = m_blocks.find(Upper(d.name));
        if (found == m_blocks.end() || depth > kMaxBlockDepth || ++m_nExpansions > kMaxExpansions) {
            return;
        }
        const CBlock& block = found->second;
        const int cols = std::clamp(d.cols, 1, kMaxCells);
        const int rows = std::clamp(d.rows, 1, kMaxCells / cols);
        const double turn = Radians(d.angle);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const double oz = c * d.colSp;
                const double ox = r * d.rowSp;
                const CPlanePoint at{d.ipx + oz * std::cos(turn) - ox * std::sin(turn),
                                     d.ipy + oz * std::sin(turn) + ox * std::cos(turn)};
                const double sx = d.sx == 0.0 ? 1.0 : d.sx;
                const double sy = d.sy == 0.0 ? 1.0 : d.sy;
                const CPlaneMap map = outer.After(CPlaneMap::Insert(block.m_base, at, sx, sy, d.angle));
                if (m_nPlaced + block.m_segments.size() > kMaxPlaced) {
                    return;
                }
                m_nPlaced += block.m_segments.size();
                for (const CDxfSegment& s : block.m_segments) {
                    map.MapSegment(s, kSplineTolerance, m_content.m_segments);
                }
                double scale = 1.0;
                for (const CDxfContent::CCircle& circle : block.m_circles) {
                    if (map.KeepsCircles(scale)) {
                        m_content.m_circles.push_back({map.Apply(circle.m_center), circle.m_dRadius * scale});
                    } else {
                        map.MapSegment(CDxfSegment::ArcOf(circle.m_center, circle.m_dRadius, 0.0, 2 * std::numbers::pi),
                                       kSplineTolerance, m_content.m_segments);
                    }
                }
                for (const DL_InsertData& inner : block.m_inserts) {
                    Expand(inner, map, depth + 1);
                }
            }
        }
    }

    static constexpr int kMaxBlockDepth = 16;
    static constexpr int kMaxCells = 10000;
    static constexpr size_t kMaxPlaced = 20u * 1000u * 1000u;
    static constexpr size_t kMaxExpansions = 1000u * 1000u;

    std::map<std::string, CBlock> m_blocks;
    CBlock* m_pBlock = nullptr;
    std::vector<CDxfSegment>* m_pSegments = &m_content.m_segments;
    std::vector<CDxfContent::CCircle>* m_pCircles = &m_content.m_circles;
    CPlaneMap m_polylineMap;
    size_t m_nPlaced = 0;
    size_t m_nExpansions = 0;
    int m_nEntity = 0;
    size_t m_nMarkedSegments = 0;
    size_t m_nMarkedCircles = 0;
    // The entity's layer and linetype as its attributes name them.
    std::string m_strLayer;
    std::string m_strLinetype;
    // The style last worked out and what it was worked out from.
    CStyle m_style = CStyle::Outline;
    bool m_bStyleKnown = false;
    bool m_bStyleKept = false;
    std::string m_strStyleLayer;
    std::string m_strStyleLinetype;
    std::string m_strStyleLayerLinetype;
    bool m_bPolyline = false;
    bool m_bClosed = false;
    std::vector<CVertex> m_vertices;
    bool m_bSpline = false;
    int m_nDegree = 3;
    std::vector<CPlanePoint> m_control;
    std::vector<double> m_weights;
    std::vector<double> m_knots;
    std::vector<CPlanePoint> m_fit;
};

// A read-only stream over the bytes themselves, so the library reads without a copy of the file.
class CBytesBuffer : public std::streambuf {
public:
    explicit CBytesBuffer(const std::string& bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

// The reasons dxflib would not give: it reads anything as far as it goes.
std::string CheckText(const std::string& bytes) {
    if (bytes.empty()) {
        return "the file is empty";
    }
    if (bytes.rfind("AutoCAD Binary DXF", 0) == 0) {
        return "binary DXF is not read; save the drawing as text (ASCII) DXF";
    }
    if (bytes.find('\0') != std::string::npos) {
        return "not a DXF text file (it holds binary data)";
    }
    // The last group must be "0 / EOF"; anything else is a truncated or foreign file.
    size_t end = bytes.find_last_not_of(" \t\r\n");
    const size_t start = bytes.find_last_of("\r\n", end);
    const std::string last = bytes.substr(start == std::string::npos ? 0 : start + 1,
                                          end - (start == std::string::npos ? 0 : start + 1) + 1);
    if (last != "EOF") {
        return "not a complete DXF file (it does not end with EOF; truncated?)";
    }
    if (bytes.find("SECTION") == std::string::npos) {
        return "not a DXF file (no SECTION found)";
    }
    return "";
}

}  // namespace

bool CDxfReader::SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool CDxfReader::Read(const std::string& bytes, CDxfContent& content, std::string& error) const {
    content = CDxfContent{};
    // Kinds the library passes over without a word (MLINE, 3DSOLID, REGION, ATTDEF and the like),
    // counted by the check's own pass over the text.
    std::vector<std::pair<std::string, int>> unknownKinds;
    error = CheckText(bytes);
    if (error.empty()) {
        error = CDxfPrescan::Check(bytes, &unknownKinds);
    }
    if (!error.empty()) {
        return false;
    }
    // Read in place: a copy of a large file would double what the reading holds.
    CBytesBuffer buffer(bytes);
    std::istream stream(&buffer);
    // Room for the segments at once rather than by doubling, each step of which copies all there
    // are into fresh memory: about one per 16 bytes of text (a spline's arcs come that densely),
    // within a bound. Memory reserved and never written costs nothing.
    content.m_segments.reserve(std::min<size_t>(bytes.size() / 16, kMaxReservedSegments));
    CCollector collector(m_layers, content);
    DL_Dxf dxf;
    bool read = false;
    try {
        read = dxf.in(stream, &collector);
        collector.Finish();
    } catch (...) {
        read = false;
    }
    if (!read) {
        content = CDxfContent{};
        error = "dxflib could not read the file";
        return false;
    }
    for (const auto& unknown : unknownKinds) {
        auto it = std::find_if(content.m_skipped.begin(), content.m_skipped.end(),
                               [&unknown](const auto& e) { return e.first == unknown.first; });
        if (it == content.m_skipped.end()) {
            content.m_skipped.emplace_back(unknown.first, unknown.second);
        } else {
            it->second += unknown.second;
        }
    }
    return true;
}

bool CDxfReader::LoadBytes(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<size_t>(size) > kMaxFileBytes) {
        error = "the file is too large to be a drawing";
        return false;
    }
    in.seekg(0);
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), size);
    return true;
}

bool CDxfReader::ReadFile(const std::string& path, CDxfContent& content, std::string& error) const {
    content = CDxfContent{};
    std::string bytes;
    return LoadBytes(path, bytes, error) && Read(bytes, content, error);
}
