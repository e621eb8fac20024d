// CDxfPreview: the drawing of a DXF import, faint, with the profile that will be taken bold and
// the turning axis over it; a window drawn with the mouse and a line picked with a click.
#pragma once

#include <QWidget>
#include <optional>

#include "exchange/DxfImport.h"

class CDxfPreview : public QWidget {
    Q_OBJECT
public:
    explicit CDxfPreview(QWidget* parent = nullptr);

    // The drawing as read; the view fits it and keeps that fit while the options change.
    void SetDrawing(const CDxfContent& content);
    // The profile taken and where it lies in the drawing; the axis is drawn from placement.
    void SetProfile(const CImportResult& result, const std::optional<CDxfPlacement>& placement);
    // The window shown (drawing units), or none.
    void SetWindow(const std::optional<std::pair<CPlanePoint, CPlanePoint>>& window);
    // While picking, a click (not a drag) picks the line nearest to it.
    void SetPicking(bool picking) { m_bPicking = picking; }

    // The drawing point under a pixel of the preview, and back.
    CPlanePoint ToDrawing(QPointF pixel) const;
    QPointF ToPixel(CPlanePoint p) const;

signals:
    // A window dragged out with the mouse, in drawing units.
    void WindowDrawn(CPlanePoint from, CPlanePoint to);
    // The straight line of the drawing clicked while picking, from its first point to its second.
    void LinePicked(CPlanePoint from, CPlanePoint to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();
    void PaintDrawing(QPainter& painter) const;
    void PaintProfile(QPainter& painter) const;
    // The straight line nearest to pixel within a few pixels; false when none is that near.
    bool NearestLine(QPointF pixel, CPlanePoint& from, CPlanePoint& to) const;

    CDxfContent m_content;
    CImportResult m_result;
    std::optional<CDxfPlacement> m_placement;
    std::optional<std::pair<CPlanePoint, CPlanePoint>> m_window;
    bool m_bPicking = false;
    // Drawing units: the box shown, and pixels per unit.
    CPlanePoint m_min{0.0, 0.0};
    double m_dScale = 1.0;
    // The pixel of m_min.
    QPointF m_origin;
    std::optional<QPointF> m_pressed;
    QPointF m_dragTo;
};
