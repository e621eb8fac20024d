// The QPainter surface: pens, brushes, fills, arcs on boxes, aligned texts and block copies.
#include "shell/QtSurface.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "shell/QtText.h"

namespace {

Qt::PenStyle PenStyleOf(int style, int width) {
    // Styled pens wider than one pixel come out solid, as the stored layer styles expect
    // (the Drawing Options dialog forces width 1 for them).
    if (style == kPenNull) {
        return Qt::NoPen;
    }
    if (width > 1) {
        return Qt::SolidLine;
    }
    switch (style) {
        case kPenDash: return Qt::DashLine;
        case kPenDot: return Qt::DotLine;
        case kPenDashDot: return Qt::DashDotLine;
        case kPenDashDotDot: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle HatchOf(int hatch) {
    switch (hatch) {
        case kHatchHorizontal: return Qt::HorPattern;
        case kHatchVertical: return Qt::VerPattern;
        case kHatchForwardDiagonal: return Qt::FDiagPattern;
        case kHatchBackwardDiagonal: return Qt::BDiagPattern;
        case kHatchCross: return Qt::CrossPattern;
        case kHatchDiagonalCross: return Qt::DiagCrossPattern;
        default: return Qt::HorPattern;
    }
}

QPolygon ToPolygon(const std::vector<CPoint>& points) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const CPoint& p : points) {
        poly << QPoint(p.x, p.y);
    }
    return poly;
}

CRect Normalized(CRect r) {
    r.Normalize();
    return r;
}

}  // namespace

CQtSurface::CQtSurface(int width, int height)
    : m_nWidth(width > 0 ? width : 1),
      m_nHeight(height > 0 ? height : 1),
      m_image(m_nWidth, m_nHeight, QImage::Format_RGB32),
      m_pending(m_nWidth, m_nHeight) {
    m_image.fill(Qt::white);
}

std::unique_ptr<CQtSurface> CQtSurface::MakeClear(int width, int height) {
    auto surface = std::make_unique<CQtSurface>(width, height);
    // Without antialiasing every pixel drawn is opaque, so laying the picture over another
    // gives the very pixels drawing on that one would.
    surface->m_image = QImage(surface->m_nWidth, surface->m_nHeight, QImage::Format_ARGB32_Premultiplied);
    surface->m_image.fill(Qt::transparent);
    return surface;
}

CQtSurface::CQtSurface(QPainter* painter, int width, int height)
    : m_nWidth(width), m_nHeight(height), m_pending(0, 0), m_pExternal(painter) {}

CQtSurface::~CQtSurface() {
    Flush();
}

QFont CQtSurface::TextFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QColor CQtSurface::ToColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QPainter& CQtSurface::Painter() {
    return PainterFor(QRect(0, 0, m_nWidth, m_nHeight));
}

QPainter& CQtSurface::PainterFor(const QRect& reach) {
    if (m_pExternal) {
        return *m_pExternal;
    }
    // Column fills still pending are written first where the stroke may meet them; elsewhere
    // the order of the two does not show.
    if (!m_pending.IsEmpty() && m_pending.Touches(reach.left(), reach.top(), reach.right(), reach.bottom())) {
        WritePendingColumns(reach.left(), reach.right());
    }
    if (!m_pOwnPainter) {
        m_pOwnPainter = std::make_unique<QPainter>(&m_image);
        m_pOwnPainter->setRenderHint(QPainter::Antialiasing, false);
        m_pOwnPainter->setFont(TextFont());
        ApplyPen(*m_pOwnPainter);
        ApplyBrush(*m_pOwnPainter);
    }
    return *m_pOwnPainter;
}

void CQtSurface::EndPainter() const {
    if (m_pOwnPainter) {
        m_pOwnPainter->end();
        m_pOwnPainter.reset();
    }
}

void CQtSurface::WritePendingColumns(int left, int right) const {
    if (!m_pending.IsEmpty()) {
        EndPainter();
        m_pending.Write(reinterpret_cast<uint32_t*>(m_image.bits()), m_image.bytesPerLine() / 4, left, right);
    }
}

void CQtSurface::Flush() const {
    WritePendingColumns(0, m_nWidth - 1);
    EndPainter();
}

const QImage& CQtSurface::GetImage() const {
    Flush();
    return m_image;
}

void CQtSurface::ApplyPen(QPainter& p) const {
    const int width = m_pen.nWidth > 1 ? m_pen.nWidth : 1;
    QPen pen(ToColor(m_pen.crColor));
    pen.setStyle(PenStyleOf(m_pen.nStyle, width));
    if (width > 1) {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
    }
    // On a page, widths count in device pixels as on the screen: a scaled-down page (a preview)
    // must not thin an outline below one pixel.
    pen.setCosmetic(pen.isCosmetic() || m_pExternal != nullptr);
    p.setPen(pen);
}

void CQtSurface::ApplyBrush(QPainter& p) const {
    switch (m_brush.nKind) {
        case CBrush::Solid: p.setBrush(QBrush(ToColor(m_brush.crColor))); break;
        case CBrush::Hatch: p.setBrush(QBrush(ToColor(m_brush.crColor), HatchOf(m_brush.nHatch))); break;
        default: p.setBrush(Qt::NoBrush); break;
    }
}

void CQtSurface::SetPen(const CPen& pen) {
    m_pen = pen;
    if (QPainter* p = m_pExternal ? m_pExternal : m_pOwnPainter.get()) {
        ApplyPen(*p);
    }
}

void CQtSurface::SetBrush(const CBrush& brush) {
    m_brush = brush;
    if (QPainter* p = m_pExternal ? m_pExternal : m_pOwnPainter.get()) {
        ApplyBrush(*p);
    }
}

void CQtSurface::MoveTo(int x, int y) {
    m_ptCurrent = QPoint(x, y);
}

void CQtSurface::LineTo(int x, int y) {
    const QPoint to(x, y);
    // A line wholly beside the own picture leaves no pixel in it (nor does it open a painter).
    const QRect reach = Reach(QRect(m_ptCurrent, to).normalized());
    if (m_pExternal || reach.intersects(QRect(0, 0, m_nWidth, m_nHeight))) {
        PainterFor(reach).drawLine(m_ptCurrent, to);
    }
    m_ptCurrent = to;
}

void CQtSurface::Polygon(const std::vector<CPoint>& points) {
    if (points.size() >= 2) {
        const QPolygon polygon = ToPolygon(points);
        PainterFor(Reach(polygon.boundingRect())).drawPolygon(polygon, Qt::WindingFill);
    }
}

void CQtSurface::FillPolygon(const std::vector<CPoint>& points) {
    // A null brush fills nothing; building the path would cost as much as filling it.
    if (points.size() < 3 || m_brush.nKind == CBrush::Null) {
        return;
    }
    const QPolygon polygon = ToPolygon(points);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(polygon);
    path.closeSubpath();
    QPainter& p = PainterFor(Reach(polygon.boundingRect()));
    p.fillPath(path, p.brush());
}

void CQtSurface::FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                          const std::vector<CRect>& ellipses) {
    if (points.size() < 3 || m_brush.nKind == CBrush::Null) {
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(ToPolygon(points));
    path.closeSubpath();
    for (const CRect& e : ellipses) {
        const CRect r = Normalized(e);
        QPainterPath disc;
        disc.addEllipse(QRectF(r.left, r.top, r.Width(), r.Height()));
        path = path.subtracted(disc);
    }
    Painter().fillPath(path, Painter().brush());
}

QRect CQtSurface::Reach(const QRect& box) const {
    const int margin = std::max(m_pen.nWidth, 1) + 1;
    return box.adjusted(-margin, -margin, margin, margin);
}

QRectF CQtSurface::BoxOf(const CRect& box, bool outlined) {
    // The outline of a box covers its left and top edges but stops one pixel short of the
    // right and bottom ones.
    const CRect r = Normalized(box);
    const int shrink = outlined ? 1 : 0;
    return QRectF(r.left, r.top, std::max(0, r.Width() - shrink), std::max(0, r.Height() - shrink));
}

void CQtSurface::Rectangle(const CRect& box) {
    const QRectF r = BoxOf(box, true);
    PainterFor(Reach(r.toRect())).drawRect(r);
}

void CQtSurface::Ellipse(const CRect& box) {
    const QRectF r = BoxOf(box, true);
    PainterFor(Reach(r.toRect())).drawEllipse(r);
}

int CQtSurface::ArcAngle(const QRectF& box, CPoint through) {
    const double cx = box.center().x();
    const double cy = box.center().y();
    const double dx = through.x - cx;
    const double dy = cy - through.y;  // screen y grows downward
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    // Qt measures arcs by the ellipse's parameter, the rays go through the points themselves.
    double t = (a > 0 && b > 0) ? std::atan2(a * dy, b * dx) : std::atan2(dy, dx);
    double degrees = t * 180.0 / std::numbers::pi;
    if (degrees < 0) {
        degrees += 360.0;
    }
    return static_cast<int>(std::lround(degrees * 16.0));
}

void CQtSurface::ArcAngles(const QRectF& box, CPoint start, CPoint end, int& angle, int& span) {
    angle = ArcAngle(box, start);
    span = ArcAngle(box, end) - angle;
    // Counter-clockwise from start to end; coinciding rays give the whole ellipse.
    while (span <= 0) {
        span += 360 * 16;
    }
}

void CQtSurface::Arc(const CRect& box, CPoint start, CPoint end) {
    const QRectF r = BoxOf(box, true);
    int angle = 0;
    int span = 0;
    ArcAngles(r, start, end, angle, span);
    PainterFor(Reach(r.toRect())).drawArc(r, angle, span);
}

void CQtSurface::Chord(const CRect& box, CPoint start, CPoint end) {
    const QRectF r = BoxOf(box, true);
    int angle = 0;
    int span = 0;
    ArcAngles(r, start, end, angle, span);
    PainterFor(Reach(r.toRect())).drawChord(r, angle, span);
}

void CQtSurface::FillSolidRect(const CRect& rect, COLORREF color) {
    const CRect r = Normalized(rect);
    if (!m_pExternal && r.left <= 0 && r.top <= 0 && r.right >= m_nWidth && r.bottom >= m_nHeight) {
        // The whole picture: what was pending is covered, and a picture shared with a copy
        // needs no copy of its own first.
        EndPainter();
        m_pending.Clear();
        if (!m_image.isDetached()) {
            m_image = QImage(m_nWidth, m_nHeight, m_image.format());
        }
        m_image.fill(ToColor(color));
        return;
    }
    const QRect box(r.left, r.top, r.Width(), r.Height());
    PainterFor(box).fillRect(box, ToColor(color));
}

std::array<uint8_t, 8> CQtSurface::TileOf(const CBrush& brush) {
    std::array<uint8_t, 8> rows{};
    if (brush.nKind == CBrush::Solid) {
        rows.fill(0xff);
    } else if (brush.nKind == CBrush::Hatch) {
        QImage tile(8, 8, QImage::Format_RGB32);
        tile.fill(Qt::white);
        QPainter p(&tile);
        p.fillRect(QRect(0, 0, 8, 8), QBrush(Qt::black, HatchOf(brush.nHatch)));
        p.end();
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                rows[static_cast<size_t>(y)] |= tile.pixel(x, y) == QColor(Qt::black).rgb() ? 1u << x : 0u;
            }
        }
    }
    return rows;
}

void CQtSurface::FillColumns(int x, const std::vector<CColumnSpan>& spans, const CBrush& brush) {
    if (m_pExternal) {
        CSurface::FillColumns(x, spans, brush);
        return;
    }
    // The raster painter would scan the outlines edge by edge; the columns' pixels are written
    // straight into the picture instead, with no painter open on it, once the fills of all
    // layers are known.
    if (brush.nKind == CBrush::Null) {
        return;
    }
    m_pending.Add(x, spans, TileOf(brush), ToColor(brush.crColor).rgb());
}

void CQtSurface::TextOut(int x, int y, const std::string& text) {
    QPainter& p = Painter();
    const QString s = ToQ(text);
    const QFontMetrics fm(p.font());
    const int width = fm.horizontalAdvance(s);
    int left = x;
    if ((m_nAlign & kAlignCenter) == kAlignCenter) {
        left = x - width / 2;
    } else if ((m_nAlign & kAlignCenter) == kAlignRight) {
        left = x - width;
    }
    int baseline = y + fm.ascent();
    if ((m_nAlign & kAlignBaseline) == kAlignBaseline) {
        baseline = y;
    } else if ((m_nAlign & kAlignBaseline) == kAlignBottom) {
        baseline = y - fm.descent();
    }
    p.save();
    p.setPen(ToColor(m_crText));
    p.drawText(QPoint(left, baseline), s);
    p.restore();
}

CSize CQtSurface::GetTextExtent(const std::string& text) const {
    const QFontMetrics fm(m_pExternal ? m_pExternal->font() : TextFont());
    return CSize{fm.horizontalAdvance(ToQ(text)), fm.height()};
}

std::unique_ptr<CSurface> CQtSurface::CreateCompatible(int width, int height) const {
    // A page is drawn on directly: pictures of its pixels would be scaled with the page.
    if (m_pExternal) {
        return nullptr;
    }
    return std::make_unique<CQtSurface>(width, height);
}

void CQtSurface::BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) {
    const auto* from = dynamic_cast<const CQtSurface*>(&src);
    if (!from || w <= 0 || h <= 0 || from->m_pExternal) {
        return;
    }
    if (from != this && x == 0 && y == 0 && sx == 0 && sy == 0 && w >= m_nWidth && h >= m_nHeight &&
        from->GetImage().size() == m_image.size()) {
        // The whole picture becomes the other one's: the two share the pixels until either is
        // drawn on again.
        EndPainter();
        m_pending.Clear();
        m_image = from->GetImage();
        return;
    }
    QPainter& p = Painter();
    const QPainter::CompositionMode mode = p.compositionMode();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (from == this) {
        // Copying within one picture needs the source block taken out first.
        const QImage block = m_image.copy(sx, sy, w, h);
        p.drawImage(QPoint(x, y), block);
    } else {
        p.drawImage(QPoint(x, y), from->GetImage(), QRect(sx, sy, w, h));
    }
    p.setCompositionMode(mode);
}

std::unique_ptr<CSurface> CQtSurface::CreateClear(int width, int height) const {
    return MakeClear(width, height);
}

bool CQtSurface::DrawOver(int x, int y, const CSurface& picture) {
    const auto* from = dynamic_cast<const CQtSurface*>(&picture);
    if (!from || from == this || from->m_pExternal) {
        return false;
    }
    QPainter& p = Painter();
    const QPainter::CompositionMode mode = p.compositionMode();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(x, y), from->GetImage());
    p.setCompositionMode(mode);
    return true;
}
