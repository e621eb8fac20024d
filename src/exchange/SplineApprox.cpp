// Approximation of a rational B-spline by a polyline within a tolerance.
#include <cmath>

#include "exchange/DxfReader.h"

namespace {

constexpr int kMaxDepth = 18;
constexpr int kStartPieces = 4;  // per knot span, so that no bend between samples is missed
// Points of one spline past which spans are no longer refined: far-off control points would
// otherwise ask for millions of them.
constexpr size_t kMaxPoints = 100000;

class CSpline {
public:
    CSpline(int degree, const std::vector<double>& knots, const std::vector<CPlanePoint>& control,
            const std::vector<double>& weights)
        : m_nDegree(degree), m_knots(knots), m_control(control), m_weights(weights) {}

    // De Boor's algorithm in homogeneous coordinates.
    CPlanePoint At(double u) const {
        const int p = m_nDegree;
        const int n = static_cast<int>(m_control.size());
        int k = p;
        while (k < n - 1 && u >= m_knots[static_cast<size_t>(k + 1)]) {
            ++k;
        }
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

    void Subdivide(double u0, CPlanePoint a, double u1, CPlanePoint b, double tolerance, int depth,
                   std::vector<CPlanePoint>& out) const {
        const double um = (u0 + u1) / 2.0;
        const CPlanePoint m = At(um);
        if (depth < kMaxDepth && out.size() < kMaxPoints &&
            (Deviation(a, b, m) > tolerance || Deviation(a, b, At((u0 + um) / 2.0)) > tolerance ||
             Deviation(a, b, At((um + u1) / 2.0)) > tolerance)) {
            Subdivide(u0, a, um, m, tolerance, depth + 1, out);
            Subdivide(um, m, u1, b, tolerance, depth + 1, out);
            return;
        }
        out.push_back(b);
    }

private:
    // Distance of p from the segment ab.
    static double Deviation(CPlanePoint a, CPlanePoint b, CPlanePoint p) {
        const double dz = b.z - a.z;
        const double dx = b.x - a.x;
        const double len2 = dz * dz + dx * dx;
        double t = len2 > 0.0 ? ((p.z - a.z) * dz + (p.x - a.x) * dx) / len2 : 0.0;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
        return std::hypot(p.z - a.z - t * dz, p.x - a.x - t * dx);
    }

    int m_nDegree;
    const std::vector<double>& m_knots;
    const std::vector<CPlanePoint>& m_control;
    const std::vector<double>& m_weights;
};

}  // namespace

std::vector<CPlanePoint> ApproximateSpline(int degree, const std::vector<double>& knots,
                                           const std::vector<CPlanePoint>& control,
                                           const std::vector<double>& weights, double tolerance) {
    const size_t n = control.size();
    if (degree < 1 || degree > 30 || n < static_cast<size_t>(degree) + 1 || weights.size() != n ||
        knots.size() != n + static_cast<size_t>(degree) + 1) {
        return {};
    }
    for (size_t i = 1; i < knots.size(); ++i) {
        if (!(knots[i] >= knots[i - 1]) || !std::isfinite(knots[i])) {
            return {};
        }
    }
    const CSpline spline(degree, knots, control, weights);
    const double first = knots[static_cast<size_t>(degree)];
    const double last = knots[n];
    if (!(last > first)) {
        return {};
    }
    std::vector<CPlanePoint> out{spline.At(first)};
    for (size_t k = static_cast<size_t>(degree); k < n; ++k) {
        const double u0 = knots[k];
        const double u1 = knots[k + 1];
        if (!(u1 > u0)) {
            continue;
        }
        for (int i = 0; i < kStartPieces; ++i) {
            const double a = u0 + (u1 - u0) * i / kStartPieces;
            const double b = i + 1 == kStartPieces ? u1 : u0 + (u1 - u0) * (i + 1) / kStartPieces;
            // The very end of the domain is evaluated on the last span.
            const CPlanePoint pb = b >= last ? spline.At(std::nextafter(last, first)) : spline.At(b);
            spline.Subdivide(a, out.back(), b, pb, tolerance, 0, out);
        }
    }
    // The curve's true end: the clamped end control point for the usual clamped knots.
    out.back() = spline.At(std::nextafter(last, first));
    return out;
}
