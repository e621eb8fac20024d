// CToolpathView: the toolpath pane's state: profiles and moves, mapping, zoom, pan, selection.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "elements/ViewServices.h"
#include "toolpath/Toolpath.h"

class CLayer;
class CSurface;

class CToolpathView {
public:
    // Blank space kept around the content by zoom to fit (pixels).
    static constexpr int kFitMargin = 12;
    // Pixels around the cursor within which a click picks a move.
    static constexpr int kPickTolerance = 4;

    CToolpathView();
    ~CToolpathView();
    CToolpathView(const CToolpathView&) = delete;
    CToolpathView& operator=(const CToolpathView&) = delete;

    // The profiles to draw (copies owned by the pane), the moves of the last compilation and
    // the line that stands under the picture. Zooms to fit.
    void SetContent(std::vector<std::unique_ptr<CLayer>> layers, CToolpath path, std::string summary);
    // New profiles and line under the picture for the same moves: zoom, pan and selection stay.
    void SetProfiles(std::vector<std::unique_ptr<CLayer>> layers, std::string summary);
    const CToolpath& GetPath() const { return m_path; }
    const std::string& GetSummary() const { return m_strSummary; }

    void SetClientSize(int width, int height);
    void ZoomToFit();
    // Zooms by 1.25 per step (negative: out), keeping the model point under the pixel in place.
    void ZoomAt(int px, int py, int steps);
    void Pan(int dx, int dy);
    const CViewServices& GetMapping() const { return m_mapping; }

    // The move under the pixel (nearest within the pick tolerance), or -1.
    int HitTest(int px, int py) const;
    // Selects every move of a source line (none: 0); returns the number selected.
    size_t SelectLine(int line);
    int GetSelectedLine() const { return m_nSelectedLine; }
    const std::vector<size_t>& GetSelected() const { return m_selected; }

    // The outlines of the tools a T word may select (T0101 is tried as 101, then as tool 1), each
    // around its programmed point (model units); the outline of the tool bound at the last selected
    // move is drawn where that move ends.
    void SetToolOutlines(std::map<int, std::vector<CPathPoint>> outlines) { m_outlines = std::move(outlines); }
    // The outline of the tool bound at move i, or null for none (a point tool).
    const std::vector<CPathPoint>* ToolOutlineAt(size_t i) const;

    // Drawn over the background, under the profiles and moves (a simulated stock); empty: none.
    using CUnderlay = std::function<void(CSurface&, const CViewServices&)>;
    void SetUnderlay(CUnderlay underlay) { m_underlay = std::move(underlay); }

    // Background, the underlay, profiles as the drawing view draws them, then the moves.
    // Profiles and moves are drawn once into a clear picture (where the surface can lay one
    // over) and laid over the underlay until the content, the mapping or the size changes.
    void Paint(CSurface& dc);
    // Whether the last Paint laid the kept picture over instead of drawing the moves.
    bool PaintedFromPicture() const { return m_bFromPicture; }

private:
    // What the kept picture was drawn for.
    struct CPictureKey {
        unsigned nContent = 0;
        int nWidth = 0;
        int nHeight = 0;
        int nZoom = 0;
        int nScale = 0;
        CPoint ptOrigin;
        bool operator==(const CPictureKey&) const = default;
    };

    double PixelsPerUnit() const;
    void PaintContent(CSurface& dc);

    CViewServices m_mapping;
    std::vector<std::unique_ptr<CLayer>> m_layers;
    CToolpath m_path;
    std::string m_strSummary;
    std::vector<size_t> m_selected;
    int m_nSelectedLine = 0;
    int m_nWidth = 1;
    int m_nHeight = 1;
    CUnderlay m_underlay;
    std::map<int, std::vector<CPathPoint>> m_outlines;
    unsigned m_nContent = 0;
    std::unique_ptr<CSurface> m_pPicture;
    CPictureKey m_pictureKey;
    bool m_bFromPicture = false;
};
