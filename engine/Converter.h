#ifndef CHIRPWELL_ENGINE_CONVERTER_H
#define CHIRPWELL_ENGINE_CONVERTER_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/RuleTable.h"
#include "engine/SmilePlace.h"

class CRandom;
class INotifier;
class IProfile;
class IProgress;

// The smile engine: the settings, the rule table of the smile set in force, the
// smile-file reader's state and the places the last conversion changed. Texts are
// CP932 bytes and positions count them; paths are file-system bytes. The notifier
// and the generator must outlive the converter.
class CConverter {
public:
    CConverter(INotifier& notifier, CRandom& random);
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
    // leaves the built-in set; a file that cannot be read leaves no rules.
    bool LoadSmileFile(const std::string& path);
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

    // Selection effects; both keep the text's length and always succeed.
    bool Censor(std::string& text);
    bool Reverse(std::string& text) const;

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
    CSmilePlaceList m_smilePlaces;
    std::string m_strName;
    CRuleTable m_ruleTable;
    std::string m_strSeparator;
    INotifier& m_notifier;
    CRandom& m_random;
};

#endif
