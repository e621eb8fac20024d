// CDrawingWindow: the widget of a drawing, forwarding Qt's events to its CKestrovelView.
#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <memory>

#include "platform/ControlBar.h"
#include "platform/ViewHost.h"
#include "view/ViewContext.h"

class CKestrovelView;
class CQtSurface;
class QPainter;

// The window keeps a picture of its client area (the window surface): the view paints on it,
// also outside a paint (overlays while dragging), and every paint of the widget shows it.
class CDrawingWindow : public QAbstractScrollArea, public CViewHost {
    Q_OBJECT
public:
    // Receives what the view writes into the status bar (pane 1: Z, pane 2: X).
    using CStatusSink = std::function<void(int pane, const QString& text)>;
    // Runs after every event the view has handled, so buttons and menus can follow its state.
    using CAfterEvent = std::function<void()>;

    CDrawingWindow(const CViewContext& context, QWidget* parent);
    ~CDrawingWindow() override;

    CKestrovelView& View() { return *m_pView; }
    const CKestrovelView& View() const { return *m_pView; }
    void SetStatusSink(CStatusSink sink) { m_statusSink = std::move(sink); }
    void SetAfterEvent(CAfterEvent after) { m_afterEvent = std::move(after); }
    // The initial update: call once the window has its first size.
    void InitialUpdate();
    // A bar notification while this drawing is the active one.
    void OnBarNotify(CControlBar& bar, int id, BarNotify what);
    // Paints the drawing as it is now onto a page.
    void Render(QPainter& painter, const QRect& target);
    // The picture of the client area as last painted.
    const QImage& Picture() const;
    int GetPaintCount() const { return m_nPaints; }

    // CViewHost.
    void Invalidate(bool erase) override;
    void InvalidateRect(const CRect& rect, bool erase) override;
    void SetScrollRange(int bar, int min, int max) override;
    void SetScrollPos(int bar, int pos) override;
    void ScrollWindow(int dx, int dy) override;
    void SetCursor(int cursor) override;
    CPoint GetCursorPos() const override;
    void SetCursorPos(CPoint client) override;
    void SetStatusText(int pane, const std::string& text) override;
    void PostNotification(int code) override;
    CSurface* GetWindowSurface() override;

signals:
    // The view has painted its picture (the count says how often, the first request included).
    void viewPainted(int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ConnectScrollBar(int bar);
    void OnScrollAction(int bar, int action);
    void AfterEvent();
    static int MouseFlags(const QMouseEvent* event);

    std::unique_ptr<CQtSurface> m_pWindow;
    std::unique_ptr<CKestrovelView> m_pView;
    CStatusSink m_statusSink;
    CAfterEvent m_afterEvent;
    bool m_bNeedsPaint = true;
    bool m_bInitialised = false;
    bool m_bPainting = false;
    int m_nPaints = 0;
    int m_nScrollPos[2] = {0, 0};
    int m_nSilentScroll = 0;
    int m_nWheelDelta = 0;
};
