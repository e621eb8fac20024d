// Writing gathered column fills block by block, leaving out rows a later solid fill covers.
#include "shell/ColumnFillQueue.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace {

constexpr int kBlock = CColumnFillQueue::kBlockColumns;
using CRows = std::array<int, kBlock>;

// The columns x0 ... x0 + count - 1 of the picture; left points at pixel (x0, 0).
struct CBlock {
    uint32_t* left;
    std::ptrdiff_t stride;
    int x0;
    int count;
};

// Writes rows tops[i] ... bottoms[i] of each column i of the block (none where top > bottom;
// all inside the picture). Row by row over the block's columns: walking down one column would
// touch a new memory page on every row.
void WriteSpans(const CBlock& block, const CRows& tops, const CRows& bottoms,
                const std::array<uint8_t, 8>& tile, uint32_t color, bool solid) {
    const int count = block.count;
    std::array<int, 2 * kBlock> edges{};
    size_t edgeCount = 0;
    for (int i = 0; i < count; ++i) {
        if (tops[static_cast<size_t>(i)] <= bottoms[static_cast<size_t>(i)]) {
            edges[edgeCount++] = tops[static_cast<size_t>(i)];
            edges[edgeCount++] = bottoms[static_cast<size_t>(i)] + 1;
        }
    }
    if (edgeCount == 0) {
        return;
    }
    const auto edgesEnd = edges.begin() + static_cast<std::ptrdiff_t>(edgeCount);
    const int blockTop = *std::min_element(edges.begin(), edgesEnd);
    const int blockEnd = *std::max_element(edges.begin(), edgesEnd);
    const auto rowAt = [&block](int y) { return block.left + static_cast<std::ptrdiff_t>(y) * block.stride; };
    // Bands thinner than a few rows on average (the contours' rows, a dense profile at "To
    // fit") cost more to sort and list than to test row by row.
    if (blockEnd - blockTop < 4 * static_cast<int>(edgeCount)) {
        // Rows every column covers are filled whole when the brush is solid.
        const int commonTop = solid ? *std::max_element(tops.begin(), tops.begin() + count) : INT_MAX;
        const int commonBottom =
            solid ? *std::min_element(bottoms.begin(), bottoms.begin() + count) : INT_MIN;
        for (int y = blockTop; y < blockEnd; ++y) {
            uint32_t* row = rowAt(y);
            if (commonTop <= y && y <= commonBottom) {
                std::fill(row, row + count, color);
                continue;
            }
            const unsigned pattern = tile[static_cast<size_t>(y & 7)];
            for (int i = 0; i < count; ++i) {
                if (tops[static_cast<size_t>(i)] <= y && y <= bottoms[static_cast<size_t>(i)] &&
                    (pattern >> ((block.x0 + i) & 7) & 1u)) {
                    row[i] = color;
                }
            }
        }
        return;
    }
    // Otherwise the rows fall into bands between the columns' tops and bottoms; inside a band
    // the same columns are covered, so they are listed once (by their place in the tile's row)
    // and every row of the band writes just those pixels.
    std::array<std::array<int, kBlock>, 8> columns{};
    std::array<int, 8> counts{};
    std::sort(edges.begin(), edgesEnd);
    for (size_t e = 0; e + 1 < edgeCount; ++e) {
        const int bandTop = edges[e];
        const int bandEnd = edges[e + 1];
        if (bandTop == bandEnd) {
            continue;
        }
        counts.fill(0);
        for (int i = 0; i < count; ++i) {
            if (tops[static_cast<size_t>(i)] <= bandTop && bandTop <= bottoms[static_cast<size_t>(i)]) {
                const size_t phase = static_cast<size_t>((block.x0 + i) & 7);
                columns[phase][static_cast<size_t>(counts[phase]++)] = i;
            }
        }
        const bool whole = solid && std::accumulate(counts.begin(), counts.end(), 0) == count;
        for (int y = bandTop; y < bandEnd; ++y) {
            uint32_t* row = rowAt(y);
            if (whole) {
                std::fill(row, row + count, color);
                continue;
            }
            const unsigned pattern = tile[static_cast<size_t>(y & 7)];
            for (size_t phase = 0; phase < 8; ++phase) {
                if (pattern >> phase & 1u) {
                    for (int k = 0; k < counts[phase]; ++k) {
                        row[columns[phase][static_cast<size_t>(k)]] = color;
                    }
                }
            }
        }
    }
}

}  // namespace

CColumnFillQueue::CColumnFillQueue(int width, int height)
    : m_nWidth(std::max(width, 0)),
      m_nHeight(std::max(height, 0)),
      m_done(static_cast<size_t>((m_nWidth + kBlock - 1) / kBlock)) {}

void CColumnFillQueue::Add(int x, const std::vector<CColumnSpan>& spans, const std::array<uint8_t, 8>& tile,
                           uint32_t color) {
    const bool solid = std::all_of(tile.begin(), tile.end(), [](uint8_t row) { return row == 0xff; });
    CFill fill{x, spans, tile, color, solid, INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (size_t i = 0; i < spans.size(); ++i) {
        if (!spans[i].IsEmpty()) {
            const int column =
                static_cast<int>(std::clamp<int64_t>(x + static_cast<int64_t>(i), INT_MIN, INT_MAX));
            fill.nLeft = std::min(fill.nLeft, column);
            fill.nRight = std::max(fill.nRight, column);
            fill.nTop = std::min(fill.nTop, spans[i].nTop);
            fill.nBottom = std::max(fill.nBottom, spans[i].nBottom);
        }
    }
    if (fill.nLeft <= fill.nRight && fill.nLeft < m_nWidth && fill.nRight >= 0 && fill.nTop < m_nHeight &&
        fill.nBottom >= 0) {
        m_fills.push_back(std::move(fill));
    }
}

bool CColumnFillQueue::Touches(int left, int top, int right, int bottom) const {
    return std::any_of(m_fills.begin(), m_fills.end(), [&](const CFill& f) {
        return f.nLeft <= right && left <= f.nRight && f.nTop <= bottom && top <= f.nBottom;
    });
}

void CColumnFillQueue::Write(uint32_t* bits, std::ptrdiff_t stride, int left, int right) {
    const int blocks = static_cast<int>(m_done.size());
    const int firstBlock = std::max(left, 0) / kBlock;
    const int lastBlock = std::min(right / kBlock, blocks - 1);
    for (int b = firstBlock; b <= lastBlock; ++b) {
        WriteBlock(bits, stride, b);
    }
    if (std::all_of(m_done.begin(), m_done.end(), [this](size_t done) { return done == m_fills.size(); })) {
        Clear();
    }
}

void CColumnFillQueue::Clear() {
    m_fills.clear();
    std::fill(m_done.begin(), m_done.end(), 0);
}

void CColumnFillQueue::WriteBlock(uint32_t* bits, std::ptrdiff_t stride, int blockIndex) {
    const size_t from = m_done[static_cast<size_t>(blockIndex)];
    const size_t n = m_fills.size();
    if (from == n) {
        return;
    }
    m_done[static_cast<size_t>(blockIndex)] = n;
    const int height = m_nHeight;
    // The span of fill k in picture column c, cut to the picture's rows.
    const auto spanAt = [&](size_t k, int c, int& top, int& bottom) {
        const CFill& f = m_fills[k];
        const int64_t index = static_cast<int64_t>(c) - f.nX;
        if (index < 0 || index >= static_cast<int64_t>(f.spans.size())) {
            top = 1;
            bottom = 0;
            return;
        }
        const CColumnSpan& s = f.spans[static_cast<size_t>(index)];
        top = std::max(s.nTop, 0);
        bottom = std::min(s.nBottom, height - 1);
    };
    const int x0 = blockIndex * kBlock;
    const int count = std::min(kBlock, m_nWidth - x0);
    // Per fill and column: rows that solid fills after it write (one run of rows; empty where
    // top > bottom).
    m_coverTop.resize(n);
    m_coverBottom.resize(n);
    CRows top{};
    CRows bottom{};
    top.fill(INT_MAX);
    bottom.fill(INT_MIN);
    for (size_t k = n; k-- > from;) {
        m_coverTop[k] = top;
        m_coverBottom[k] = bottom;
        const CFill& f = m_fills[k];
        if (!f.bSolid || f.nRight < x0 || f.nLeft >= x0 + count) {
            continue;
        }
        for (int i = 0; i < count; ++i) {
            int t = 0;
            int b = 0;
            spanAt(k, x0 + i, t, b);
            int& ct = top[static_cast<size_t>(i)];
            int& cb = bottom[static_cast<size_t>(i)];
            if (t > b) {
                continue;
            }
            if (ct > cb) {
                ct = t;
                cb = b;
            } else if (t <= cb + 1 && b >= ct - 1) {
                ct = std::min(ct, t);
                cb = std::max(cb, b);
            } else if (b - t > cb - ct) {
                // Apart from what is covered: the longer run is kept.
                ct = t;
                cb = b;
            }
        }
    }
    const CBlock block{bits + x0, stride, x0, count};
    for (size_t k = from; k < n; ++k) {
        const CFill& f = m_fills[k];
        if (f.nRight < x0 || f.nLeft >= x0 + count) {
            continue;
        }
        // What a later solid fill covers is left out: the rows above it and below it.
        CRows aboveTop{};
        CRows aboveBottom{};
        CRows belowTop{};
        CRows belowBottom{};
        for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
            int t = 0;
            int b = 0;
            spanAt(k, x0 + static_cast<int>(i), t, b);
            const int ct = m_coverTop[k][i];
            const int cb = m_coverBottom[k][i];
            aboveTop[i] = t;
            belowBottom[i] = b;
            if (ct > cb || b < ct || t > cb) {
                aboveBottom[i] = b;
                belowTop[i] = INT_MAX;
            } else {
                aboveBottom[i] = ct - 1;
                belowTop[i] = cb + 1;
            }
        }
        WriteSpans(block, aboveTop, aboveBottom, f.tile, f.nColor, f.bSolid);
        WriteSpans(block, belowTop, belowBottom, f.tile, f.nColor, f.bSolid);
    }
}
