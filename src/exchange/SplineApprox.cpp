// A rational B-spline followed by arcs within a tolerance.
#include <algorithm>
#include <cmath>

#include "exchange/CurveArcs.h"
#include "exchange/SplineApprox.h"

namespace {

class CSpline {
public:
    CSpline(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
            const std::vector<double>& weights)
        : m_nDegree(degree), m_knots(knots), m_weights(weights) {
        // The control points in homogeneous coordinates, weighed once rather than per point.
        m_weighed.reserve(control.size());
        for (size_t i = 0; i < control.size(); ++i) {
            m_weighed.push_back({control[i].z * weights[i], control[i].x * weights[i]});
        }
    }

    // The point at u, which mostly lies in the span that starts at knot hint.
    CPlanePoint At(double u, int hint) const {
        return m_nDegree == 3 ? DeBoor<3>(u, Span(u, hint)) : DeBoor<0>(u, Span(u, hint));
    }

    int Span(double u, int hint) const {
        return SplineSpan(m_knots, m_nDegree, static_cast<int>(m_weighed.size()), u, hint);
    }

private:
    // De Boor's algorithm in homogeneous coordinates; P is the degree when known at compile time.
    template <int P>
    CPlanePoint DeBoor(double u, int k) const {
        const int p = P > 0 ? P : m_nDegree;
        // Of a known degree just the points needed, which then stay in registers.
        constexpr int kSize = P > 0 ? P + 1 : 32;
        double z[kSize], x[kSize], w[kSize];
#pragma GCC unroll 8
        for (int j = 0; j <= p; ++j) {
            const size_t i = static_cast<size_t>(j + k - p);
            w[j] = m_weights[i];
            z[j] = m_weighed[i].z;
            x[j] = m_weighed[i].x;
        }
        // Of a known degree the loops are laid out in full (the same operations in the same order).
#pragma GCC unroll 8
        for (int r = 1; r <= p; ++r) {
#pragma GCC unroll 8
            for (int j = p; j >= r; --j) {
                const double lo = m_knots[static_cast<size_t>(j + k - p)];
                const double hi = m_knots[static_cast<size_t>(j + 1 + k - r)];
                const double a = hi > lo ? (u - lo) / (hi - lo) : 0.0;
                z[j] = (1.0 - a) * z[j - 1] + a * z[j];
                x[j] = (1.0 - a) * x[j - 1] + a * x[j];
                w[j] = (1.0 - a) * w[j - 1] + a * w[j];
            }
        }
        return w[p] != 0.0 ? CPlanePoint{z[p] / w[p], x[p] / w[p]} : CPlanePoint{z[p], x[p]};
    }

    int m_nDegree;
    const std::vector<double>& m_knots;
    const std::vector<double>& m_weights;
    std::vector<CPlanePoint> m_weighed;
};

}  // namespace

// Where u lies in the hinted span, no search is needed: the knots before are all reached, those
// after none.
int SplineSpan(const std::vector<double>& knots, int degree, int count, double u, int hint) {
    const int p = degree;
    const int n = count;
    if (hint >= p && hint < n && knots[static_cast<size_t>(hint)] <= u && u < knots[static_cast<size_t>(hint) + 1]) {
        return hint;
    }
    const auto first = knots.begin() + p + 1;
    const auto last = knots.begin() + std::max(n, p + 1);
    return p + static_cast<int>(std::upper_bound(first, last, u) - first);
}

namespace {

// The spline's domain, or false when the data do not describe a spline.
bool Domain(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
            const std::vector<double>& weights, double& first, double& last) {
    const size_t n = control.size();
    if (degree < 1 || degree > 30 || n < static_cast<size_t>(degree) + 1 || weights.size() != n ||
        knots.size() != n + static_cast<size_t>(degree) + 1) {
        return false;
    }
    for (size_t i = 1; i < knots.size(); ++i) {
        if (!(knots[i] >= knots[i - 1]) || !std::isfinite(knots[i])) {
            return false;
        }
    }
    first = knots[static_cast<size_t>(degree)];
    last = knots[n];
    return last > first;
}

}  // namespace

bool AppendSplineArcs(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
                      const std::vector<double>& weights, double tolerance, std::vector<CDxfSegment>& out) {
    double first = 0.0, last = 0.0;
    if (!Domain(degree, knots, control, weights, first, last)) {
        return false;
    }
    const CSpline spline(degree, knots, control, weights);
    // The very end of the domain is evaluated on the last span.
    const double end = std::nextafter(last, first);
    for (size_t k = static_cast<size_t>(degree); k < control.size(); ++k) {
        const int span = static_cast<int>(k);
        const auto at = [&](double u) { return spline.At(u < end ? u : end, span); };
        AppendCurveArcs(at, knots[k], knots[k + 1], 2, tolerance, out);
    }
    return true;
}
