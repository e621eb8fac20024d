// The preview of a DXF import: the drawing fitted to the box, y upwards, the profile over it.
#include "shell/DxfPreview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Units.h"

namespace {
constexpr double kMargin = 10.0;       // pixels round the drawing
constexpr double kPickDistance = 6.0;  // pixels from a line that still pick it
constexpr double kDragDistance = 4.0;  // pixels a press must move to draw a window
constexpr int kArcSteps = 24;

double Distance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

// Points along a piece of the profile, in model units.
std::vector<CPoint> Follow(const CImportPiece& piece) {
    if (!piece.m_bArc || !(piece.m_dRadius > 0.0)) {
        return {piece.m_ptStart, piece.m_ptEnd};
    }
    const auto angle = [&](CPoint p) { return std::atan2(p.y - piece.m_dCenterX, p.x - piece.m_dCenterZ); };
    constexpr double kTurn = 2.0 * std::numbers::pi;
    const double from = angle(piece.m_ptStart);
    double sweep = std::fmod(angle(piece.m_ptEnd) - from + 2.0 * kTurn, kTurn);
    if (std::fmod(angle(piece.m_ptMid) - from + 2.0 * kTurn, kTurn) > sweep) {
        sweep -= kTurn;
    }
    std::vector<CPoint> points{piece.m_ptStart};
    for (int i = 1; i < kArcSteps; ++i) {
        const double a = from + sweep * i / kArcSteps;
        points.push_back(CPoint(Round(piece.m_dCenterZ + piece.m_dRadius * std::cos(a)),
                                Round(piece.m_dCenterX + piece.m_dRadius * std::sin(a))));
    }
    points.push_back(piece.m_ptEnd);
    return points;
}
}  // namespace

CDxfPreview::CDxfPreview(QWidget* parent) : QWidget(parent) {
    setMouseTracking(false);
    setCursor(Qt::CrossCursor);
}

void CDxfPreview::SetDrawing(const CDxfContent& content) {
    m_content = content;
    Fit();
    update();
}

void CDxfPreview::SetProfile(const CImportResult& result, const std::optional<CDxfPlacement>& placement) {
    m_result = result;
    m_placement = placement;
    update();
}

void CDxfPreview::SetWindow(const std::optional<std::pair<CPlanePoint, CPlanePoint>>& window) {
    m_window = window;
    update();
}

CPlanePoint CDxfPreview::ToDrawing(QPointF pixel) const {
    return {m_min.z + (pixel.x() - m_origin.x()) / m_dScale, m_min.x + (m_origin.y() - pixel.y()) / m_dScale};
}

QPointF CDxfPreview::ToPixel(CPlanePoint p) const {
    return {m_origin.x() + (p.z - m_min.z) * m_dScale, m_origin.y() - (p.x - m_min.x) * m_dScale};
}

void CDxfPreview::Fit() {
    double box[4] = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const auto add = [&](CPlanePoint p) {
        if (std::isfinite(p.z) && std::isfinite(p.x)) {
            box[0] = std::min(box[0], p.z);
            box[1] = std::min(box[1], p.x);
            box[2] = std::max(box[2], p.z);
            box[3] = std::max(box[3], p.x);
        }
    };
    for (const CDxfSegment& s : m_content.m_segments) {
        add(s.m_a);
        add(s.m_b);
        if (s.m_bArc) {
            add(s.At(0.5));
        }
    }
    for (const CDxfContent::CCircle& c : m_content.m_circles) {
        add({c.m_center.z - c.m_dRadius, c.m_center.x - c.m_dRadius});
        add({c.m_center.z + c.m_dRadius, c.m_center.x + c.m_dRadius});
    }
    for (const CDxfContent::CAxisLine& l : m_content.m_axisLines) {
        add(l.m_a);
        add(l.m_b);
    }
    if (box[0] > box[2]) {
        box[0] = box[1] = 0.0;
        box[2] = box[3] = 1.0;
    }
    const double w = std::max(box[2] - box[0], 1e-9);
    const double h = std::max(box[3] - box[1], 1e-9);
    m_dScale = std::min((width() - 2 * kMargin) / w, (height() - 2 * kMargin) / h);
    if (!std::isfinite(m_dScale) || m_dScale <= 0.0) {
        m_dScale = 1.0;
    }
    m_min = {box[0], box[1]};
    m_origin = QPointF((width() - w * m_dScale) / 2.0, height() - (height() - h * m_dScale) / 2.0);
}

void CDxfPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Fit();
}

void CDxfPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintDrawing(painter);
    PaintProfile(painter);
    const auto box = [&](CPlanePoint a, CPlanePoint b) {
        return QRectF(ToPixel(a), ToPixel(b)).normalized();
    };
    painter.setBrush(QColor(40, 90, 200, 30));
    painter.setPen(QPen(QColor(40, 90, 200), 1, Qt::DashLine));
    if (m_pressed) {
        painter.drawRect(QRectF(*m_pressed, m_dragTo).normalized());
    } else if (m_window) {
        painter.drawRect(box(m_window->first, m_window->second));
    }
    if (m_bPicking) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft,
                         QStringLiteral("Click a line to make it the turning axis"));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CDxfPreview::PaintDrawing(QPainter& painter) const {
    painter.setPen(QPen(QColor(170, 170, 170), 1));
    for (const CDxfSegment& s : m_content.m_segments) {
        if (!s.m_bArc) {
            painter.drawLine(ToPixel(s.m_a), ToPixel(s.m_b));
            continue;
        }
        QPainterPath path(ToPixel(s.m_a));
        for (int i = 1; i <= kArcSteps; ++i) {
            path.lineTo(ToPixel(s.At(double(i) / kArcSteps)));
        }
        painter.drawPath(path);
    }
    for (const CDxfContent::CCircle& c : m_content.m_circles) {
        painter.drawEllipse(ToPixel(c.m_center), c.m_dRadius * m_dScale, c.m_dRadius * m_dScale);
    }
    painter.setPen(QPen(QColor(170, 170, 170), 1, Qt::DashDotLine));
    for (const CDxfContent::CAxisLine& l : m_content.m_axisLines) {
        painter.drawLine(ToPixel(l.m_a), ToPixel(l.m_b));
    }
}

void CDxfPreview::PaintProfile(QPainter& painter) const {
    if (!m_placement) {
        return;
    }
    // The axis across the whole box.
    const CTurningAxis& axis = m_placement->m_axis;
    const double length = std::hypot(axis.m_b.z - axis.m_a.z, axis.m_b.x - axis.m_a.x);
    if (length > 0.0) {
        const double reach = 4.0 * (width() + height()) / m_dScale / length;
        const CPlanePoint far0{axis.m_a.z - reach * (axis.m_b.z - axis.m_a.z),
                               axis.m_a.x - reach * (axis.m_b.x - axis.m_a.x)};
        const CPlanePoint far1{axis.m_a.z + reach * (axis.m_b.z - axis.m_a.z),
                               axis.m_a.x + reach * (axis.m_b.x - axis.m_a.x)};
        painter.setPen(QPen(QColor(200, 40, 40), 1, Qt::DashDotLine));
        painter.drawLine(ToPixel(far0), ToPixel(far1));
    }
    // The profile on the axis's left, bold, and its mirror image on the other side, light.
    for (const int side : {-1, 1}) {
        painter.setPen(side > 0 ? QPen(QColor(20, 40, 140), 2.5) : QPen(QColor(120, 140, 220), 1.2));
        QPainterPath path;
        bool first = true;
        for (const CImportPiece& piece : m_result.m_pieces) {
            for (CPoint p : Follow(piece)) {
                const QPointF at = ToPixel(m_placement->ToDrawing(CPoint(p.x, side * p.y)));
                if (first) {
                    path.moveTo(at);
                    first = false;
                } else {
                    path.lineTo(at);
                }
            }
        }
        painter.drawPath(path);
    }
}

bool CDxfPreview::NearestLine(QPointF pixel, CPlanePoint& from, CPlanePoint& to) const {
    double best = kPickDistance;
    bool found = false;
    const auto consider = [&](CPlanePoint a, CPlanePoint b) {
        const double d = Distance(pixel, ToPixel(a), ToPixel(b));
        if (d <= best && (a.z != b.z || a.x != b.x)) {
            best = d;
            from = a;
            to = b;
            found = true;
        }
    };
    for (const CDxfContent::CAxisLine& l : m_content.m_axisLines) {
        consider(l.m_a, l.m_b);
    }
    for (const CDxfSegment& s : m_content.m_segments) {
        if (!s.m_bArc) {
            consider(s.m_a, s.m_b);
        }
    }
    return found;
}

void CDxfPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = event->position();
        m_dragTo = event->position();
    }
}

void CDxfPreview::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed) {
        m_dragTo = event->position();
        update();
    }
}

void CDxfPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        return;
    }
    const QPointF from = *m_pressed;
    const QPointF to = event->position();
    m_pressed.reset();
    update();
    if (std::hypot(to.x() - from.x(), to.y() - from.y()) > kDragDistance) {
        emit WindowDrawn(ToDrawing(from), ToDrawing(to));
        return;
    }
    CPlanePoint a, b;
    if (m_bPicking && NearestLine(to, a, b)) {
        emit LinePicked(a, b);
    }
}
