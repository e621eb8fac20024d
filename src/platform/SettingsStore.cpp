// The in-memory settings store.
#include "platform/SettingsStore.h"

#include <algorithm>

int CMemorySettingsStore::GetInt(const std::string& section, const std::string& key, int fallback) const {
    auto it = m_ints.find({section, key});
    return it == m_ints.end() ? fallback : it->second;
}

void CMemorySettingsStore::WriteInt(const std::string& section, const std::string& key, int value) {
    Key k{section, key};
    if (!m_ints.count(k) && !m_strings.count(k)) {
        m_order.push_back(k);
    }
    m_strings.erase(k);
    m_ints[k] = value;
    m_writes.push_back(section + "/" + key + "=" + std::to_string(value));
}

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& key,
                                            const std::string& fallback) const {
    auto it = m_strings.find({section, key});
    if (it != m_strings.end()) {
        return it->second;
    }
    auto in = m_ints.find({section, key});
    return in == m_ints.end() ? fallback : std::to_string(in->second);
}

void CMemorySettingsStore::WriteString(const std::string& section, const std::string& key,
                                       const std::string& value) {
    Key k{section, key};
    if (!m_ints.count(k) && !m_strings.count(k)) {
        m_order.push_back(k);
    }
    m_ints.erase(k);
    m_strings[k] = value;
    m_writes.push_back(section + "/" + key + "=" + value);
}

void CMemorySettingsStore::AddRecentFile(const std::string& path) {
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), path), m_recent.end());
    m_recent.insert(m_recent.begin(), path);
    if (m_recent.size() > m_nRecentSize) {
        m_recent.resize(m_nRecentSize);
    }
}

bool CMemorySettingsStore::Has(const std::string& section, const std::string& key) const {
    return m_ints.count({section, key}) || m_strings.count({section, key});
}

std::vector<std::string> CMemorySettingsStore::KeysInOrder(const std::string& section) const {
    std::vector<std::string> keys;
    for (const Key& k : m_order) {
        if (k.first == section) {
            keys.push_back(k.second);
        }
    }
    return keys;
}
