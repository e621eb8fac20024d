// The unit-dependent list entries of the drawing aids: millimetre steps for mm and cm, inch steps
// for inches.
#include "view/UnitLists.h"

namespace {
enum : int { kUnitCm = 0, kUnitInch = 2 };

// Metric steps: a 1-2-5 series from 0.1 mm; inch steps: a 1-2-5 series from 0.005 in.
constexpr int32_t kMetricSteps[CUnitLists::kStepCount] = {1, 1000, 2000, 5000, 10000, 20000, 50000};
constexpr int32_t kInchSteps[CUnitLists::kStepCount] = {1, 1270, 2540, 5080, 12700, 25400, 50800};
constexpr const char* kMmStepNames[] = {"0.1 mm", "0.2 mm", "0.5 mm", "1 mm", "2 mm", "5 mm"};
constexpr const char* kCmStepNames[] = {"0.01 cm", "0.02 cm", "0.05 cm", "0.1 cm", "0.2 cm", "0.5 cm"};
constexpr const char* kInchStepNames[] = {"0.005 in", "0.01 in", "0.02 in", "0.05 in", "0.1 in", "0.2 in"};

const char* Symbol(int units) {
    return units == kUnitCm ? "cm" : units == kUnitInch ? "in" : "mm";
}
}  // namespace

std::vector<std::string> CUnitLists::AccuracyEntries(int units) {
    const std::string unit = Symbol(units);
    std::vector<std::string> entries = {"1 " + unit, "0.1 " + unit, "0.01 " + unit};
    if (units == kUnitCm || units == kUnitInch) {
        entries.push_back("0.001 " + unit);
    }
    return entries;
}

std::vector<std::string> CUnitLists::CursorStepEntries(int units) {
    const char* const* names =
        units == kUnitCm ? kCmStepNames : units == kUnitInch ? kInchStepNames : kMmStepNames;
    std::vector<std::string> entries = {"None"};
    entries.insert(entries.end(), names, names + kStepCount - 1);
    return entries;
}

int32_t CUnitLists::CursorStep(int units, int index) {
    const int32_t* steps = units == kUnitInch ? kInchSteps : kMetricSteps;
    return index >= 0 && index < kStepCount ? steps[index] : steps[0];
}
