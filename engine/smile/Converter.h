#ifndef CHIRPWELL_ENGINE_SMILE_CONVERTER_H
#define CHIRPWELL_ENGINE_SMILE_CONVERTER_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/smile/RuleTable.h"
#include "engine/smile/SmilePlace.h"
#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"

class CRandom;
struct CSmileFileFault;
class INotifier;
class IProfile;
class IProgress;

// The smile engine: the settings, the rule table of the smile set in force, the
// smile-file reader's state and the places the last conversion changed. Texts are
// CP932 bytes and positions count them; paths are file-system bytes. The notifier,
// the generator and the codec, when given, must outlive the converter.
class CConverter {
public:
    // Smile files are read through codec, that of the texts they smile; without one
    // the converter keeps a codec of its own.
    CConverter(INotifier& notifier, CRandom& random, CCodec* codec = nullptr);
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    // The rule table.
    void AddRule(const std::string& key, const std::string& replacement);
    void RemoveAllRules();
    void LoadBuiltInSet();
    const CRuleTable& RuleTable() const { return m_ruleTable; }
    const std::string& Name() const { return m_strName; }  // CP932

    // Smile files. True when the whole file was read without a bad line, or when
    // path is "????", which installs the built-in set. A bad line is reported and
    // leaves the built-in set; a file that cannot be read (not a regular file, or
    // larger than the text limit) leaves no rules.
    // why, when given, says why a file could not be read or which line was bad.
    bool LoadSmileFile(const std::string& path, CSmileFileFault* why = nullptr);
    // The same for the content of a smile file already read from path, in encoding
    // or, without one, in the encoding detected. Content that is no text in that
    // encoding, or needs more codes than are free, is reported and leaves no rules.
    bool LoadSmileText(const std::string& path, std::string_view content,
                       std::optional<EEncoding> encoding = std::nullopt,
                       CSmileFileFault* why = nullptr);
    CCodec& Codec() { return m_codec; }
    // After the codec started a new text: the smile set in force and the censor
    // characters, which previous encoded, are encoded again for it; the set from
    // its file's bytes as they were read. False, after a message, when the codes ran
    // out; no smile set is then in force.
    bool EncodeAgain(const CCodec& previous);
    // False while no smile set is in force: before the first load, and after a load
    // whose file could not be read.
    bool HasSmileSet() const { return m_bHasSmileSet; }
    // Applies one line of a smile file; false for a bad line.
    bool ParseLine(std::string_view line);
    void ShowLineError(int lineNumber);
    const std::string& Separator() const { return m_strSeparator; }

    // Smiles text in place. False, with the replacements made so far, when one more
    // would make it longer than maxLength bytes, or at once, untouched, when it is
    // longer already. With wholeCharacters, for a text transcoded from another
    // encoding, a rule matches only from a character's start to a character's end.
    bool Convert(std::string& text, std::size_t maxLength, IProgress& progress,
                 bool wholeCharacters = false);

    // The settings in the "Settings" section of the profile. LoadSettings also loads
    // the smile file they name and gives that load's result.
    bool LoadSettings(IProfile& profile);
    void SaveSettings(IProfile& profile) const;

    // Selection effects; both keep the text's length and always succeed. Censor first
    // puts back the default censor characters where they are not one full-width and
    // one half-width character, and reseeds the generator from the clock; then each
    // character but blanks and the full-width space is censored at the frequency.
    bool Censor(std::string& text);
    bool Reverse(std::string& text) const;
    // Whether cp932 is one character of the width a censor character needs: a
    // full-width one of two bytes, or a half-width one of one. Censor itself only
    // looks at the lengths; this is for censor characters a user types.
    static bool IsCensorCharacter(std::string_view cp932, bool fullWidth);

    // The first place after position, or the last place before it; a message and
    // nothing when there is none.
    std::optional<CSmilePlace> FindNextSmilePlace(std::size_t position) const;
    std::optional<CSmilePlace> FindPreviousSmilePlace(std::size_t position) const;
    void ClearSmilePlaces();
    void CopySmilePlaces(const CConverter& other);
    const CSmilePlaceList& SmilePlaces() const { return m_smilePlaces; }

    std::string m_strZenkaku;       // full-width censor character, CP932
    std::string m_strHankaku;       // half-width censor character, CP932
    std::string m_strModeFilePath;  // the smile file in force, or "????"
    int m_nFrequency = 0;           // percent
    bool m_bReturnCode = false;     // the newline filter is on
    bool m_bCPPCut = false;         // the comment filter is on
    bool m_bHTMLCut = false;        // the HTML filter is on

private:
    // Empties the rule table and resets the reader's state, as every load begins.
    void StartSmileSet();
    // Takes the smile set from the CP932 content of the smile file at path.
    bool LoadSmileContent(const std::string& path, std::string_view content,
                          CSmileFileFault* why = nullptr);
    // The same from its bytes, in encoding or the one detected, kept for EncodeAgain.
    bool LoadSmileBytes(const std::string& path, std::string bytes,
                        std::optional<EEncoding> encoding, CSmileFileFault* why = nullptr);
    void ShowDecodingFault(const std::string& path, const CSmileFileFault& fault);

    CSmilePlaceList m_smilePlaces;
    std::string m_strName;
    CRuleTable m_ruleTable;
    std::string m_strSeparator;
    bool m_bHasSmileSet = false;
    // The smile file in force as read, while its rules are in force: the bytes, the
    // encoding named for them and their CP932 content.
    std::string m_strSmilePath;
    std::string m_strSmileBytes;
    std::optional<EEncoding> m_smileEncoding;
    std::string m_strSmileContent;
    bool m_bSmileFromBytes = false;
    std::unique_ptr<CCodec> m_pOwnCodec;  // only when none was given
    CCodec& m_codec;
    INotifier& m_notifier;
    CRandom& m_random;
};

#endif
