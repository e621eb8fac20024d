// A rational B-spline followed by arcs within a tolerance.
#include <algorithm>
#include <cmath>

#include "exchange/DxfReader.h"
#include "exchange/PlaneMap.h"

namespace {

class CSpline {
public:
    CSpline(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
            const std::vector<double>& weights)
        : m_nDegree(degree), m_knots(knots), m_control(control), m_weights(weights) {}

    // De Boor's algorithm in homogeneous coordinates.
    CPlanePoint At(double u) const {
        const int p = m_nDegree;
        const int n = static_cast<int>(m_control.size());
        // The span of u: past every knot from p + 1 to n - 1 that u has reached (they ascend).
        const auto first = m_knots.begin() + p + 1;
        const auto last = m_knots.begin() + std::max(n, p + 1);
        const int k = p + static_cast<int>(std::upper_bound(first, last, u) - first);
        double z[32], x[32], w[32];
        for (int j = 0; j <= p; ++j) {
            const size_t i = static_cast<size_t>(j + k - p);
            w[j] = m_weights[i];
            z[j] = m_control[i].z * w[j];
            x[j] = m_control[i].x * w[j];
        }
        for (int r = 1; r <= p; ++r) {
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

private:
    int m_nDegree;
    const std::vector<double>& m_knots;
    const std::vector<CPlanePoint>& m_control;
    const std::vector<double>& m_weights;
};

}  // namespace

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
    const auto at = [&](double u) { return spline.At(u < end ? u : end); };
    for (size_t k = static_cast<size_t>(degree); k < control.size(); ++k) {
        AppendCurveArcs(at, knots[k], knots[k + 1], 2, tolerance, out);
    }
    return true;
}
