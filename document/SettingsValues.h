#ifndef CHIRPWELL_DOCUMENT_SETTINGSVALUES_H
#define CHIRPWELL_DOCUMENT_SETTINGSVALUES_H

#include <string>

class CConverter;

// The six converter settings the settings dialog edits.
struct CSettingsValues {
    int m_nFrequency = 0;
    bool m_bHTMLCut = false;
    bool m_bCPPCut = false;
    bool m_bReturnCode = false;
    std::string m_strZenkaku;  // CP932
    std::string m_strHankaku;  // CP932

    bool operator==(const CSettingsValues&) const = default;
};

CSettingsValues ReadSettingsValues(const CConverter& converter);
void WriteSettingsValues(const CSettingsValues& values, CConverter& converter);

#endif
