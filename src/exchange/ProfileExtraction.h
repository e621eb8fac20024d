// CProfileExtraction: the turned profile about the axis, taken from the segments of a drawing.
#pragma once

#include <string>
#include <vector>

#include "exchange/DxfSegment.h"
#include "platform/Geometry.h"

// One element to insert, in model units: a line, or an arc through its two ends and m_ptMid.
struct CImportPiece {
    bool m_bArc = false;
    CPoint m_ptStart;
    CPoint m_ptEnd;
    CPoint m_ptMid;
    // The arc's own circle in model units, exact (the mid point alone loses flat circles).
    double m_dCenterZ = 0.0;
    double m_dCenterX = 0.0;
    double m_dRadius = 0.0;
    bool operator==(const CImportPiece&) const = default;
};

// One line of the import report: what was not taken, and how often.
struct CImportNote {
    std::string m_strWhat;
    int m_nCount = 0;
};

struct CImportResult {
    std::vector<CImportPiece> m_pieces;  // ascending in Z
    std::vector<CImportNote> m_notes;
    std::string m_strAxis;    // which axis was used and why
    std::string m_strShift;   // where Z 0 came from, when the import moved the part
    std::string m_strReason;  // why nothing was taken, when nothing was
    // The report: the axis, what was taken (or why nothing was) and where Z 0 lies, then one
    // line per kind not taken with its count.
    std::vector<std::string> ReportLines() const;
    // The part's axial length and largest diameter in mm; false without pieces.
    bool PartSize(double& lengthMm, double& diameterMm) const;
};

// Joins the segments into chains (ends within 0.001 mm), takes each stretch's distance from the
// axis (what lies below is seen mirrored), splits it where it turns in Z and takes the outline
// seen from above: vertical stretches become the
// layer's implied steps, and what lies under the outline is reported, never inserted.
class CProfileExtraction {
public:
    // scale: millimetres per drawing unit; origin: the drawing point (in mm after scaling)
    // that becomes the model's origin.
    CProfileExtraction(double scale, CPlanePoint origin) : m_dScale(scale), m_origin(origin) {}

    CImportResult Extract(const CDxfContent& content) const;
    // The same with the segments given apart (the content's own segments are not looked at), so
    // that a caller done with them hands them over instead of a copy.
    CImportResult Extract(const CDxfContent& content, std::vector<CDxfSegment> segments) const;

private:
    double m_dScale;
    CPlanePoint m_origin;
};
