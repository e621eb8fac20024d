// The display accuracies table.
#include "document/Accuracy.h"

#include "document/StringTable.h"

void CAccuracy::Init(int stringId, float factor) {
    m_strName = LoadResourceString(stringId);
    m_fFactor = factor;
}

std::vector<CAccuracy> CAccuracy::BuildTable() {
    std::vector<CAccuracy> table(4);
    table[0].Init(61449, 10000.0f);
    table[1].Init(61450, 1000.0f);
    table[2].Init(61451, 100.0f);
    table[3].Init(61452, 10.0f);
    return table;
}
