// CUnitLists: the entries of the accuracy and cursor-step lists, and the steps, in each display unit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Units are the indices of the units table (0 cm, 1 mm, 2 inches); an index outside it reads as mm.
class CUnitLists {
public:
    static constexpr int kStepCount = 7;

    // "1 mm", "0.1 mm", "0.01 mm"; centimetres and inches add a fourth, thousandths, entry.
    static std::vector<std::string> AccuracyEntries(int units);
    // "None" and six steps in the unit ("0.1 mm" ... "5 mm", "0.005 in" ... "0.2 in").
    static std::vector<std::string> CursorStepEntries(int units);
    // The model length of a cursor-step entry; an index outside the list reads as "None" (1).
    static int32_t CursorStep(int units, int index);
};
