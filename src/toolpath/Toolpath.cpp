// The moves of a toolpath by their source line.
#include "toolpath/Toolpath.h"

#include <algorithm>

std::pair<size_t, size_t> CToolpath::MovesOfLine(int line) const {
    const auto first = std::lower_bound(moves.begin(), moves.end(), line,
                                        [](const CToolMove& m, int l) { return m.nLine < l; });
    const auto last =
        std::upper_bound(first, moves.end(), line, [](int l, const CToolMove& m) { return l < m.nLine; });
    return {static_cast<size_t>(first - moves.begin()), static_cast<size_t>(last - first)};
}
