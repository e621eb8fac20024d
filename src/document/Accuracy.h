// CAccuracy: one entry of the application's table of display accuracies.
#pragma once

#include <string>
#include <vector>

class CAccuracy {
public:
    virtual ~CAccuracy() = default;
    // Loads the name by its string id and stores the factor (model units per display step in mm).
    void Init(int stringId, float factor);
    const std::string& GetName() const { return m_strName; }
    float GetFactor() const { return m_fFactor; }

    // The four accuracies from "unit [x 1]" to "thousandths [x 10 -3]" in table order.
    static std::vector<CAccuracy> BuildTable();

private:
    std::string m_strName;
    float m_fFactor = 1.0f;
};
