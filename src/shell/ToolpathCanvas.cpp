// The toolpath canvas: painting through the Qt surface, click to pick, drag to pan, wheel to zoom.
#include "shell/ToolpathCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "shell/QtSurface.h"

namespace {
// A press that moves further than this (pixels) pans instead of picking.
constexpr int kDragThreshold = 3;
}  // namespace

CToolpathCanvas::CToolpathCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(80, 60);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    m_view.SetClientSize(width(), height());
}

void CToolpathCanvas::ContentChanged() {
    m_view.SetClientSize(width(), height());
    ZoomToFit();
}

void CToolpathCanvas::ZoomToFit() {
    m_view.ZoomToFit();
    m_bFitted = true;
    update();
}

void CToolpathCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    CQtSurface surface(&painter, width(), height());
    m_view.Paint(surface);
}

void CToolpathCanvas::resizeEvent(QResizeEvent*) {
    m_view.SetClientSize(width(), height());
    if (m_bFitted) {
        m_view.ZoomToFit();
    }
}

void CToolpathCanvas::mousePressEvent(QMouseEvent* event) {
    m_ptPress = m_ptLast = event->position().toPoint();
    m_bDragging = false;
}

void CToolpathCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (!m_bDragging && (p - m_ptPress).manhattanLength() > kDragThreshold) {
        m_bDragging = true;
    }
    if (m_bDragging) {
        m_view.Pan(p.x() - m_ptLast.x(), p.y() - m_ptLast.y());
        m_bFitted = false;
        m_ptLast = p;
        update();
    }
}

void CToolpathCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bDragging || event->button() != Qt::LeftButton) {
        m_bDragging = false;
        return;
    }
    const int move = m_view.HitTest(event->position().toPoint().x(), event->position().toPoint().y());
    if (move >= 0) {
        const int line = m_view.GetPath().moves[static_cast<size_t>(move)].nLine;
        m_view.SelectLine(line);
        update();
        emit lineClicked(line);
    }
}

void CToolpathCanvas::mouseDoubleClickEvent(QMouseEvent*) {
    ZoomToFit();
}

void CToolpathCanvas::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        const QPoint p = event->position().toPoint();
        m_view.ZoomAt(p.x(), p.y(), steps);
        m_bFitted = false;
        update();
    }
    event->accept();
}
