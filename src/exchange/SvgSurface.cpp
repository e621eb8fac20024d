// The SVG surface: each drawing call becomes one SVG element.
#include "exchange/SvgSurface.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/Archive.h"
#include "platform/BitmapFont.h"

namespace {

std::string Colour(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(c & 0xFF),
                  static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
    return text;
}

std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Points(const std::vector<CPoint>& points) {
    std::string out;
    for (const CPoint& p : points) {
        out += Num(p.x) + "," + Num(p.y) + " ";
    }
    return out;
}

const char* Dashes(int style) {
    switch (style) {
        case kPenDash: return "18,6";
        case kPenDot: return "3,3";
        case kPenDashDot: return "9,6,3,6";
        case kPenDashDotDot: return "9,3,3,3,3,3";
        default: return nullptr;
    }
}

// The lines of a hatch in an 8 x 8 cell, as the window's hatch brushes draw them.
const char* HatchPath(int hatch) {
    switch (hatch) {
        case kHatchHorizontal: return "M0,4.5 H8";
        case kHatchVertical: return "M4.5,0 V8";
        case kHatchForwardDiagonal: return "M-1,-1 L9,9";
        case kHatchBackwardDiagonal: return "M-1,9 L9,-1";
        case kHatchCross: return "M0,4.5 H8 M4.5,0 V8";
        default: return "M-1,-1 L9,9 M-1,9 L9,-1";
    }
}

}  // namespace

CSvgSurface::CSvgSurface(int width, int height, COLORREF background) : m_nWidth(width), m_nHeight(height) {
    FillSolidRect(CRect(0, 0, width, height), background);
}

std::string CSvgSurface::Stroke() const {
    if (m_pen.nStyle == kPenNull) {
        return " stroke=\"none\"";
    }
    std::string out = " stroke=\"" + Colour(m_pen.crColor) + "\" stroke-width=\"" +
                      Num(m_pen.nWidth < 1 ? 1 : m_pen.nWidth) + "\"";
    if (const char* dashes = Dashes(m_pen.nStyle)) {
        out += std::string(" stroke-dasharray=\"") + dashes + "\"";
    }
    return out;
}

std::string CSvgSurface::Fill(const CBrush& brush) {
    if (brush.nKind == CBrush::Null) {
        return " fill=\"none\"";
    }
    if (brush.nKind == CBrush::Solid) {
        return " fill=\"" + Colour(brush.crColor) + "\"";
    }
    const std::string id = "hatch" + std::to_string(brush.nHatch) + Colour(brush.crColor).substr(1);
    m_defs[id] = "<pattern id=\"" + id +
                 "\" patternUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"8\" height=\"8\"><path d=\"" +
                 HatchPath(brush.nHatch) + "\" stroke=\"" + Colour(brush.crColor) +
                 "\" stroke-width=\"1\"/></pattern>";
    return " fill=\"url(#" + id + ")\"";
}

void CSvgSurface::Shape(const std::string& element, bool outline, bool fill) {
    // Outline and fill are separate elements: the outline sits half a pixel in, the fill does not.
    if (fill && m_brush.nKind != CBrush::Null) {
        m_strBody += element + Fill(m_brush) + " stroke=\"none\" fill-rule=\"nonzero\"/>\n";
    }
    if (outline && m_pen.nStyle != kPenNull) {
        m_strBody += "<g transform=\"translate(0.5,0.5)\">" + element + Stroke() + " fill=\"none\"/></g>\n";
    }
}

void CSvgSurface::MoveTo(int x, int y) {
    m_ptCurrent = CPoint(x, y);
}

void CSvgSurface::LineTo(int x, int y) {
    Shape("<line x1=\"" + Num(m_ptCurrent.x) + "\" y1=\"" + Num(m_ptCurrent.y) + "\" x2=\"" + Num(x) +
              "\" y2=\"" + Num(y) + "\"",
          true, false);
    m_ptCurrent = CPoint(x, y);
}

void CSvgSurface::Polygon(const std::vector<CPoint>& points) {
    Shape("<polygon points=\"" + Points(points) + "\"", true, true);
}

void CSvgSurface::FillPolygon(const std::vector<CPoint>& points) {
    Shape("<polygon points=\"" + Points(points) + "\"", false, true);
}

void CSvgSurface::FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                           const std::vector<CRect>& ellipses) {
    const std::string id = "cut" + std::to_string(++m_nClip);
    std::string mask = "<mask id=\"" + id + "\" maskUnits=\"userSpaceOnUse\" x=\"-32000\" y=\"-32000\" " +
                       "width=\"64000\" height=\"64000\"><polygon points=\"" + Points(points) +
                       "\" fill=\"#ffffff\"/>";
    for (const CRect& e : ellipses) {
        mask += "<ellipse cx=\"" + Num((e.left + e.right) / 2.0) + "\" cy=\"" +
                Num((e.top + e.bottom) / 2.0) + "\" rx=\"" + Num(std::abs(e.right - e.left) / 2.0) +
                "\" ry=\"" + Num(std::abs(e.bottom - e.top) / 2.0) + "\" fill=\"#000000\"/>";
    }
    m_defs[id] = mask + "</mask>";
    if (m_brush.nKind != CBrush::Null) {
        m_strBody +=
            "<polygon points=\"" + Points(points) + "\"" + Fill(m_brush) + " mask=\"url(#" + id + ")\"/>\n";
    }
}

void CSvgSurface::Rectangle(const CRect& box) {
    // The outline runs along the inside of the box's exclusive right and bottom edges.
    Shape("<rect x=\"" + Num(box.left) + "\" y=\"" + Num(box.top) + "\" width=\"" +
              Num(box.right - box.left - 1) + "\" height=\"" + Num(box.bottom - box.top - 1) + "\"",
          true, false);
    Shape("<rect x=\"" + Num(box.left) + "\" y=\"" + Num(box.top) + "\" width=\"" +
              Num(box.right - box.left) + "\" height=\"" + Num(box.bottom - box.top) + "\"",
          false, true);
}

void CSvgSurface::Ellipse(const CRect& box) {
    Shape("<ellipse cx=\"" + Num((box.left + box.right - 1) / 2.0) + "\" cy=\"" +
              Num((box.top + box.bottom - 1) / 2.0) + "\" rx=\"" + Num((box.right - box.left - 1) / 2.0) +
              "\" ry=\"" + Num((box.bottom - box.top - 1) / 2.0) + "\"",
          true, true);
}

// The elliptic arc from the ray through start to the ray through end, counter-clockwise on the screen.
std::string CSvgSurface::ArcPath(const CRect& box, CPoint start, CPoint end) const {
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    const double rx = std::abs(box.right - box.left) / 2.0;
    const double ry = std::abs(box.bottom - box.top) / 2.0;
    if (rx <= 0.0 || ry <= 0.0) {
        return "";
    }
    auto angle = [&](CPoint p) { return std::atan2(-(p.y - cy) / ry, (p.x - cx) / rx); };
    const double a1 = angle(start);
    double a2 = angle(end);
    double sweep = a2 - a1;
    while (sweep <= 0.0) {
        sweep += 2 * std::numbers::pi;
    }
    a2 = a1 + sweep;
    auto point = [&](double a) { return Num(cx + rx * std::cos(a)) + "," + Num(cy - ry * std::sin(a)); };
    std::string path = "M" + point(a1);
    // Two halves, so that a full turn is drawn too.
    path += " A" + Num(rx) + "," + Num(ry) + " 0 0 0 " + point(a1 + sweep / 2);
    path += " A" + Num(rx) + "," + Num(ry) + " 0 0 0 " + point(a2);
    return path;
}

void CSvgSurface::Arc(const CRect& box, CPoint start, CPoint end) {
    const std::string path = ArcPath(box, start, end);
    if (!path.empty()) {
        Shape("<path d=\"" + path + "\"", true, false);
    }
}

void CSvgSurface::Chord(const CRect& box, CPoint start, CPoint end) {
    const std::string path = ArcPath(box, start, end);
    if (!path.empty()) {
        Shape("<path d=\"" + path + " Z\"", true, true);
    }
}

void CSvgSurface::FillSolidRect(const CRect& rect, COLORREF color) {
    m_strBody += "<rect x=\"" + Num(rect.left) + "\" y=\"" + Num(rect.top) + "\" width=\"" +
                 Num(rect.right - rect.left) + "\" height=\"" + Num(rect.bottom - rect.top) + "\" fill=\"" +
                 Colour(color) + "\"/>\n";
}

CSize CSvgSurface::GetTextExtent(const std::string& text) const {
    return CSize{static_cast<int32_t>(text.size()) * kFontCellWidth, kFontCellHeight};
}

void CSvgSurface::TextOut(int x, int y, const std::string& text) {
    const int horizontal = m_nAlign & kAlignCenter;
    const char* anchor =
        horizontal == kAlignCenter ? "middle" : (horizontal == kAlignRight ? "end" : "start");
    const int vertical = m_nAlign & kAlignBaseline;
    double baseline = y + kFontAscent;
    if (vertical == kAlignBaseline) {
        baseline = y;
    } else if (vertical == kAlignBottom) {
        baseline = y - kFontCellHeight + kFontAscent;
    }
    m_strBody += "<text x=\"" + Num(x) + "\" y=\"" + Num(baseline) + "\" text-anchor=\"" + anchor +
                 "\" font-family=\"DejaVu Sans Mono, monospace\" font-size=\"" + Num(kFontCellHeight) +
                 "\" textLength=\"" + Num(static_cast<double>(text.size()) * kFontCellWidth) + "\" fill=\"" +
                 Colour(m_crText) + "\">" + Escape(text) + "</text>\n";
}

std::unique_ptr<CSurface> CSvgSurface::CreateCompatible(int width, int height) const {
    return std::make_unique<CSvgSurface>(width, height);
}

void CSvgSurface::BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) {
    const auto* svg = dynamic_cast<const CSvgSurface*>(&src);
    if (!svg) {
        return;
    }
    const std::string id = "blt" + std::to_string(++m_nClip);
    m_defs[id] = "<clipPath id=\"" + id + "\"><rect x=\"" + Num(sx) + "\" y=\"" + Num(sy) + "\" width=\"" +
                 Num(w) + "\" height=\"" + Num(h) + "\"/></clipPath>";
    for (const auto& [key, def] : svg->m_defs) {
        m_defs[key] = def;
    }
    m_strBody += "<g transform=\"translate(" + Num(x - sx) + "," + Num(y - sy) + ")\"><g clip-path=\"url(#" +
                 id + ")\">\n" + svg->m_strBody + "</g></g>\n";
}

std::string CSvgSurface::GetDocument() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Num(m_nWidth) + "\" height=\"" + Num(m_nHeight) + "\" viewBox=\"0 0 " + Num(m_nWidth) + " " +
        Num(m_nHeight) + "\" shape-rendering=\"crispEdges\">\n<defs>\n";
    for (const auto& [id, def] : m_defs) {
        out += def + "\n";
    }
    return out + "</defs>\n" + m_strBody + "</svg>\n";
}

bool CSvgSurface::Save(const std::string& path, std::string& error) const {
    return WriteFileAtomic(path, GetDocument(), error);
}
