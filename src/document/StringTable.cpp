// The resource strings of the unit and accuracy tables.
#include "document/StringTable.h"

#include <utility>

std::string LoadResourceString(int id) {
    static const std::pair<int, const char*> kStrings[] = {
        {62446, "cm"},
        {62447, "mm"},
        {62448, "inch"},
        {61449, "unit [x 1]"},
        {61450, "teens [x 10 -1]"},
        {61451, "hundredths [x 10 -2]"},
        {61452, "thousandths [x 10 -3]"},
    };
    for (const auto& [key, text] : kStrings) {
        if (key == id) {
            return text;
        }
    }
    return "";
}
