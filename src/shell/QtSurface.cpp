// The QPainter surface: pens, brushes, fills, arcs on boxes, aligned texts and block copies.
#include "shell/QtSurface.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <numeric>

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
      m_image(m_nWidth, m_nHeight, QImage::Format_RGB32) {
    m_image.fill(Qt::white);
}

CQtSurface::CQtSurface(QPainter* painter, int width, int height)
    : m_nWidth(width), m_nHeight(height), m_pExternal(painter) {}

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
    if (m_pExternal) {
        return *m_pExternal;
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

void CQtSurface::Flush() const {
    if (m_pOwnPainter) {
        m_pOwnPainter->end();
        m_pOwnPainter.reset();
    }
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
    if (m_pExternal || m_pOwnPainter) {
        ApplyPen(Painter());
    }
}

void CQtSurface::SetBrush(const CBrush& brush) {
    m_brush = brush;
    if (m_pExternal || m_pOwnPainter) {
        ApplyBrush(Painter());
    }
}

void CQtSurface::MoveTo(int x, int y) {
    m_ptCurrent = QPoint(x, y);
}

void CQtSurface::LineTo(int x, int y) {
    const QPoint to(x, y);
    Painter().drawLine(m_ptCurrent, to);
    m_ptCurrent = to;
}

void CQtSurface::Polygon(const std::vector<CPoint>& points) {
    if (points.size() >= 2) {
        Painter().drawPolygon(ToPolygon(points), Qt::WindingFill);
    }
}

void CQtSurface::FillPolygon(const std::vector<CPoint>& points) {
    // A null brush fills nothing; building the path would cost as much as filling it.
    if (points.size() < 3 || m_brush.nKind == CBrush::Null) {
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(ToPolygon(points));
    path.closeSubpath();
    Painter().fillPath(path, Painter().brush());
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

QRectF CQtSurface::BoxOf(const CRect& box, bool outlined) {
    // The outline of a box covers its left and top edges but stops one pixel short of the
    // right and bottom ones.
    const CRect r = Normalized(box);
    const int shrink = outlined ? 1 : 0;
    return QRectF(r.left, r.top, std::max(0, r.Width() - shrink), std::max(0, r.Height() - shrink));
}

void CQtSurface::Rectangle(const CRect& box) {
    Painter().drawRect(BoxOf(box, true));
}

void CQtSurface::Ellipse(const CRect& box) {
    Painter().drawEllipse(BoxOf(box, true));
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
    Painter().drawArc(r, angle, span);
}

void CQtSurface::Chord(const CRect& box, CPoint start, CPoint end) {
    const QRectF r = BoxOf(box, true);
    int angle = 0;
    int span = 0;
    ArcAngles(r, start, end, angle, span);
    Painter().drawChord(r, angle, span);
}

void CQtSurface::FillSolidRect(const CRect& rect, COLORREF color) {
    const CRect r = Normalized(rect);
    Painter().fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToColor(color));
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
    // straight into the picture instead, with no painter open on it. Row by row over a few
    // columns at a time: walking down one column touches a new memory page on every row.
    if (brush.nKind == CBrush::Null) {
        return;
    }
    const std::array<uint8_t, 8> tile = TileOf(brush);
    Flush();
    constexpr int64_t kBlock = 64;
    const QRgb rgb = ToColor(brush.crColor).rgb();
    const qsizetype stride = m_image.bytesPerLine();
    uchar* bits = m_image.bits();
    const int64_t first = std::max<int64_t>(0, -static_cast<int64_t>(x));
    const int64_t last =
        std::min<int64_t>(static_cast<int64_t>(spans.size()), static_cast<int64_t>(m_nWidth) - x);
    // Per block, the rows fall into bands between the columns' tops and bottoms; inside a band
    // the same columns are covered, so they are listed once (by their place in the tile's row)
    // and every row of the band writes just those pixels.
    std::array<int, kBlock> tops{};
    std::array<int, kBlock> bottoms{};
    std::array<int, 2 * kBlock> edges{};
    std::array<std::array<int, kBlock>, 8> columns{};
    std::array<int, 8> counts{};
    const bool solid = brush.nKind == CBrush::Solid;
    for (int64_t from = first; from < last; from += kBlock) {
        const int64_t to = std::min(last, from + kBlock);
        const int count = static_cast<int>(to - from);
        size_t edgeCount = 0;
        for (int i = 0; i < count; ++i) {
            const CColumnSpan& s = spans[static_cast<size_t>(from + i)];
            tops[static_cast<size_t>(i)] = std::max(s.nTop, 0);
            bottoms[static_cast<size_t>(i)] = std::min(s.nBottom, m_nHeight - 1);
            if (tops[static_cast<size_t>(i)] <= bottoms[static_cast<size_t>(i)]) {
                edges[edgeCount++] = tops[static_cast<size_t>(i)];
                edges[edgeCount++] = bottoms[static_cast<size_t>(i)] + 1;
            }
        }
        if (edgeCount == 0) {
            continue;
        }
        QRgb* const left = reinterpret_cast<QRgb*>(bits) + x + from;
        const int blockTop =
            *std::min_element(edges.begin(), edges.begin() + static_cast<std::ptrdiff_t>(edgeCount));
        const int blockEnd =
            *std::max_element(edges.begin(), edges.begin() + static_cast<std::ptrdiff_t>(edgeCount));
        // Bands thinner than a few rows on average (the contours' rows, a dense profile at "To
        // fit") cost more to sort and list than to test row by row.
        if (blockEnd - blockTop < 4 * static_cast<int>(edgeCount)) {
            // Rows every column covers are filled whole when the brush is solid.
            const int commonTop = solid ? *std::max_element(tops.begin(), tops.begin() + count) : INT_MAX;
            const int commonBottom =
                solid ? *std::min_element(bottoms.begin(), bottoms.begin() + count) : INT_MIN;
            for (int y = blockTop; y < blockEnd; ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(reinterpret_cast<uchar*>(left) +
                                                    static_cast<qsizetype>(y) * stride);
                if (commonTop <= y && y <= commonBottom) {
                    std::fill(row, row + count, rgb);
                    continue;
                }
                const unsigned pattern = solid ? 0xffu : tile[static_cast<size_t>(y & 7)];
                for (int i = 0; i < count; ++i) {
                    if (tops[static_cast<size_t>(i)] <= y && y <= bottoms[static_cast<size_t>(i)] &&
                        (pattern >> ((x + from + i) & 7) & 1u)) {
                        row[i] = rgb;
                    }
                }
            }
            continue;
        }
        std::sort(edges.begin(), edges.begin() + static_cast<std::ptrdiff_t>(edgeCount));
        for (size_t e = 0; e + 1 < edgeCount; ++e) {
            const int bandTop = edges[e];
            const int bandEnd = edges[e + 1];
            if (bandTop == bandEnd) {
                continue;
            }
            counts.fill(0);
            for (int i = 0; i < count; ++i) {
                if (tops[static_cast<size_t>(i)] <= bandTop && bandTop <= bottoms[static_cast<size_t>(i)]) {
                    const size_t phase = static_cast<size_t>((x + from + i) & 7);
                    columns[phase][static_cast<size_t>(counts[phase]++)] = i;
                }
            }
            const bool whole = solid && std::accumulate(counts.begin(), counts.end(), 0) == count;
            for (int y = bandTop; y < bandEnd; ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(reinterpret_cast<uchar*>(left) +
                                                    static_cast<qsizetype>(y) * stride);
                if (whole) {
                    std::fill(row, row + count, rgb);
                    continue;
                }
                const unsigned pattern = solid ? 0xffu : tile[static_cast<size_t>(y & 7)];
                for (size_t phase = 0; phase < 8; ++phase) {
                    if (pattern >> phase & 1u) {
                        for (int k = 0; k < counts[phase]; ++k) {
                            row[columns[phase][static_cast<size_t>(k)]] = rgb;
                        }
                    }
                }
            }
        }
    }
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
    return std::make_unique<CQtSurface>(width, height);
}

void CQtSurface::BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) {
    const auto* from = dynamic_cast<const CQtSurface*>(&src);
    if (!from || w <= 0 || h <= 0 || from->m_pExternal) {
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
