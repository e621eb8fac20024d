// CProfilePainter: a layer's chain drawn at the detail the surface can show.
#pragma once

#include "document/Layer.h"

// Elements wholly beside the surface are passed over, and a run of elements that all fall inside
// one pixel column is drawn as that column shows it when edges are drawn: the run's highest and
// lowest contour points joined by the pen. The fill of the whole chain is one polygon, so the
// surface fills once per layer instead of once per element. The picture differs from drawing every element by
// at most a pixel along its lines; the exact mode draws every element and serves as the reference.
class CProfilePainter {
public:
    CProfilePainter(CSurface& dc, CViewServices& view, const CLayerStyle& style)
        : m_dc(dc), m_view(view), m_style(style) {}
    void SetExact(bool exact) { m_bExact = exact; }
    // Draws the elements in order after prev; answers the pixel rows where the last one ended.
    CPixelRows DrawChain(const CPieceList& pieces, CPixelRows prev) const;

private:
    using Pos = CPieceList::const_iterator;
    // The first element from it on that does not lie inside column x.
    static Pos RunEnd(Pos it, Pos end, const CViewServices& view, int x);
    CPixelRows DrawColumn(Pos first, Pos end, int x, CPixelRows prev) const;
    bool Beside(const CPiece& piece) const;
    // The fill of every element on the surface as one polygon: along the upper contour and back
    // along the mirrored lower one, sampled once per pixel column.
    void FillOnce(const CPieceList& pieces) const;

    CSurface& m_dc;
    CViewServices& m_view;
    const CLayerStyle& m_style;
    bool m_bExact = false;
};
