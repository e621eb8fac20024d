// Display divisors of the units (millimetres per unit) and accuracy steps.
#pragma once

// Units: 0 cm, 1 mm, 2 inch.
constexpr int kUnitCount = 3;
constexpr double kUnitDivisors[kUnitCount] = {10.0, 1.0, 25.4};

// Accuracies: model units per display step when the unit is the millimetre.
constexpr int kAccuracyCount = 4;
constexpr double kAccuracySteps[kAccuracyCount] = {10000.0, 1000.0, 100.0, 10.0};

// Model units per millimetre.
constexpr int kUnitsPerMm = 10000;

// The unit's name as the units lists and the unit labels beside the fields show it.
inline const char* UnitName(int unit) {
    constexpr const char* kNames[kUnitCount] = {"cm", "mm", "inches"};
    return unit >= 0 && unit < kUnitCount ? kNames[unit] : kNames[1];
}

inline double UnitDivisor(int unit) {
    return unit >= 0 && unit < kUnitCount ? kUnitDivisors[unit] : 1.0;
}
