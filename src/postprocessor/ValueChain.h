// CValueChain: the ordered sources a macro asks for a template variable.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Each source is asked only while the answer so far lies above the threshold; the final answer
// may still be a sentinel (2000000.0 not known, 1000000.0 known but empty).
class CValueChain {
public:
    using Source = std::function<double(const std::string&)>;

    explicit CValueChain(double threshold) : m_dThreshold(threshold) {}

    CValueChain& Add(Source source) {
        m_sources.push_back(std::move(source));
        return *this;
    }
    // A variable replaced by a fixed text instead of a formatted number ("NameFile").
    CValueChain& SetTextVariable(std::string name, std::string text) {
        m_strTextName = std::move(name);
        m_strText = std::move(text);
        return *this;
    }
    bool IsTextVariable(const std::string& name) const { return !m_strTextName.empty() && name == m_strTextName; }
    const std::string& GetText() const { return m_strText; }

    double Lookup(const std::string& name) const {
        double value = 2000000.0;
        for (size_t i = 0; i < m_sources.size(); ++i) {
            if (i > 0 && value <= m_dThreshold) {
                break;
            }
            value = m_sources[i](name);
        }
        return value;
    }

private:
    double m_dThreshold;
    std::vector<Source> m_sources;
    std::string m_strTextName;
    std::string m_strText;
};
