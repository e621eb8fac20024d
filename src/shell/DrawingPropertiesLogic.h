// CDrawingPropertiesLogic: the source-material dialog's values, conversions, spins and size check.
#pragma once

#include <cstdint>
#include <string>

class CSettingsStore;

// What the "Drawing properties" dialog edits. Shape is the radio index: 0 "Prism", 1 "Cylinder".
struct CDrawingPropertiesValues {
    int32_t nLength = 9000000;
    int32_t nBase = 2000000;
    int nShape = 0;
    int nAccuracy = 0;
    int nUnits = 1;
    bool operator==(const CDrawingPropertiesValues&) const = default;
};

class CDrawingPropertiesLogic {
public:
    static constexpr int32_t kMaxLength = 50000000;  // 5000 mm
    static constexpr int32_t kMaxBase = 20000000;    // 2000 mm
    static constexpr int kSpinMin = 0;
    static constexpr int kSpinMax = 10000;
    static constexpr int kSpinStart = 5000;
    enum : int { kSpinLength = 0, kSpinBase = 1 };

    explicit CDrawingPropertiesLogic(const CDrawingPropertiesValues& values = {});

    // The dialog's starting values from the store ("Document" and the view-state section).
    static CDrawingPropertiesValues FromSettings(const CSettingsStore* settings);

    const CDrawingPropertiesValues& Values() const { return m_values; }
    CDrawingPropertiesValues& Values() { return m_values; }
    const std::string& GetFormat() const { return m_strFormat; }

    // A model length in the display unit, printed with the dialog's format.
    std::string ShowLength(int32_t value) const;
    // Reads typed text into model units; false (value untouched) when the text is no number or
    // is empty.
    bool ReadLength(const std::string& text, int32_t& value) const;
    // Reads a field's text into the length (kSpinLength) or the base (kSpinBase); false, the
    // value untouched, for a text ReadLength refuses and for a length of zero: a drawing needs
    // some length, while a base of zero is a flat stock.
    bool ReadStock(int which, const std::string& text);
    // The name of the display unit, as the units list shows it.
    std::string UnitName() const;
    // Model units one spin step stands for: one accuracy step of the display unit.
    int32_t SpinStep() const;
    // A spin moved to newPos: the field's value changes by the steps since the last position.
    int32_t OnSpin(int spin, int newPos, int32_t value);

    void SetAccuracy(int index);
    // Takes the new units; in millimetres the finest accuracy falls back to hundredths.
    void SetUnits(int index);
    // Centimetres and inches offer a fourth accuracy, "thousandths 0.001".
    bool HasFourthAccuracy() const { return m_values.nUnits != 1; }

    bool IsTooBig() const { return m_values.nBase > kMaxBase || m_values.nLength > kMaxLength; }
    std::string TooBigMessage() const;
    // What a field (kSpinLength or kSpinBase) takes, for a refused text.
    std::string RangeMessage(int which) const;
    static constexpr const char* kTooBigCaption = "Too big source material";

private:
    double Divisor() const;

    CDrawingPropertiesValues m_values;
    std::string m_strFormat = "%3.0f";
    int m_nLastSpin[2] = {kSpinStart, kSpinStart};
};
