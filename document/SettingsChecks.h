#ifndef CHIRPWELL_DOCUMENT_SETTINGSCHECKS_H
#define CHIRPWELL_DOCUMENT_SETTINGSCHECKS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/SettingsValues.h"

class CCodec;
class CConverter;
class INotifier;
struct CFileDialogOptions;

// The settings dialog's rules, apart from its window.

// What the dialog's controls hold when OK is pressed; texts in UTF-8 as typed.
struct CSettingsInput {
    bool m_bHTMLCut = false;
    bool m_bCPPCut = false;
    bool m_bReturnCode = false;
    std::string m_strFrequency;
    std::string m_strHankaku;
    std::string m_strZenkaku;
};

enum class ESettingsField { Frequency, Hankaku, Zenkaku };

// The first check that failed: the control to focus and the message, CP932.
struct CSettingsRefusal {
    ESettingsField m_eField;
    std::string m_strMessage;
};

inline constexpr int kMinFrequency = 5;
inline constexpr int kMaxFrequency = 100;
inline constexpr std::size_t kHankakuBytes = 1;
inline constexpr std::size_t kZenkakuBytes = 2;

// Checks the input in the dialog's order (frequency an integer, then 5 to 100, then
// the half-width character at most 1 byte, the full-width at most 2, in CP932) and
// fills values when all pass. The censor characters are encoded through codec, that
// of the text they will censor.
std::optional<CSettingsRefusal> CheckSettings(const CSettingsInput& input,
                                              CSettingsValues& values, CCodec& codec);

// True when utf8 is CP932 text of at most limit bytes: what a censor field accepts
// as the user types.
bool FitsCp932Bytes(std::string_view utf8, std::size_t limit);

// The file dialog of the load button and of smiling with another file.
CFileDialogOptions SmileFileDialogOptions();

// What the load button does once the user chose path: loads it into converter, or
// on failure says so and installs the built-in set. Gives the set's name that the
// group box then shows, CP932.
std::string LoadSmileFileFromDialog(CConverter& converter, INotifier& notifier,
                                    const std::string& path);

#endif
