// Rational B-splines of a DXF drawing followed by arcs.
#pragma once

#include <vector>

#include "exchange/DxfSegment.h"

// The spline followed by arcs within tolerance, appended to out; false when the data do not
// describe a spline.
bool AppendSplineArcs(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
                      const std::vector<double>& weights, double tolerance, std::vector<CDxfSegment>& out);

// The knot span of u for a spline of degree with count control points and ascending knots: the
// number of knots from degree + 1 to count - 1 that u has reached, plus degree. hint is the span
// u is expected in; any hint gives the same span.
int SplineSpan(const std::vector<double>& knots, int degree, int count, double u, int hint);
