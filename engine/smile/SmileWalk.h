#ifndef CHIRPWELL_ENGINE_SMILE_SMILEWALK_H
#define CHIRPWELL_ENGINE_SMILE_SMILEWALK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smile/ProgressMeter.h"
#include "engine/smile/SmilePlace.h"

class CDrawScanner;
class CRandom;
class CRuleTable;
class CRuleTrie;
class CSmileRule;
class IProgress;

// One conversion's walk over a text. It visits the positions and makes the draws the
// one-position-at-a-time walk makes, but tests the frequency on many draws at once and
// copies the bytes between passing positions in bulk, so its cost follows the passing
// positions. Positions count bytes of CP932 text. Everything it is given must outlive
// it, and the rules must not change while it lives.
class CSmileWalk {
public:
    CSmileWalk(CRuleTable& rules, CRandom& random, int frequency, bool wholeCharacters,
               CSmilePlaceList& places, IProgress& progress);
    CSmileWalk(const CSmileWalk&) = delete;
    CSmileWalk& operator=(const CSmileWalk&) = delete;

    // Appends source, smiled, to result, which must be empty and should have room for
    // maxLength bytes. False, with source's unsmiled rest appended, when a replacement
    // would make the text longer than maxLength.
    bool Run(std::string_view source, std::string& result, std::size_t maxLength);

private:
    // At source[at] after a passing draw: one draw per matching rule, the pick.
    const CSmileRule* Pick(std::string_view source, std::size_t at, CDrawScanner& draws);
    // In whole-character mode: whether at starts a character of the text as it stands.
    bool IsCharacterStart(std::string_view source, std::size_t at);
    // After a replacement at at: where the next character starts in source.
    void Replaced(std::size_t at, const CSmileRule& rule);

    const CRuleTable& m_rules;
    const CRuleTrie& m_trie;
    CRandom& m_random;
    CSmilePlaceList& m_places;
    CProgressMeter m_meter;
    std::vector<std::uint32_t> m_matches;
    int m_nFrequency;
    bool m_bWholeCharacters;
    // A character start of the text as it stands, as a source position, at or before
    // the next position visited, or one past it when that is a second byte.
    std::size_t m_nCharacterStart = 0;
};

#endif
