// CTurningAxis: the line a drawing's part turns about, found in the drawing or given, and the
// drawing seen along it.
#pragma once

#include <string>

#include "exchange/DxfSegment.h"

struct CTurningAxis {
    // Drawing units; Z runs from m_a towards m_b.
    CPlanePoint m_a{0.0, 0.0};
    CPlanePoint m_b{1.0, 0.0};
    // Which axis and why, for the report.
    std::string m_strWhy = "the DXF x axis";

    // A centre line of the drawing (the longest); else the DXF x axis when the outline touches
    // or crosses it; else the DXF y axis when the outline stands on it (a line of it lies along
    // the y axis); else the DXF x axis.
    static CTurningAxis Find(const CDxfContent& content);
    // The line through two points (drawing units); false when they coincide.
    static bool Given(CPlanePoint a, CPlanePoint b, CTurningAxis& axis);

    // The axis turned end for end about its first point.
    CTurningAxis Flipped() const;
    // The content in the axis's frame: z along the axis from m_a, x the signed distance from it
    // (positive on its left). Centre lines are left as they were.
    void ToAxisFrame(CDxfContent& content) const;
    // A point of the drawing in the axis's frame.
    CPlanePoint ToFrame(CPlanePoint p) const;
    // A point of the axis's frame in the drawing.
    CPlanePoint FromFrame(CPlanePoint p) const;
    // "horizontal", "vertical" or "at N degrees".
    std::string Orientation() const;

private:
    // The unit vector from m_a towards m_b.
    CPlanePoint Direction() const;
    // p in the frame of the axis with unit direction u.
    CPlanePoint InFrame(CPlanePoint u, CPlanePoint p) const;
};
