// CProfilePainter: a layer's chain drawn at the detail the surface can show.
#pragma once

#include <vector>

#include "document/Layer.h"

class CColumnSpans;

// Elements wholly beside the surface are passed over. Where consecutive elements are each at
// most two pixel columns wide and edges are drawn with a thin solid pen, nearly every column of
// the run holds an element's start face from the lower to the upper contour: such a column is
// drawn as it shows, its highest and lowest contour points joined; a column inside an element
// shows the rows its contours pass and the fill between them. The columns of all runs go to the
// surface at once. The fill of the whole chain is one polygon per stretch of columns
// such runs leave uncovered, so the surface hatches what can be seen, once per layer. The
// picture differs from drawing every element by at most a pixel along its lines; the exact mode
// draws every element and serves as the reference.
class CProfilePainter {
public:
    CProfilePainter(CSurface& dc, CViewServices& view, const CLayerStyle& style)
        : m_dc(dc), m_view(view), m_style(style) {}
    void SetExact(bool exact) { m_bExact = exact; }
    // Slices of the fill that the runs' faces paint over are left out unless told otherwise;
    // the picture is the same either way.
    void SetFillCovered(bool fill) { m_bFillCovered = fill; }
    // Draws the elements in order after prev; answers the pixel rows where the last one ended.
    CPixelRows DrawChain(const CPieceList& pieces, CPixelRows prev) const;

private:
    using Pos = CPieceList::const_iterator;
    // Consecutive narrow elements first ... end, over columns nFirst ... nLast.
    struct CRun {
        Pos first;
        Pos end;
        int nFirst;
        int nLast;
    };
    std::vector<CRun> FindRuns(const CPieceList& pieces) const;
    // What the runs of a chain cover: pen-coloured columns with the upper contour of the
    // columns inside an element, its lower contour and the fill between them.
    struct CRunSpans;
    void AddToRun(const CPiece& piece, CRunSpans& spans) const;
    // Takes the run's columns into spans; answers the rows where its last element ended.
    CPixelRows DrawRun(const CRun& run, CPixelRows prev, CRunSpans& spans) const;
    bool Beside(const CPiece& piece) const;
    // The fill of every element on the surface: along the upper contour and back along the
    // mirrored lower one, sampled once per pixel column, left out inside the runs.
    void FillOnce(const CPieceList& pieces, const std::vector<CRun>& runs) const;
    // Fills the vertices first ... last of both chains unless the pen columns of the runs,
    // drawn after the fill, will cover every pixel of it.
    void FillSlice(const std::vector<CPoint>& upper, const std::vector<CPoint>& lower, size_t first,
                   size_t last, const std::vector<CRun>& runs) const;
    bool UnderRunFaces(int left, int top, int right, int bottom, const std::vector<CRun>& runs) const;
    void AddFillVertices(const CPiece& piece, std::vector<CPoint>& upper, std::vector<CPoint>& lower) const;

    CSurface& m_dc;
    CViewServices& m_view;
    const CLayerStyle& m_style;
    bool m_bExact = false;
    bool m_bFillCovered = false;
};
