// CColumnFillQueue: column fills gathered for a 32-bit picture and written in one sweep.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Surface.h"

// The layers of a drawing lie over one another, and the columns of a dense profile are mostly
// solid faces: written one fill after another, the same pixels are written again by every
// layer, and each layer walks the whole picture. The queue keeps the fills in order and writes
// them block of columns by block of columns, every fill of a block while it is in the cache,
// and leaves out the rows of a column that a later solid fill covers anyway. The picture comes
// out as if the fills had been written one by one.
class CColumnFillQueue {
public:
    static constexpr int kBlockColumns = 64;
    // For a picture of width x height pixels.
    CColumnFillQueue(int width, int height);
    // Spans of the columns x, x + 1, ...; tile bit c of row r set where the fill paints pixel
    // (x, y) with x % 8 == c and y % 8 == r.
    void Add(int x, const std::vector<CColumnSpan>& spans, const std::array<uint8_t, 8>& tile,
             uint32_t color);
    bool IsEmpty() const { return m_fills.empty(); }
    // Forgets the fills (the picture is about to be covered).
    void Clear();
    // Whether a pending fill may write a pixel of columns left ... right, rows top ... bottom.
    bool Touches(int left, int top, int right, int bottom) const;
    // Writes what is pending in the blocks of columns that meet columns left ... right into the
    // picture (stride pixels a row); the queue is empty once every block is written.
    void Write(uint32_t* bits, std::ptrdiff_t stride, int left, int right);

private:
    struct CFill {
        int nX;
        std::vector<CColumnSpan> spans;
        std::array<uint8_t, 8> tile;
        uint32_t nColor;
        bool bSolid;
        // The columns and rows the spans reach.
        int nLeft;
        int nTop;
        int nRight;
        int nBottom;
    };
    void WriteBlock(uint32_t* bits, std::ptrdiff_t stride, int blockIndex);

    int m_nWidth;
    int m_nHeight;
    std::vector<CFill> m_fills;
    // Per block of columns: how many of the fills are in the picture.
    std::vector<size_t> m_done;
    // Per fill, for the block being written: the rows later solid fills cover in each column.
    std::vector<std::array<int, kBlockColumns>> m_coverTop;
    std::vector<std::array<int, kBlockColumns>> m_coverBottom;
};
