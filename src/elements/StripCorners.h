// CStripCorners: the four pixel corners of a straight strip of the profile and its mirror image.
#pragma once

#include "platform/Geometry.h"

class CViewServices;

// U1/U2 lie on the upper contour, L1/L2 on the mirrored lower contour one pixel lower, so the
// lower edge never coincides with the upper one on the axis. Every coordinate is clamped to the
// range a surface accepts.
struct CStripCorners {
    CPoint ptU1;
    CPoint ptU2;
    CPoint ptL1;
    CPoint ptL2;

    static CStripCorners Of(const CViewServices& view, CPoint start, CPoint end);
};
