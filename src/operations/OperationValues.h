// COperationValues: the named millimetre values an operation is computed from.
#pragma once

#include <map>
#include <string>

class COperationValues {
public:
    void Set(const std::string& key, double value) { m_values[key] = value; }
    bool Has(const std::string& key) const { return m_values.count(key) != 0; }
    // The value, or fallback when it was not given.
    double Get(const std::string& key, double fallback = 0.0) const {
        const auto it = m_values.find(key);
        return it == m_values.end() ? fallback : it->second;
    }

private:
    std::map<std::string, double> m_values;
};
