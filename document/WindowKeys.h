#ifndef CHIRPWELL_DOCUMENT_WINDOWKEYS_H
#define CHIRPWELL_DOCUMENT_WINDOWKEYS_H

#include "engine/ProfileKeys.h"

// The values in the per-user profile that only the window reads, with their section,
// name and default. Colours are 0x00BBGGRR; the font size is in tenths of a point.

inline constexpr char kRecentFileSection[] = "Recent File List";

// The working folder the document enters; "noSet" for none. Only read.
inline constexpr CStringKey kKeyCurrentDirectory{kSettingsSection, "CurrentDirectory", "noSet"};

// The display settings.
inline constexpr CStringKey kKeyFont{kSettingsSection, "Font", "FixedSys"};
inline constexpr CIntKey kKeyFontSize{kSettingsSection, "FontSize", 140};
inline constexpr CIntKey kKeyBackColor{kSettingsSection, "BackColor", 0xB4B4B4};
inline constexpr CIntKey kKeyTextColor{kSettingsSection, "TextColor", 0};
inline constexpr CIntKey kKeyAutoResize{kSettingsSection, "AutoResize", 1};
inline constexpr CIntKey kKeyDetectEncoding{kSettingsSection, "DetectEncoding", 1};

// Printing: 1 or 2 pages side by side in the preview.
inline constexpr CIntKey kKeyPreviewPages{kSettingsSection, "PreviewPages", 1};

// The recent files are "File1" to "File8" of their own section, "" for none.
inline constexpr char kRecentFileKeyPrefix[] = "File";

#endif
