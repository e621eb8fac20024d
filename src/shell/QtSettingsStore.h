// CQtSettingsStore: the per-user settings as a QSettings INI file.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "platform/SettingsStore.h"

class CQtSettingsStore : public CSettingsStore {
public:
    explicit CQtSettingsStore(std::unique_ptr<QSettings> settings, int recentSize = 10);
    // The user's store under the application key.
    static std::unique_ptr<CQtSettingsStore> ForApplication(const QString& applicationKey, int recentSize);
    // A store in the given INI file (tests, portable use).
    static std::unique_ptr<CQtSettingsStore> ForFile(const QString& iniPath, int recentSize);
    ~CQtSettingsStore() override;

    int GetInt(const std::string& section, const std::string& key, int fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    std::vector<std::string> GetRecentFiles() const override;
    void AddRecentFile(const std::string& path) override;

    // Writes pending changes to the file.
    void Sync();
    QString GetFileName() const { return m_pSettings->fileName(); }

    static constexpr const char* kRecentSection = "Recent File List";

private:
    static QString KeyOf(const std::string& section, const std::string& key);
    void WriteRecent(const std::vector<std::string>& files);

    std::unique_ptr<QSettings> m_pSettings;
    int m_nRecentSize;
};
