#ifndef CHIRPWELL_DOCUMENT_DISPLAYSETTINGS_H
#define CHIRPWELL_DOCUMENT_DISPLAYSETTINGS_H

#include <string>

class IProfile;

// How the view shows the text, kept in the profile's "Settings" section. Colours
// are 0x00BBGGRR; the font size counts tenths of a point; the face name is UTF-8.
struct CDisplaySettings {
    int m_backColor = 0xB4B4B4;
    int m_textColor = 0;
    bool m_bAutoResize = true;
    std::string m_strFont = "FixedSys";
    int m_nFontSize = 140;
    bool m_bDetectEncoding = true;  // files are opened in their detected encoding

    void Load(IProfile& profile);
    void Save(IProfile& profile) const;
};

#endif
