#include "ui/SettingsProfile.h"

#include <QFile>

namespace {

QString KeyOf(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

CSettingsProfile::CSettingsProfile()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, "Vevizo", "Chirpwell")
{
}

std::string CSettingsProfile::GetProfileString(const std::string& section,
                                               const std::string& key,
                                               const std::string& defaultValue)
{
    const QVariant value = m_settings.value(KeyOf(section, key));
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString().toStdString();
}

int CSettingsProfile::GetProfileInt(const std::string& section, const std::string& key,
                                    int defaultValue)
{
    const QVariant value = m_settings.value(KeyOf(section, key));
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

void CSettingsProfile::WriteProfileString(const std::string& section, const std::string& key,
                                          const std::string& value)
{
    m_settings.setValue(KeyOf(section, key), QString::fromStdString(value));
}

void CSettingsProfile::WriteProfileInt(const std::string& section, const std::string& key,
                                       int value)
{
    m_settings.setValue(KeyOf(section, key), value);
}

bool CSettingsProfile::Sync()
{
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

bool CSettingsProfile::HasSettings() const
{
    return !m_settings.allKeys().isEmpty() || QFile::exists(m_settings.fileName());
}

bool CSettingsProfile::Remove()
{
    m_settings.clear();
    m_settings.sync();
    const QString file = m_settings.fileName();
    return m_settings.status() == QSettings::NoError && (!QFile::exists(file) || QFile::remove(file));
}
