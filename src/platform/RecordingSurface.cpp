// The recording surface: each drawing call becomes one line of its log.
#include "platform/RecordingSurface.h"

#include <cstdio>

namespace {
std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Box(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
std::string Hex(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}
std::string Points(const std::vector<CPoint>& pts) {
    std::string s = std::to_string(pts.size()) + ":";
    for (const CPoint& p : pts) {
        s += ' ';
        s += Pt(p);
    }
    return s;
}
}  // namespace

std::string FormatPen(const CPen& pen) {
    return "style=" + std::to_string(pen.nStyle) + " width=" + std::to_string(pen.nWidth) +
           " color=" + Hex(pen.crColor);
}

std::string FormatBrush(const CBrush& brush) {
    static const char* kinds[] = {"null", "solid", "hatch"};
    const int k = brush.nKind >= 0 && brush.nKind <= 2 ? brush.nKind : 0;
    return std::string(kinds[k]) + " hatch=" + std::to_string(brush.nHatch) + " color=" + Hex(brush.crColor);
}

CRecordingSurface::CRecordingSurface(int width, int height, std::string name)
    : m_nWidth(width), m_nHeight(height), m_strName(std::move(name)) {}

void CRecordingSurface::Log(std::string line) {
    ++m_nCalls;
    if (m_bRecording) {
        m_log.push_back(std::move(line));
    }
}

std::vector<std::string> CRecordingSurface::Find(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : m_log) {
        if (l.compare(0, prefix.size(), prefix) == 0) {
            out.push_back(l);
        }
    }
    return out;
}

void CRecordingSurface::SetPen(const CPen& pen) {
    m_pen = pen;
    Log("Pen " + FormatPen(pen));
}

void CRecordingSurface::SetBrush(const CBrush& brush) {
    m_brush = brush;
    Log("Brush " + FormatBrush(brush));
}

void CRecordingSurface::MoveTo(int x, int y) { Log("MoveTo " + Pt({x, y})); }
void CRecordingSurface::LineTo(int x, int y) { Log("LineTo " + Pt({x, y})); }
void CRecordingSurface::Polygon(const std::vector<CPoint>& points) { Log("Polygon " + Points(points)); }
void CRecordingSurface::FillPolygon(const std::vector<CPoint>& points) {
    Log("FillPolygon " + Points(points));
}
void CRecordingSurface::FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                                 const std::vector<CRect>& ellipses) {
    std::string s = "FillPolygonMinusEllipses " + Points(points) + " minus";
    for (const CRect& r : ellipses) {
        s += ' ';
        s += Box(r);
    }
    Log(s);
}
void CRecordingSurface::Rectangle(const CRect& box) { Log("Rectangle " + Box(box)); }
void CRecordingSurface::Ellipse(const CRect& box) { Log("Ellipse " + Box(box)); }
void CRecordingSurface::Arc(const CRect& box, CPoint start, CPoint end) {
    Log("Arc " + Box(box) + " from " + Pt(start) + " to " + Pt(end));
}
void CRecordingSurface::Chord(const CRect& box, CPoint start, CPoint end) {
    Log("Chord " + Box(box) + " from " + Pt(start) + " to " + Pt(end));
}
void CRecordingSurface::FillSolidRect(const CRect& rect, COLORREF color) {
    Log("FillSolidRect " + Box(rect) + " color=" + Hex(color));
}
void CRecordingSurface::SetTextColor(COLORREF color) {
    m_crText = color;
    Log("TextColor " + Hex(color));
}
void CRecordingSurface::SetTextAlign(int flags) {
    m_nAlign = flags;
    Log("TextAlign " + std::to_string(flags));
}
void CRecordingSurface::TextOut(int x, int y, const std::string& text) {
    Log("Text " + Pt({x, y}) + " align=" + std::to_string(m_nAlign) + " color=" + Hex(m_crText) + " '" +
        text + "'");
}
CSize CRecordingSurface::GetTextExtent(const std::string& text) const {
    return CSize{static_cast<int32_t>(text.size()) * 7, 13};
}
std::unique_ptr<CSurface> CRecordingSurface::CreateCompatible(int width, int height) const {
    return std::make_unique<CRecordingSurface>(width, height, "picture");
}
void CRecordingSurface::BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) {
    const auto* rec = dynamic_cast<const CRecordingSurface*>(&src);
    Log("BitBlt " + Pt({x, y}) + " " + std::to_string(w) + "x" + std::to_string(h) + " from " +
        (rec ? rec->GetName() : std::string("surface")) + " " + Pt({sx, sy}));
}
