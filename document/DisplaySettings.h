#ifndef CHIRPWELL_DOCUMENT_DISPLAYSETTINGS_H
#define CHIRPWELL_DOCUMENT_DISPLAYSETTINGS_H

#include <string>

#include "document/WindowKeys.h"

class IProfile;

// How the view shows the text, kept in the profile's "Settings" section. Colours
// are 0x00BBGGRR; the font size counts tenths of a point; the face name is UTF-8.
struct CDisplaySettings {
    int m_backColor = kKeyBackColor.m_nDefault;
    int m_textColor = kKeyTextColor.m_nDefault;
    bool m_bAutoResize = kKeyAutoResize.m_nDefault != 0;
    std::string m_strFont = kKeyFont.m_pDefault;
    int m_nFontSize = kKeyFontSize.m_nDefault;
    // Files are opened in their detected encoding.
    bool m_bDetectEncoding = kKeyDetectEncoding.m_nDefault != 0;

    void Load(IProfile& profile);
    void Save(IProfile& profile) const;
};

#endif
