// Model/pixel mapping and length texts of the drawing view.
#include "elements/ViewServices.h"

#include <cmath>
#include <cstdio>

#include "platform/ControlIds.h"
#include "platform/Units.h"

namespace {
int32_t Clamp64(int64_t v) {
    if (v > kRoundLimit) {
        return kRoundLimit;
    }
    if (v < -kRoundLimit) {
        return -kRoundLimit;
    }
    return static_cast<int32_t>(v);
}
// Products of the mapping saturate instead of overflowing; the result is clamped anyway.
int64_t Mul(int64_t a, int64_t b) {
    int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) {
        return (a < 0) != (b < 0) ? INT64_MIN : INT64_MAX;
    }
    return r;
}

// ((m / 100 x zoom) / 100 x scale) / 10000, each step truncating as the 32-bit formula does.
int64_t MapLength(int64_t m, int zoom, int scale) { return Mul(Mul(m / 100, zoom) / 100, scale) / 10000; }

int32_t AddOrigin(int64_t a, int32_t origin) {
    return Clamp64(a > INT64_MAX / 2 ? a : a < INT64_MIN / 2 ? a : a + origin);
}
}  // namespace

int CViewServices::ModelToScreenX(int32_t mx) const {
    return AddOrigin(MapLength(mx, m_nZoom, m_nScale), m_ptOrigin.x);
}

int CViewServices::ModelToScreenY(int32_t my) const {
    return AddOrigin(MapLength(-static_cast<int64_t>(my), m_nZoom, m_nScale), m_ptOrigin.y);
}

double CViewServices::ModelToScreenXF(double v) const {
    return m_nZoom * v * m_nScale / 100000000.0 + m_ptOrigin.x;
}

double CViewServices::ModelToScreenYF(double v) const {
    return -v * m_nZoom * m_nScale / 100000000.0 + m_ptOrigin.y;
}

int32_t CViewServices::ScreenToModelX(int sx) const {
    const int64_t zs = static_cast<int64_t>(m_nZoom) * m_nScale;
    if (zs <= 0) {
        return 0;
    }
    if (m_nZoom < 5000) {
        const int64_t k = 1000000000LL / zs;
        return Clamp64((static_cast<int64_t>(sx) - m_ptOrigin.x) * k / 10);
    }
    const int64_t k = (1000000000LL / m_nZoom) * 10 / m_nScale;
    return Clamp64((static_cast<int64_t>(sx) - m_ptOrigin.x) * k / 100);
}

int32_t CViewServices::ScreenToModelY(int sy) const {
    const int64_t zs = static_cast<int64_t>(m_nZoom) * m_nScale;
    if (zs <= 0) {
        return 0;
    }
    if (m_nZoom < 5000) {
        const int64_t k = 1000000000LL / zs;
        return Clamp64((static_cast<int64_t>(m_ptOrigin.y) - sy) * k / 10);
    }
    const int64_t k = (1000000000LL / m_nZoom) * 10 / m_nScale;
    return Clamp64((static_cast<int64_t>(m_ptOrigin.y) - sy) * k / 100);
}

namespace {
std::string FormatModel(const std::string& format, double length, int units) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format.c_str(), length / (UnitDivisor(units) * kUnitsPerMm));
    return buf;
}
}  // namespace

std::string CViewServices::FormatLength(int32_t length) const {
    return FormatModel(m_strFormat, length, m_nUnits);
}

std::string CViewServices::FormatRadial(int32_t radial) const {
    // Doubled in floating point: twice a radius near the limit is no 32-bit length.
    return FormatModel(m_strFormat, m_bDiameter ? 2.0 * radial : radial, m_nUnits);
}

std::string CViewServices::FormatLengthField(int id, int32_t value) const {
    return IsRadialField(id) ? FormatRadial(value) : FormatLength(value);
}

bool CViewServices::IsRadialField(int id) {
    return id == IDC_START_X || id == IDC_END_X || id == IDC_STEER_J;
}

void CViewServices::SetFormatDigit(int digits) {
    if (digits >= 0 && digits <= 3 && m_strFormat.size() >= 4) {
        m_strFormat[3] = static_cast<char>('0' + digits);
    }
}

int32_t CViewServices::RoundToAccuracy(int32_t length) const {
    const double step = m_nAccuracy >= 0 && m_nAccuracy < kAccuracyCount ? kAccuracySteps[m_nAccuracy]
                                                                         : kAccuracySteps[0];
    const double q = UnitDivisor(m_nUnits) * step;
    const int32_t n = Round(length / q);
    return Round(n * q);
}

double CViewServices::ReadDecimal(const std::string& text) {
    double value = 0.0;
    double weight = 0.1;
    bool fraction = false;
    for (char c : text) {
        if (c == ' ') {
            continue;
        }
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return kInvalidDecimal;
        }
        const int d = c - '0';
        if (!fraction) {
            value = value * 10 + d;
        } else {
            value += d * weight;
            weight *= 0.1;
        }
    }
    return value;
}

int32_t CViewServices::ReadLengthField(int id) const {
    if (!m_pObjectBar) {
        return 1;
    }
    const double v = ReadDecimal(m_pObjectBar->GetText(id));
    if (v == kInvalidDecimal) {
        return 1;
    }
    const double model = v * 10000.0 * UnitDivisor(m_nUnits);
    return Round(m_bDiameter && IsRadialField(id) ? model / 2.0 : model);
}

void CViewServices::ReadEditedLength(bool edited, int id, int32_t& target) const {
    if (!edited) {
        return;
    }
    const int32_t v = ReadLengthField(id);
    if (v != 1) {
        target = v;
    }
}

void CViewServices::CreatePictures(const CSurface& like, int width, int height) {
    m_pCleanPicture = like.CreateCompatible(width, height);
    m_pComposition = like.CreateCompatible(width, height);
}
