// ConvexHull: the smallest convex polygon around a set of points.
#pragma once

#include <vector>

#include "toolpath/PathSegment.h"

// Counter-clockwise, without repeated or collinear corners (Andrew's monotone chain).
std::vector<CPathPoint> ConvexHull(std::vector<CPathPoint> points);
