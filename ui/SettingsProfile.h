#ifndef CHIRPWELL_UI_SETTINGSPROFILE_H
#define CHIRPWELL_UI_SETTINGSPROFILE_H

#include <QSettings>

#include "engine/IProfile.h"

// The per-user profile: the INI file of organisation "Vevizo", application
// "Chirpwell" ($XDG_CONFIG_HOME/Vevizo/Chirpwell.conf), with its "Settings" and
// "Recent File List" sections and the value names unchanged.
class CSettingsProfile : public IProfile {
public:
    CSettingsProfile();

    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) override;
    int GetProfileInt(const std::string& section, const std::string& key,
                      int defaultValue) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    void WriteProfileInt(const std::string& section, const std::string& key,
                         int value) override;

    // Writes what is pending to disk; false when it cannot.
    bool Sync();
    // Whether the profile holds anything, in its file or not yet written.
    bool HasSettings() const;
    // Removes the whole profile; false when it cannot.
    bool Remove();
    QString FileName() const { return m_settings.fileName(); }

private:
    QSettings m_settings;
};

#endif
