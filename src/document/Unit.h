// CUnit: one entry of the application's table of display units.
#pragma once

#include <string>
#include <vector>

class CUnit {
public:
    virtual ~CUnit() = default;
    // Loads the name by its string id and stores the factor (millimetres per unit).
    void Init(int stringId, float factor);
    const std::string& GetName() const { return m_strName; }
    float GetFactor() const { return m_fFactor; }

    // The three units "cm", "mm", "inch" in table order.
    static std::vector<CUnit> BuildTable();

private:
    std::string m_strName;
    float m_fFactor = 1.0f;
};
