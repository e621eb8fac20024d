// Reading a text DXF file through dxflib into plane segments.
#include "exchange/DxfReader.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <istream>
#include <streambuf>

#include "exchange/DxfPrescan.h"

namespace {

constexpr double kSplineTolerance = 0.001;  // mm
constexpr size_t kMaxFileBytes = 256u * 1024u * 1024u;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Collects what dxflib hands over; polylines and splines are completed when the next entity
// begins or the file ends.
class CCollector : public DL_CreationAdapter {
public:
    CCollector(const std::string& layer, CDxfContent& content) : m_strLayer(layer), m_content(content) {}

    void Finish() {
        FlushPolyline();
        FlushSpline();
    }

    // The kinds dxflib knows and the profile does not use: counted for the report.
    void addPoint(const DL_PointData&) override { Skip("POINT"); }
    void addXLine(const DL_XLineData&) override { Skip("XLINE"); }
    void addRay(const DL_RayData&) override { Skip("RAY"); }
    void addEllipse(const DL_EllipseData&) override { Skip("ELLIPSE"); }
    void addInsert(const DL_InsertData&) override { Skip("INSERT"); }
    void addTrace(const DL_TraceData&) override { Skip("TRACE"); }
    void add3dFace(const DL_3dFaceData&) override { Skip("3DFACE"); }
    void addSolid(const DL_SolidData&) override { Skip("SOLID"); }
    void addMText(const DL_MTextData&) override { Skip("MTEXT"); }
    void addText(const DL_TextData&) override { Skip("TEXT"); }
    void addAttribute(const DL_AttributeData&) override { Skip("ATTRIB"); }
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { Skip("DIMENSION"); }
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { Skip("DIMENSION"); }
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { Skip("DIMENSION"); }
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { Skip("DIMENSION"); }
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { Skip("DIMENSION"); }
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { Skip("DIMENSION"); }
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { Skip("DIMENSION"); }
    void addLeader(const DL_LeaderData&) override { Skip("LEADER"); }
    void addHatch(const DL_HatchData&) override { Skip("HATCH"); }
    void addImage(const DL_ImageData&) override { Skip("IMAGE"); }

    void addLayer(const DL_LayerData& data) override { m_content.m_layers.push_back(data.name); }

    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") {
            m_content.m_nInsUnits = value;
        }
    }

    void addBlock(const DL_BlockData&) override { m_bInBlock = true; }
    void endBlock() override { m_bInBlock = false; }

    void addLine(const DL_LineData& d) override {
        if (Begin()) {
            m_content.m_segments.push_back(CDxfSegment::Line({d.x1, d.y1}, {d.x2, d.y2}));
        }
    }

    void addArc(const DL_ArcData& d) override {
        if (!Begin() || !(d.radius > 0.0)) {
            return;
        }
        double sweep = std::fmod(d.angle2 - d.angle1, 360.0);
        if (sweep <= 0.0) {
            sweep += 360.0;
        }
        m_content.m_segments.push_back(
            CDxfSegment::ArcOf({d.cx, d.cy}, d.radius, Radians(d.angle1), Radians(sweep)));
    }

    void addCircle(const DL_CircleData& d) override {
        if (Begin() && d.radius > 0.0) {
            m_content.m_circles.push_back({{d.cx, d.cy}, d.radius});
        }
    }

    void addPolyline(const DL_PolylineData& d) override {
        if (Begin()) {
            m_bPolyline = true;
            m_bClosed = (d.flags & 1) != 0;
        }
    }

    void addVertex(const DL_VertexData& d) override {
        if (m_bPolyline) {
            m_vertices.push_back({{d.x, d.y}, d.bulge});
        }
    }

    void endSequence() override { FlushPolyline(); }

    void addSpline(const DL_SplineData& d) override {
        if (Begin()) {
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

    // Completes what is pending; true when the entity now beginning is to be taken.
    bool Begin() {
        FlushPolyline();
        FlushSpline();
        if (m_bInBlock) {
            return false;
        }
        return m_strLayer.empty() || SameName(getAttributes().getLayer(), m_strLayer);
    }

    void Skip(const char* kind) {
        if (!Begin()) {
            return;
        }
        auto& skipped = m_content.m_skipped;
        auto it =
            std::find_if(skipped.begin(), skipped.end(), [&](const auto& e) { return e.first == kind; });
        if (it == skipped.end()) {
            skipped.emplace_back(kind, 1);
        } else {
            ++it->second;
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
                m_content.m_segments.push_back(CDxfSegment::FromBulge(a.pt, b.pt, a.bulge));
            }
        }
        m_vertices.clear();
    }

    void FlushSpline() {
        if (!m_bSpline) {
            return;
        }
        m_bSpline = false;
        std::vector<CPlanePoint> points =
            ApproximateSpline(m_nDegree, m_knots, m_control, m_weights, kSplineTolerance);
        // A spline given only by fit points: the curve runs through them.
        if (points.empty() && m_control.empty()) {
            points = m_fit;
        }
        for (size_t i = 1; i < points.size(); ++i) {
            m_content.m_segments.push_back(CDxfSegment::Line(points[i - 1], points[i]));
        }
        m_control.clear();
        m_weights.clear();
        m_knots.clear();
        m_fit.clear();
    }

    const std::string& m_strLayer;
    CDxfContent& m_content;
    bool m_bInBlock = false;
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

bool CDxfReader::Read(const std::string& bytes, CDxfContent& content, std::string& error) const {
    content = CDxfContent{};
    error = CheckText(bytes);
    if (error.empty()) {
        error = CDxfPrescan::Check(bytes);
    }
    if (!error.empty()) {
        return false;
    }
    // Read in place: a copy of a large file would double what the reading holds.
    CBytesBuffer buffer(bytes);
    std::istream stream(&buffer);
    CCollector collector(m_strLayer, content);
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
