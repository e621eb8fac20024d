// The drawing window: Qt events in, the view's painting, scroll bars, cursors and notifications out.
#include "shell/DrawingWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "document/KestrovelDoc.h"
#include "shell/Icons.h"
#include "shell/QtSurface.h"
#include "shell/QtText.h"
#include "view/KestrovelView.h"

namespace {

// Virtual key codes of the keys the view may care about.
int VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 0x70 + (qtKey - Qt::Key_F1);
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    switch (qtKey) {
        case Qt::Key_Escape: return 0x1B;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 0x0D;
        case Qt::Key_Delete: return 0x2E;
        default: return 0;
    }
}

}  // namespace

CDrawingWindow::CDrawingWindow(const CViewContext& context, QWidget* parent)
    : QAbstractScrollArea(parent), m_pWindow(std::make_unique<CQtSurface>(1, 1)) {
    CViewContext ctx = context;
    ctx.pHost = this;
    m_pView = std::make_unique<CKestrovelView>(ctx);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    ConnectScrollBar(kScrollHorz);
    ConnectScrollBar(kScrollVert);
}

CDrawingWindow::~CDrawingWindow() {
    if (CKestrovelDoc* doc = m_pView->GetDocument()) {
        doc->OnViewClosed(m_pView.get());
    }
}

void CDrawingWindow::InitialUpdate() {
    if (!m_bInitialised) {
        m_bInitialised = true;
        m_pView->OnInitialUpdate();
        AfterEvent();
    }
}

void CDrawingWindow::AfterEvent() {
    if (m_afterEvent) {
        m_afterEvent();
    }
}

// Scroll bars ------------------------------------------------------------------------------

void CDrawingWindow::ConnectScrollBar(int bar) {
    QScrollBar* sb = bar == kScrollHorz ? horizontalScrollBar() : verticalScrollBar();
    sb->setRange(-500, 500);
    sb->setPageStep(100);
    connect(sb, &QScrollBar::actionTriggered, this, [this, bar](int action) { OnScrollAction(bar, action); });
    connect(sb, &QScrollBar::sliderReleased, this, [this, bar, sb]() {
        if (bar == kScrollHorz) {
            m_pView->OnHScroll(kScrollThumbPosition, sb->sliderPosition());
        } else {
            m_pView->OnVScroll(kScrollThumbPosition, sb->sliderPosition());
        }
        sb->setSliderPosition(m_nScrollPos[bar]);
        AfterEvent();
    });
}

void CDrawingWindow::OnScrollAction(int bar, int action) {
    if (m_nSilentScroll) {
        return;
    }
    QScrollBar* sb = bar == kScrollHorz ? horizontalScrollBar() : verticalScrollBar();
    int code = -1;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = kScrollLineLeft; break;
        case QAbstractSlider::SliderSingleStepAdd: code = kScrollLineRight; break;
        case QAbstractSlider::SliderPageStepSub: code = kScrollPageLeft; break;
        case QAbstractSlider::SliderPageStepAdd: code = kScrollPageRight; break;
        case QAbstractSlider::SliderMove: code = kScrollThumbTrack; break;
        default: break;
    }
    if (code >= 0) {
        if (bar == kScrollHorz) {
            m_pView->OnHScroll(code, sb->sliderPosition());
        } else {
            m_pView->OnVScroll(code, sb->sliderPosition());
        }
    }
    if (code == kScrollThumbTrack) {
        // The thumb follows the mouse; the view acts when it is let go.
        return;
    }
    // The bar shows what the view decided, not where Qt would have moved it.
    sb->setSliderPosition(m_nScrollPos[bar]);
    AfterEvent();
}

void CDrawingWindow::SetScrollRange(int bar, int min, int max) {
    ++m_nSilentScroll;
    (bar == kScrollHorz ? horizontalScrollBar() : verticalScrollBar())->setRange(min, max);
    --m_nSilentScroll;
}

void CDrawingWindow::SetScrollPos(int bar, int pos) {
    if (bar != kScrollHorz && bar != kScrollVert) {
        return;
    }
    m_nScrollPos[bar] = pos;
    QScrollBar* sb = bar == kScrollHorz ? horizontalScrollBar() : verticalScrollBar();
    ++m_nSilentScroll;
    sb->setSliderPosition(pos);
    sb->setValue(pos);
    --m_nSilentScroll;
}

void CDrawingWindow::scrollContentsBy(int, int) {
    // The view moves its origin itself; Qt must not shift the picture.
}

void CDrawingWindow::ScrollWindow(int dx, int dy) {
    const int w = m_pWindow->GetWidth();
    const int h = m_pWindow->GetHeight();
    m_pWindow->BitBlt(dx, dy, w, h, *m_pWindow, 0, 0);
    viewport()->update();
}

// Painting ---------------------------------------------------------------------------------

void CDrawingWindow::Invalidate(bool) {
    m_bNeedsPaint = true;
    viewport()->update();
}

void CDrawingWindow::InvalidateRect(const CRect& rect, bool) {
    m_bNeedsPaint = true;
    viewport()->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

CSurface* CDrawingWindow::GetWindowSurface() {
    // Whatever is drawn now reaches the screen with the next paint of the widget (a paint in
    // progress shows it anyway and must not ask for another one).
    if (!m_bPainting) {
        viewport()->update();
    }
    return m_pWindow.get();
}

const QImage& CDrawingWindow::Picture() const {
    return m_pWindow->GetImage();
}

void CDrawingWindow::paintEvent(QPaintEvent*) {
    if (m_bNeedsPaint && m_bInitialised) {
        m_bNeedsPaint = false;
        m_bPainting = true;
        m_pView->OnPaint(*m_pWindow);
        m_bPainting = false;
        emit viewPainted(++m_nPaints);
    }
    QPainter p(viewport());
    p.drawImage(0, 0, m_pWindow->GetImage());
}

void CDrawingWindow::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QSize size = viewport()->size();
    m_pWindow = std::make_unique<CQtSurface>(size.width(), size.height());
    const bool empty = size.width() <= 0 || size.height() <= 0;
    m_pView->OnSize(empty ? kSizeMinimized : kSizeRestored, size.width(), size.height());
    m_bNeedsPaint = true;
    AfterEvent();
}

void CDrawingWindow::Render(QPainter& painter, const QRect& target) {
    const QImage& picture = Picture();
    if (picture.isNull() || target.isEmpty()) {
        return;
    }
    const QSize fitted = picture.size().scaled(target.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(target.topLeft(), fitted), picture);
}

// Input --------------------------------------------------------------------------------------

int CDrawingWindow::MouseFlags(const QMouseEvent* event) {
    int flags = 0;
    const Qt::MouseButtons held = event->buttons();
    flags |= held & Qt::LeftButton ? kMouseLeft : 0;
    flags |= held & Qt::RightButton ? kMouseRight : 0;
    flags |= held & Qt::MiddleButton ? kMouseMiddle : 0;
    flags |= event->modifiers() & Qt::ShiftModifier ? kMouseShift : 0;
    flags |= event->modifiers() & Qt::ControlModifier ? kMouseControl : 0;
    return flags;
}

void CDrawingWindow::mousePressEvent(QMouseEvent* event) {
    const CPoint pt(event->position().toPoint().x(), event->position().toPoint().y());
    if (event->button() == Qt::LeftButton) {
        m_pView->OnLButtonDown(MouseFlags(event), pt);
    } else if (event->button() == Qt::RightButton) {
        m_pView->OnRButtonDown(MouseFlags(event), pt);
    }
    AfterEvent();
}

void CDrawingWindow::mouseReleaseEvent(QMouseEvent* event) {
    const CPoint pt(event->position().toPoint().x(), event->position().toPoint().y());
    if (event->button() == Qt::LeftButton) {
        m_pView->OnLButtonUp(MouseFlags(event), pt);
    } else if (event->button() == Qt::RightButton) {
        m_pView->OnRButtonUp(MouseFlags(event), pt);
    }
    AfterEvent();
}

void CDrawingWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const CPoint pt(event->position().toPoint().x(), event->position().toPoint().y());
    if (event->button() == Qt::LeftButton) {
        m_pView->OnLButtonDblClk(MouseFlags(event), pt);
    } else if (event->button() == Qt::RightButton) {
        m_pView->OnRButtonDblClk(MouseFlags(event), pt);
    }
    AfterEvent();
}

void CDrawingWindow::mouseMoveEvent(QMouseEvent* event) {
    // The platform asks for a cursor before every move; without the view's own one the
    // normal cursor comes back.
    if (!m_pView->OnSetCursor()) {
        viewport()->setCursor(Qt::ArrowCursor);
    }
    const CPoint pt(event->position().toPoint().x(), event->position().toPoint().y());
    m_pView->OnMouseMove(MouseFlags(event), pt);
}

void CDrawingWindow::keyPressEvent(QKeyEvent* event) {
    // Letters and digits with Ctrl or Alt are someone else's shortcuts, not the tools' keys.
    const bool chord = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = chord && event->key() < Qt::Key_Escape ? 0 : VirtualKey(event->key());
    if (key != 0) {
        m_pView->OnKeyDown(key);
        AfterEvent();
    }
    QWidget::keyPressEvent(event);
}

void CDrawingWindow::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels and touch pads send parts of a notch: they add up to whole ones.
    m_nWheelDelta += event->angleDelta().y();
    const int notches = m_nWheelDelta / QWheelEvent::DefaultDeltasPerStep;
    m_nWheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        const QPoint at = event->position().toPoint();
        m_pView->OnMouseWheel(notches, CPoint(at.x(), at.y()));
        AfterEvent();
    }
    event->accept();
}

// The rest of the host -----------------------------------------------------------------------

void CDrawingWindow::SetCursor(int cursor) {
    viewport()->setCursor(CIcons::Cursor(cursor));
}

CPoint CDrawingWindow::GetCursorPos() const {
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    return CPoint(p.x(), p.y());
}

void CDrawingWindow::SetCursorPos(CPoint client) {
    QCursor::setPos(viewport()->mapToGlobal(QPoint(client.x, client.y)));
}

void CDrawingWindow::SetStatusText(int pane, const std::string& text) {
    if (m_statusSink) {
        m_statusSink(pane, ToQ(text));
    }
}

void CDrawingWindow::PostNotification(int code) {
    // Dropped with the window if it goes before the notification comes back.
    QMetaObject::invokeMethod(
        this,
        [this, code]() {
            m_pView->OnNotification(code);
            AfterEvent();
        },
        Qt::QueuedConnection);
}

void CDrawingWindow::OnBarNotify(CControlBar& bar, int id, BarNotify what) {
    m_pView->OnBarNotify(bar, id, what);
    AfterEvent();
}
