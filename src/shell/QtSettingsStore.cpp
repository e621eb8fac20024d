// The QSettings store: integers and strings by section and key, and the recent-file list.
#include "shell/QtSettingsStore.h"

#include <algorithm>

#include "shell/QtText.h"

CQtSettingsStore::CQtSettingsStore(std::unique_ptr<QSettings> settings, int recentSize)
    : m_pSettings(std::move(settings)), m_nRecentSize(recentSize) {}

std::unique_ptr<CQtSettingsStore> CQtSettingsStore::ForApplication(const QString& applicationKey,
                                                                   int recentSize) {
    return std::make_unique<CQtSettingsStore>(
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, applicationKey,
                                    applicationKey),
        recentSize);
}

std::unique_ptr<CQtSettingsStore> CQtSettingsStore::ForFile(const QString& iniPath, int recentSize) {
    return std::make_unique<CQtSettingsStore>(std::make_unique<QSettings>(iniPath, QSettings::IniFormat),
                                              recentSize);
}

CQtSettingsStore::~CQtSettingsStore() {
    m_pSettings->sync();
}

QString CQtSettingsStore::KeyOf(const std::string& section, const std::string& key) {
    return ToQ(section) + QLatin1Char('/') + ToQ(key);
}

int CQtSettingsStore::GetInt(const std::string& section, const std::string& key, int fallback) const {
    const QVariant v = m_pSettings->value(KeyOf(section, key));
    if (!v.isValid()) {
        return fallback;
    }
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

void CQtSettingsStore::WriteInt(const std::string& section, const std::string& key, int value) {
    m_pSettings->setValue(KeyOf(section, key), value);
}

std::string CQtSettingsStore::GetString(const std::string& section, const std::string& key,
                                        const std::string& fallback) const {
    const QVariant v = m_pSettings->value(KeyOf(section, key));
    return v.isValid() ? FromQ(v.toString()) : fallback;
}

void CQtSettingsStore::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
    m_pSettings->setValue(KeyOf(section, key), ToQ(value));
}

std::vector<std::string> CQtSettingsStore::GetRecentFiles() const {
    std::vector<std::string> files;
    for (int i = 1; i <= m_nRecentSize; ++i) {
        const QString path =
            m_pSettings->value(QStringLiteral("%1/File%2").arg(kRecentSection).arg(i)).toString();
        if (!path.isEmpty()) {
            files.push_back(FromQ(path));
        }
    }
    return files;
}

void CQtSettingsStore::AddRecentFile(const std::string& path) {
    std::vector<std::string> files = GetRecentFiles();
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > static_cast<size_t>(m_nRecentSize)) {
        files.resize(static_cast<size_t>(m_nRecentSize));
    }
    WriteRecent(files);
}

void CQtSettingsStore::WriteRecent(const std::vector<std::string>& files) {
    m_pSettings->remove(QString::fromLatin1(kRecentSection));
    for (size_t i = 0; i < files.size(); ++i) {
        m_pSettings->setValue(QStringLiteral("%1/File%2").arg(kRecentSection).arg(i + 1), ToQ(files[i]));
    }
}

void CQtSettingsStore::Sync() {
    m_pSettings->sync();
}
