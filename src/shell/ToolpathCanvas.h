// CToolpathCanvas: the widget that shows a CToolpathView and turns mouse input into its operations.
#pragma once

#include <QPoint>
#include <QWidget>

#include "toolpath/ToolpathView.h"

class CToolpathCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CToolpathCanvas(QWidget* parent);

    CToolpathView& View() { return m_view; }
    const CToolpathView& View() const { return m_view; }
    // New content is fitted to the widget; resizing fits again until the user zooms or pans.
    void ContentChanged();
    void ZoomToFit();

signals:
    // A click picked a move of this source line.
    void lineClicked(int line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CToolpathView m_view;
    QPoint m_ptPress;
    QPoint m_ptLast;
    bool m_bDragging = false;
    bool m_bFitted = true;
};
