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
    CSmileWalk(const CRuleTable& rules, CRandom& random, int frequency, bool wholeCharacters,
               CSmilePlaceList& places, IProgress& progress);
    CSmileWalk(const CSmileWalk&) = delete;
    CSmileWalk& operator=(const CSmileWalk&) = delete;

    // Appends source, smiled, to result, which must be empty and should have room for
    // maxLength bytes. False, with source's unsmiled rest appended, when a replacement
    // would make the text longer than maxLength.
    bool Run(std::string_view source, std::string& result, std::size_t maxLength);
    // The same for a text that comes in parts, without a maximum: source is the part
    // not smiled yet, whose rest may follow. Visits only the positions that have
    // lookahead bytes after them (at least 2, and the longest key's length), all of
    // them and the end when last; appends what it smiled to result and gives the
    // bytes of source it took. The places count bytes of the whole smiled text. The
    // next call's source must start with the bytes not taken.
    std::size_t RunPart(std::string_view source, std::string& result, std::size_t lookahead,
                        bool last);

private:
    // Visits the positions of source below visitEnd, appending to result, and tells
    // the progress display when metered; gives the bytes of source taken, all of them
    // when false came of maxLength.
    std::size_t Walk(std::string_view source, std::string& result, std::size_t maxLength,
                     std::size_t visitEnd, bool metered, bool& done);
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
    std::size_t m_nSmiled = 0;  // bytes appended to results before this part
};

#endif
