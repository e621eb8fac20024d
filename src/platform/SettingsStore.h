// The settings-store seam: integers and strings by section and key, and the recent-file list.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;
    virtual int GetInt(const std::string& section, const std::string& key, int fallback) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const = 0;
    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Most recent first, at most the list's size.
    virtual std::vector<std::string> GetRecentFiles() const = 0;
    virtual void AddRecentFile(const std::string& path) = 0;
};

class CMemorySettingsStore : public CSettingsStore {
public:
    explicit CMemorySettingsStore(size_t recentSize = 10) : m_nRecentSize(recentSize) {}
    int GetInt(const std::string& section, const std::string& key, int fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    std::vector<std::string> GetRecentFiles() const override { return m_recent; }
    void AddRecentFile(const std::string& path) override;

    bool Has(const std::string& section, const std::string& key) const;
    // Keys in the order they were first written, per section.
    std::vector<std::string> KeysInOrder(const std::string& section) const;
    // Every write, in order, as "section/key=value".
    const std::vector<std::string>& GetWriteLog() const { return m_writes; }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, int> m_ints;
    std::map<Key, std::string> m_strings;
    std::vector<Key> m_order;
    std::vector<std::string> m_writes;
    std::vector<std::string> m_recent;
    size_t m_nRecentSize;
};
