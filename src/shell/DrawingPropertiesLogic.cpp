// The arithmetic of the "Drawing properties" dialog.
#include "shell/DrawingPropertiesLogic.h"

#include <cmath>
#include <cstdio>

#include "elements/ViewServices.h"
#include "platform/Geometry.h"
#include "platform/SettingsStore.h"
#include "platform/Units.h"

CDrawingPropertiesLogic::CDrawingPropertiesLogic(const CDrawingPropertiesValues& values) : m_values(values) {
    // The fields show as many decimals as the chosen accuracy; an accuracy the units do not
    // offer is brought into range first.
    SetUnits(m_values.nUnits);
    SetAccuracy(m_values.nAccuracy);
}

CDrawingPropertiesValues CDrawingPropertiesLogic::FromSettings(const CSettingsStore* settings) {
    CDrawingPropertiesValues v;
    if (settings) {
        v.nLength = settings->GetInt("Document", "Delka", v.nLength);
        v.nBase = settings->GetInt("Document", "Podstava", v.nBase);
        v.nShape = settings->GetInt("Document", "Tvar", v.nShape);
        v.nAccuracy = settings->GetInt("KestrovelViewState", "Accuracy", v.nAccuracy);
        v.nUnits = settings->GetInt("KestrovelViewState", "Units", v.nUnits);
    }
    return v;
}

double CDrawingPropertiesLogic::Divisor() const {
    return UnitDivisor(m_values.nUnits);
}

std::string CDrawingPropertiesLogic::ShowLength(int32_t value) const {
    char buf[64];
    std::snprintf(buf, sizeof buf, m_strFormat.c_str(), value / (Divisor() * 10000.0));
    return buf;
}

bool CDrawingPropertiesLogic::ReadLength(const std::string& text, int32_t& value) const {
    // The decimal reader takes nothing for zero; here nothing is no number at all.
    if (text.find_first_not_of(' ') == std::string::npos) {
        return false;
    }
    const double number = CViewServices::ReadDecimal(text);
    if (number >= CViewServices::kInvalidDecimal) {
        return false;
    }
    value = Round(number * 10000.0 * Divisor());
    return true;
}

bool CDrawingPropertiesLogic::ReadStock(int which, const std::string& text) {
    int32_t value = 0;
    if (!ReadLength(text, value) || (which == kSpinLength && value <= 0)) {
        return false;
    }
    (which == kSpinLength ? m_values.nLength : m_values.nBase) = value;
    return true;
}

std::string CDrawingPropertiesLogic::UnitName() const {
    return ::UnitName(m_values.nUnits);
}

int32_t CDrawingPropertiesLogic::SpinStep() const {
    const int acc = m_values.nAccuracy >= 0 && m_values.nAccuracy < kAccuracyCount ? m_values.nAccuracy : 0;
    return Round(Divisor() * kAccuracySteps[acc]);
}

int32_t CDrawingPropertiesLogic::OnSpin(int spin, int newPos, int32_t value) {
    const int which = spin == kSpinBase ? kSpinBase : kSpinLength;
    const int steps = newPos - m_nLastSpin[which];
    m_nLastSpin[which] = newPos;
    const int acc = m_values.nAccuracy >= 0 && m_values.nAccuracy < kAccuracyCount ? m_values.nAccuracy : 0;
    const int64_t next = int64_t{value} + Round(steps * Divisor() * kAccuracySteps[acc]);
    // Spinning down stops at nothing: a stock of negative size has no meaning.
    return next < 0 ? 0 : static_cast<int32_t>(next > kRoundLimit ? kRoundLimit : next);
}

void CDrawingPropertiesLogic::SetAccuracy(int index) {
    m_values.nAccuracy = index;
    if (index >= 0 && index <= 3) {
        m_strFormat[3] = static_cast<char>('0' + index);
    }
}

void CDrawingPropertiesLogic::SetUnits(int index) {
    m_values.nUnits = index;
    if (index == 1 && m_values.nAccuracy == 3) {
        SetAccuracy(2);
    }
}

std::string CDrawingPropertiesLogic::TooBigMessage() const {
    return "You have assigned too big source material. Maximum range for source material is - Height:" +
           ShowLength(kMaxLength) + ", Base:" + ShowLength(kMaxBase);
}

std::string CDrawingPropertiesLogic::RangeMessage(int which) const {
    // The fields show the format's decimals; the bounds are trimmed to whole numbers for reading.
    char buf[160];
    if (which == kSpinBase) {
        std::snprintf(buf, sizeof buf, "Base takes a number from 0 to %.0f %s.",
                      std::floor(kMaxBase / (Divisor() * 10000.0)), UnitName().c_str());
    } else {
        std::snprintf(buf, sizeof buf, "Height takes a number above 0 up to %.0f %s.",
                      std::floor(kMaxLength / (Divisor() * 10000.0)), UnitName().c_str());
    }
    return buf;
}
