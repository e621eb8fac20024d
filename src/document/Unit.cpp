// The display units table.
#include "document/Unit.h"

#include "document/StringTable.h"

void CUnit::Init(int stringId, float factor) {
    m_strName = LoadResourceString(stringId);
    m_fFactor = factor;
}

std::vector<CUnit> CUnit::BuildTable() {
    std::vector<CUnit> table(3);
    table[0].Init(62446, 10.0f);
    table[1].Init(62447, 1.0f);
    table[2].Init(62448, 25.4f);
    return table;
}
