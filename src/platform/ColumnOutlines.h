// ColumnOutlines: the pixel-edge outlines of column spans, for surfaces that fill polygons.
#pragma once

#include <vector>

#include "platform/Surface.h"

// One staircase polygon per stretch of adjacent non-empty columns, the first column at x. A
// fill by pixel centres covers exactly the rows of every span.
std::vector<std::vector<CPoint>> ColumnOutlines(int x, const std::vector<CColumnSpan>& spans);
