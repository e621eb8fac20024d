// CDxfSegment: one straight or circular stretch of a DXF drawing, in millimetres of the drawing.
#pragma once

#include <string>
#include <vector>

// A point of the drawing plane: z along the turning axis (DXF x), x radial (DXF y).
struct CPlanePoint {
    double z = 0.0;
    double x = 0.0;
};

// A line when m_bArc is false; otherwise an arc of the circle (m_center, m_dRadius) from the
// angle m_dStart sweeping m_dSweep radians (positive: counter-clockwise). m_nChain groups the
// segments the reader joined into one chain.
struct CDxfSegment {
    CPlanePoint m_a;
    CPlanePoint m_b;
    CPlanePoint m_center;
    double m_dRadius = 0.0;
    double m_dStart = 0.0;
    double m_dSweep = 0.0;
    // The drawing's entity it came from (counted from 1 in the order read; 0: not known).
    int m_nEntity = 0;
    // Beside the entity number, where it takes no room of its own.
    bool m_bArc = false;

    static CDxfSegment Line(CPlanePoint a, CPlanePoint b);
    static CDxfSegment ArcOf(CPlanePoint center, double radius, double start, double sweep);
    // The same arc with its ends given (points on the circle at start and start + sweep).
    static CDxfSegment ArcWithEnds(CPlanePoint center, double radius, double start, double sweep, CPlanePoint a,
                                   CPlanePoint b);
    // The arc from a to b whose bulge is the tangent of a quarter of its sweep (a line for 0).
    static CDxfSegment FromBulge(CPlanePoint a, CPlanePoint b, double bulge);

    // The point at fraction t (0...1) of the segment.
    CPlanePoint At(double t) const;
    CDxfSegment Reversed() const;
    // The same segment between fractions t0 < t1.
    CDxfSegment Part(double t0, double t1) const;
};

// The drawing's entities as the reader took them, before they are joined into a profile.
struct CDxfContent {
    std::vector<CDxfSegment> m_segments;
    // Circles are only used where the profile cuts them.
    struct CCircle {
        CPlanePoint m_center;
        double m_dRadius = 0.0;
        int m_nEntity = 0;
    };
    std::vector<CCircle> m_circles;
    // Entity kinds seen but not read, with their counts, in order of first appearance.
    std::vector<std::pair<std::string, int>> m_skipped;
    // What was read but is not outline (centre, hidden and phantom lines), with counts.
    std::vector<std::pair<std::string, int>> m_leftOut;
    // Where the entities counted in m_skipped (m_bLeftOut false) or m_leftOut lie: the box of
    // each whose place the reader knows, so that a window can narrow the counts.
    struct CNotePlace {
        bool m_bLeftOut = false;
        std::string m_strKind;
        CPlanePoint m_min;
        CPlanePoint m_max;
    };
    std::vector<CNotePlace> m_notePlaces;
    // The layer table with the linetype each layer draws in and the number of entities drawn on it
    // (every layer, whatever the reader's filter).
    struct CLayerInfo {
        std::string m_strName;
        std::string m_strLinetype;
        int m_nEntities = 0;
    };
    std::vector<CLayerInfo> m_layers;
    // Lines that mark a turning axis: drawn in a centre-line linetype or on a layer whose name says
    // centre or axis (on any layer, whatever the reader's filter).
    struct CAxisLine {
        CPlanePoint m_a;
        CPlanePoint m_b;
        std::string m_strLayer;
        std::string m_strLinetype;
    };
    std::vector<CAxisLine> m_axisLines;
    int m_nInsUnits = 0;  // $INSUNITS, 0 when the file does not say
};
