// The toolpath pane's state: fitting, zooming and panning the mapping, picking and painting.
#include "toolpath/ToolpathView.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/Layer.h"
#include "platform/Surface.h"
#include "toolpath/ToolpathPainter.h"

namespace {

constexpr int kMinZoom = 5;
constexpr int kMaxZoom = 20000;

struct CBox {
    double dLeft = std::numeric_limits<double>::max();
    double dRight = -std::numeric_limits<double>::max();
    double dBottom = std::numeric_limits<double>::max();
    double dTop = -std::numeric_limits<double>::max();
    void Add(double z, double x) {
        dLeft = std::min(dLeft, z);
        dRight = std::max(dRight, z);
        dBottom = std::min(dBottom, x);
        dTop = std::max(dTop, x);
    }
    bool IsEmpty() const { return dLeft > dRight; }
};

}  // namespace

CToolpathView::CToolpathView() = default;
CToolpathView::~CToolpathView() = default;

void CToolpathView::SetContent(std::vector<std::unique_ptr<CLayer>> layers, CToolpath path,
                               std::string summary) {
    m_path = std::move(path);
    SetProfiles(std::move(layers), std::move(summary));
    m_selected.clear();
    m_nSelectedLine = 0;
    ZoomToFit();
}

void CToolpathView::SetProfiles(std::vector<std::unique_ptr<CLayer>> layers, std::string summary) {
    m_layers = std::move(layers);
    for (auto& layer : m_layers) {
        // The copies draw on their own; nothing leads back to the document or its views.
        layer->SetDocument(nullptr);
        layer->DetachView();
    }
    m_strSummary = std::move(summary);
    ++m_nContent;
    m_pPicture.reset();
}

void CToolpathView::SetClientSize(int width, int height) {
    m_nWidth = std::max(width, 1);
    m_nHeight = std::max(height, 1);
}

double CToolpathView::PixelsPerUnit() const {
    return static_cast<double>(m_mapping.GetZoom()) * m_mapping.GetScale() / 100000000.0;
}

void CToolpathView::ZoomToFit() {
    CBox box;
    for (const CToolMove& m : m_path.moves) {
        box.Add(m.segment.MinZ(), m.segment.MinX());
        box.Add(m.segment.MaxZ(), m.segment.MaxX());
    }
    for (const auto& layer : m_layers) {
        if (layer->GetLeftBorder() && layer->GetRightBorder()) {
            // The profile is drawn mirrored about the axis.
            const double top = std::max<double>(layer->GetMaxY(), layer->GetLeftBorder()->GetMaxY());
            box.Add(layer->GetLeftBorder()->GetStart().x, top);
            box.Add(layer->GetRightBorder()->GetEnd().x, -top);
        }
    }
    if (box.IsEmpty()) {
        box.Add(0, 0);
    }
    const double w = std::max(box.dRight - box.dLeft, 1000.0);
    const double h = std::max(box.dTop - box.dBottom, 1000.0);
    const double ppu = std::min((m_nWidth - 2.0 * kFitMargin) / w, (m_nHeight - 2.0 * kFitMargin) / h);
    m_mapping.SetZoomValue(100);
    // At zoom 100 the mapping gives zoom x scale / 10^8 pixels per model unit.
    m_mapping.SetScaleValue(static_cast<int>(std::clamp(std::floor(ppu * 1000000.0), 1.0, 1000000000.0)));
    const double fitted = PixelsPerUnit();
    m_mapping.SetOrigin(CPoint(Round(m_nWidth / 2.0 - (box.dLeft + box.dRight) / 2 * fitted),
                               Round(m_nHeight / 2.0 + (box.dBottom + box.dTop) / 2 * fitted)));
}

void CToolpathView::ZoomAt(int px, int py, int steps) {
    const double ppu = PixelsPerUnit();
    const CPoint origin = m_mapping.GetOrigin();
    const double mz = (px - origin.x) / ppu;
    const double mx = (origin.y - py) / ppu;
    const double wanted = m_mapping.GetZoom() * std::pow(1.25, steps);
    m_mapping.SetZoomValue(static_cast<int>(std::clamp(std::lround(wanted), long{kMinZoom}, long{kMaxZoom})));
    const double now = PixelsPerUnit();
    m_mapping.SetOrigin(CPoint(Round(px - mz * now), Round(py + mx * now)));
}

void CToolpathView::Pan(int dx, int dy) {
    const CPoint origin = m_mapping.GetOrigin();
    m_mapping.SetOrigin(CPoint(origin.x + dx, origin.y + dy));
}

int CToolpathView::HitTest(int px, int py) const {
    const double ppu = PixelsPerUnit();
    const CPoint origin = m_mapping.GetOrigin();
    const CPathPoint p{(px - origin.x) / ppu, (origin.y - py) / ppu};
    double best = kPickTolerance / ppu;
    int found = -1;
    for (size_t i = 0; i < m_path.moves.size(); ++i) {
        const double d = m_path.moves[i].segment.DistanceTo(p);
        if (d <= best) {
            best = d;
            found = static_cast<int>(i);
        }
    }
    return found;
}

size_t CToolpathView::SelectLine(int line) {
    m_selected.clear();
    m_nSelectedLine = line;
    const auto [first, count] = m_path.MovesOfLine(line);
    for (size_t i = first; i < first + count; ++i) {
        m_selected.push_back(i);
    }
    return count;
}

void CToolpathView::Paint(CSurface& dc) {
    dc.FillSolidRect(CRect(0, 0, dc.GetWidth(), dc.GetHeight()), kColorWindow);
    if (m_underlay) {
        m_underlay(dc, m_mapping);
    }
    const CPictureKey key{m_nContent,          dc.GetWidth(),        dc.GetHeight(),
                          m_mapping.GetZoom(), m_mapping.GetScale(), m_mapping.GetOrigin()};
    if (!m_pPicture || !(key == m_pictureKey)) {
        m_pPicture = dc.CreateClear(dc.GetWidth(), dc.GetHeight());
        m_pictureKey = key;
        if (m_pPicture) {
            PaintContent(*m_pPicture);
        }
    }
    m_bFromPicture = m_pPicture && dc.DrawOver(0, 0, *m_pPicture);
    if (!m_bFromPicture) {
        m_pPicture.reset();
        PaintContent(dc);
    }
    CToolpathPainter::PaintMarks(dc, m_mapping, m_path, m_selected);
    if (!m_selected.empty()) {
        if (const std::vector<CPathPoint>* outline = ToolOutlineAt(m_selected.back())) {
            CToolpathPainter::PaintTool(dc, m_mapping, *outline, m_path.moves[m_selected.back()].segment.ptEnd);
        }
    }
}

const std::vector<CPathPoint>* CToolpathView::ToolOutlineAt(size_t i) const {
    if (i >= m_path.moves.size() || m_outlines.empty()) {
        return nullptr;
    }
    const std::vector<CPathPoint>* outline = nullptr;
    for (const CNcEvent& e : m_path.events) {
        if (e.nLine > m_path.moves[i].nLine) {
            break;
        }
        if (e.cLetter == 'T') {
            const int t = static_cast<int>(std::lround(std::fabs(e.dValue)));
            auto it = m_outlines.find(t);
            if (it == m_outlines.end() && t >= 100) {
                it = m_outlines.find(t / 100);
            }
            outline = it == m_outlines.end() || it->second.empty() ? nullptr : &it->second;
        }
    }
    return outline;
}

void CToolpathView::PaintContent(CSurface& dc) {
    for (auto& layer : m_layers) {
        layer->DrawProfile(dc, &m_mapping);
    }
    CToolpathPainter::PaintMoves(dc, m_mapping, m_path);
}
