// The simulation: stock and part cut into Z tiles, each move's sweep taken away where it reaches.
#include "simulation/StockSimulation.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "simulation/LeftOverScan.h"
#include "simulation/MoveSweep.h"
#include "simulation/PartRegion.h"
#include "simulation/ProfileClearance.h"
#include "simulation/RegionClipper.h"

namespace {

bool HasStock(const CSimulationInput& input) {
    return input.dStockZ1 > input.dStockZ0 && input.dStockX1 > 0;
}

constexpr double kMm2 = 1e8;  // square model units in a square millimetre

// Part material is outlined a little closer to the profile than moves follow arcs, so a pass
// along an arc never seems to cut the part by more than the difference.
constexpr double kPartChordError = 2.0;

bool Overlaps(const CRegionPoint& lowA, const CRegionPoint& highA, const CRegionPoint& lowB,
              const CRegionPoint& highB) {
    return lowA.z < highB.z && lowB.z < highA.z && lowA.x < highB.x && lowB.x < highA.x;
}

int ToolNumber(const std::map<int, CToolOutline>& tools, double value) {
    const int t = static_cast<int>(value);
    return tools.count(t) || t < 100 ? t : t / 100;
}

}  // namespace

// A slice of the stock between two Z values: what is left of it above and below the profile.
struct CStockSimulation::CTile {
    struct CPart {
        CRegion region;
        double dArea = 0.0;
        CRegionPoint low, high;
        bool bAny = false;
        void Set(CRegion r, double area) {
            region = std::move(r);
            dArea = area;
            bAny = region.Bounds(low, high);
        }
    };
    CPart excess;
    CPart part;
    int64_t nZ0 = 0;
    int64_t nZ1 = 0;
    size_t nLastCut = SIZE_MAX;
};

class CStockSimulation::CRun {
public:
    CRun(const CSimulationInput& input) : m_input(input) {
        const int64_t z0 = RegionCoordinate(input.dStockZ0);
        const int64_t z1 = RegionCoordinate(input.dStockZ1);
        const int64_t x1 = RegionCoordinate(input.dStockX1);
        CRegion partOutline = PartRegion(input.profile, kPartChordError);
        if (!input.bore.IsEmpty()) {
            partOutline = CRegionClipper::Difference(partOutline, PartRegion(input.bore, kPartChordError));
        }
        m_clearance = CProfileClearance(partOutline);
        const int64_t width = std::max<int64_t>((z1 - z0) / 512, 10000);
        for (int64_t z = z0; z < z1; z += width) {
            CTile tile;
            tile.nZ0 = z;
            tile.nZ1 = std::min(z + width, z1);
            m_tiles.push_back(std::move(tile));
        }
        if (!m_tiles.empty()) {
            SplitPart(CRegionClipper::Intersection(CRegion::Rectangle(z0, 0, z1, x1), partOutline), 0,
                      m_tiles.size(), x1);
        }
        for (CTile& tile : m_tiles) {
            CRegion excess =
                CRegionClipper::Difference(CRegion::Rectangle(tile.nZ0, 0, tile.nZ1, x1), tile.part.region);
            tile.excess.Set(excess, excess.Area());
        }
        m_dTileWidth = static_cast<double>(width);
        m_dShankTop = input.dStockX1 + 10000.0;
    }

    // Back to the stock before the first move.
    void Reset() {
        if (m_initialTiles.empty()) {
            m_initialTiles = m_tiles;
        } else {
            m_tiles = m_initialTiles;
        }
        m_result = {};
        m_result.notSimulated = NotSimulated(m_input.path);
        m_skipped.clear();
        for (const CNotSimulated& n : m_result.notSimulated) {
            m_skipped.insert(n.nLine);
        }
        m_gouged = {};
        m_nNext = 0;
        m_nEvent = 0;
        m_nTool = -1;
        m_dLeadUnit = 10000.0;
        m_bPlaced = false;
    }

    size_t Position() const { return m_nNext; }

    // Simulates the moves from where it stands up to moveLimit.
    void Advance(size_t moveLimit) {
        const auto& moves = m_input.path.moves;
        const auto& events = m_input.path.events;
        const size_t count = std::min(moveLimit, moves.size());
        for (; m_nNext < count; ++m_nNext) {
            const CToolMove& move = moves[m_nNext];
            for (; m_nEvent < events.size() && events[m_nEvent].nLine <= move.nLine; ++m_nEvent) {
                const CNcEvent& event = events[m_nEvent];
                if (event.cLetter == 'T') {
                    m_nTool = ToolNumber(m_input.tools, event.dValue);
                } else if (event.cLetter == 'G' && (event.dValue == 20.0 || event.dValue == 21.0)) {
                    m_dLeadUnit = event.dValue == 20.0 ? 254000.0 : 10000.0;
                }
            }
            if (m_skipped.count(move.nLine)) {
                continue;
            }
            CPathSegment segment = move.segment;
            if (!m_bPlaced) {
                // Where the tool stood before its first move is not known: it is only put there.
                m_bPlaced = segment.ptEnd != segment.ptStart || segment.ptEnd != CPathPoint{};
                segment = CPathSegment::Line(segment.ptEnd, segment.ptEnd);
                if (!m_bPlaced) {
                    continue;
                }
            }
            SimulateMove(m_nNext, move, segment, Sweeper(m_nTool), m_result);
            ++m_result.nMovesSimulated;
        }
    }

    // What the moves so far found and left; material left over once all moves ran.
    CSimulationResult Result() const {
        CSimulationResult result = m_result;
        Collect(result);
        if (m_nNext == m_input.path.moves.size()) {
            // The nose circle (within half a micrometre) and the arcs (within the chord error) are
            // cut as polygons inside them: what they leave short of the true curves is not left over.
            const double sampling = (CMoveSweep::kArcChordError + 5.0) / 10000.0;
            CLeftOverScan scan(m_input.profile, m_input.dAllowanceMm + m_input.dToleranceMm + sampling);
            result.leftOver =
                scan.Find(result.excess, [&](double from, double to) { return LastCut(from, to); });
        }
        return result;
    }

private:
    // Hands the part to the tiles first...last-1 by halving it, so each clipping sees a share of
    // the outline rather than all of it.
    void SplitPart(const CRegion& part, size_t first, size_t last, int64_t top) {
        if (last - first == 1) {
            m_tiles[first].part.Set(part, part.Area());
            return;
        }
        const size_t middle = (first + last) / 2;
        const int64_t z = m_tiles[middle].nZ0;
        SplitPart(CRegionClipper::Intersection(part, CRegion::Rectangle(m_tiles[first].nZ0, 0, z, top)),
                  first, middle, top);
        SplitPart(CRegionClipper::Intersection(part, CRegion::Rectangle(z, 0, m_tiles[last - 1].nZ1, top)),
                  middle, last, top);
    }

    const CMoveSweep& Sweeper(int toolNumber) {
        auto known = m_input.tools.find(toolNumber);
        const int key = known == m_input.tools.end() ? -1 : toolNumber;
        auto it = m_sweepers.find(key);
        if (it == m_sweepers.end()) {
            const CToolOutline tool = key < 0 ? CToolOutline::Point() : known->second;
            it = m_sweepers.emplace(key, CMoveSweep(tool, m_dShankTop)).first;
        }
        return it->second;
    }

    void SimulateMove(size_t index, const CToolMove& move, const CPathSegment& segment,
                      const CMoveSweep& sweeper, CSimulationResult& result) {
        // A threading move's lead is as the text wrote it, in its units.
        const CRegion sweep = sweeper.ThreadSweep(segment, move.dLead * m_dLeadUnit);
        std::vector<std::pair<CRegionPoint, CRegionPoint>> bounds;
        CRegionPoint low{INT64_MAX, INT64_MAX}, high{INT64_MIN, INT64_MIN};
        for (const CRegionPolygon& polygon : sweep.polygons) {
            CRegionPoint l, h;
            PolygonBounds(polygon, l, h);
            bounds.push_back({l, h});
            low = {std::min(low.z, l.z), std::min(low.x, l.x)};
            high = {std::max(high.z, h.z), std::max(high.x, h.x)};
        }
        double removed = 0.0;
        double gougeArea = 0.0;
        CRegion gouged;
        // The point tool stays off the part where its path does; other tools are clipped.
        const bool clear =
            sweeper.IsPoint() && m_clearance.Clears(CMoveSweep::Chords(segment, CMoveSweep::kArcChordError));
        if (!sweep.IsEmpty()) {
            const size_t first = TileAt(static_cast<double>(low.z));
            const size_t last = TileAt(static_cast<double>(high.z));
            CRegion local;
            for (size_t t = first; t <= last && t < m_tiles.size(); ++t) {
                CTile& tile = m_tiles[t];
                // Only the pieces that reach into the tile.
                local.polygons.clear();
                CRegionPoint l{INT64_MAX, INT64_MAX}, h{INT64_MIN, INT64_MIN};
                for (size_t k = 0; k < bounds.size(); ++k) {
                    if (bounds[k].first.z < tile.nZ1 && bounds[k].second.z > tile.nZ0) {
                        local.polygons.push_back(sweep.polygons[k]);
                        l = {std::min(l.z, bounds[k].first.z), std::min(l.x, bounds[k].first.x)};
                        h = {std::max(h.z, bounds[k].second.z), std::max(h.x, bounds[k].second.x)};
                    }
                }
                if (local.IsEmpty()) {
                    continue;
                }
                const double cut = Cut(tile.excess, local, l, h, nullptr);
                const double cutPart = clear ? 0.0 : Cut(tile.part, local, l, h, &gouged);
                if (cut + cutPart > 0) {
                    tile.nLastCut = index;
                }
                removed += cut + cutPart;
                gougeArea += cutPart;
            }
        }
        const double minCut = m_input.dMinCutAreaMm2 * kMm2;
        const CSimulationSource source{index, move.nLine, move.strBlock};
        if (!move.bRapid) {
            result.dFeedLength += segment.Length();
            result.dAirLength += removed <= minCut ? segment.Length() : 0.0;
        } else if (removed > minCut) {
            result.rapids.push_back({source, removed / kMm2});
        }
        if (gougeArea > 0) {
            ReportGouge(source, gouged, gougeArea, result);
        }
    }

    // Takes the sweep away from one of a tile's regions; the area removed. With removedOut, what
    // was removed is added to it.
    double Cut(CTile::CPart& part, const CRegion& sweep, const CRegionPoint& low, const CRegionPoint& high,
               CRegion* removedOut) {
        if (!part.bAny || !Overlaps(part.low, part.high, low, high)) {
            return 0.0;
        }
        CRegion left = CRegionClipper::Difference(part.region, sweep);
        const double area = left.Area();
        const double cut = part.dArea - area;
        if (cut <= 0.0) {
            return 0.0;
        }
        if (removedOut) {
            CRegion removed = CRegionClipper::Intersection(part.region, sweep);
            for (CRegionPolygon& p : removed.polygons) {
                removedOut->polygons.push_back(std::move(p));
            }
        }
        part.Set(std::move(left), area);
        return cut;
    }

    // How far a point lies inside the part: from the profile or from an end face, the line down
    // from the profile's first or last point to the axis, whichever is nearer.
    double DepthInPart(CPathPoint point) const {
        double d = m_input.profile.DistanceTo(point);
        const std::vector<CPathSegment>& segments = m_input.profile.GetSegments();
        if (!segments.empty()) {
            for (const CPathPoint end : {segments.front().ptStart, segments.back().ptEnd}) {
                const double onFace = std::clamp(point.dX, 0.0, std::max(end.dX, 0.0));
                d = std::min(d, std::hypot(point.dZ - end.dZ, point.dX - onFace));
            }
        }
        return d;
    }

    void ReportGouge(const CSimulationSource& source, const CRegion& gouged, double area,
                     CSimulationResult& result) {
        CGouge gouge{source, area / kMm2, 0.0, {}};
        double deepest = 0.0;
        for (const CRegionPolygon& polygon : gouged.polygons) {
            for (const CRegionPoint& p : polygon) {
                const CPathPoint point{static_cast<double>(p.z), static_cast<double>(p.x)};
                const double d = DepthInPart(point);
                if (d > deepest) {
                    deepest = d;
                    gouge.ptDeepest = point;
                }
            }
        }
        gouge.dDepthMm = deepest / 10000.0;
        if (gouge.dDepthMm > m_input.dToleranceMm) {
            m_gouged.polygons.insert(m_gouged.polygons.end(), gouged.polygons.begin(), gouged.polygons.end());
            result.gouges.push_back(gouge);
        }
    }

    size_t TileAt(double z) const {
        const double i =
            std::floor((z - static_cast<double>(m_tiles.empty() ? 0 : m_tiles.front().nZ0)) / m_dTileWidth);
        return static_cast<size_t>(
            std::clamp(i, 0.0, static_cast<double>(m_tiles.empty() ? 0 : m_tiles.size() - 1)));
    }

    CSimulationSource LastCut(double from, double to) const {
        size_t latest = SIZE_MAX;
        for (size_t t = TileAt(from); t <= TileAt(to) && t < m_tiles.size(); ++t) {
            const size_t cut = m_tiles[t].nLastCut;
            if (cut != SIZE_MAX && (latest == SIZE_MAX || cut > latest)) {
                latest = cut;
            }
        }
        if (latest == SIZE_MAX) {
            return {};
        }
        const CToolMove& move = m_input.path.moves[latest];
        return {latest, move.nLine, move.strBlock};
    }

    void Collect(CSimulationResult& result) const {
        for (const CTile& tile : m_tiles) {
            for (const CRegionPolygon& p : tile.excess.region.polygons) {
                result.excess.polygons.push_back(p);
            }
            for (const CRegionPolygon& p : tile.part.region.polygons) {
                result.part.polygons.push_back(p);
            }
        }
        result.gouged = m_gouged;
    }

    const CSimulationInput& m_input;
    CProfileClearance m_clearance{CRegion{}};
    std::vector<CTile> m_tiles;
    double m_dTileWidth = 1.0;
    double m_dShankTop = 0.0;
    std::map<int, CMoveSweep> m_sweepers;
    CRegion m_gouged;
    // Where a run stands.
    std::vector<CTile> m_initialTiles;
    CSimulationResult m_result;
    std::set<int> m_skipped;
    size_t m_nNext = 0;
    size_t m_nEvent = 0;
    int m_nTool = -1;
    double m_dLeadUnit = 10000.0;  // model units per unit of the text (G21 mm, G20 inch)
    bool m_bPlaced = false;
};

CSimulationResult CStockSimulation::Run(const CSimulationInput& input, size_t moveLimit) {
    if (!HasStock(input)) {
        return {};
    }
    CRun run(input);
    run.Reset();
    run.Advance(moveLimit);
    return run.Result();
}

CStockSimulation::CStepper::CStepper(CSimulationInput input) : m_input(std::move(input)) {
    if (HasStock(m_input)) {
        m_pRun = std::make_unique<CRun>(m_input);
        m_pRun->Reset();
    }
}

CStockSimulation::CStepper::~CStepper() = default;

CSimulationResult CStockSimulation::CStepper::At(size_t moves) {
    if (!m_pRun) {
        return {};
    }
    if (moves < m_pRun->Position()) {
        m_pRun->Reset();
    }
    m_pRun->Advance(moves);
    return m_pRun->Result();
}

std::vector<CNotSimulated> CStockSimulation::NotSimulated(const CToolpath& path) {
    std::map<int, std::string> lines;
    auto add = [&](int line, const std::string& text) {
        std::string& entry = lines[line];
        entry += entry.empty() ? text : "; " + text;
    };
    for (const CNcNote& n : path.unknown) {
        add(n.nLine, "unknown word " + n.strText);
    }
    for (const CNcNote& n : path.errors) {
        add(n.nLine, n.strText);
    }
    // Subprogram calls, cycles and parameters the reader does not expand are among its errors.
    std::vector<CNotSimulated> list;
    for (auto& [line, text] : lines) {
        list.push_back({line, text});
    }
    return list;
}
