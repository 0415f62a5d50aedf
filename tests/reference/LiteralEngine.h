#ifndef CHIRPWELL_TESTS_REFERENCE_LITERALENGINE_H
#define CHIRPWELL_TESTS_REFERENCE_LITERALENGINE_H

#include <cstddef>
#include <string>

#include "engine/smile/SmilePlace.h"

class CRandom;
class CRuleTable;
class IProgress;

// The input filters and the conversion in their straightforward in-place form: each
// removal, insertion and replacement moves the rest of the text, and every visited
// position reports its percentage. That makes them quadratic; they are kept only to
// check the engine's one-pass versions against and to measure them by. Arguments,
// results and random draws are those of the engine's functions of the same job.

bool LiteralStripHtmlTags(std::string& text, std::size_t room, IProgress& progress);
bool LiteralStripCppComments(std::string& text, std::size_t room, IProgress& progress);
bool LiteralNormalizeReturnCodes(std::string& text, std::size_t room, IProgress& progress);

// CConverter::Convert with its inputs spelt out: the rules of ruleTable at frequency
// percent, drawing from random, appending each changed place to places; with
// wholeCharacters, rules match only from a character start to a character end of the
// text as it stands.
bool LiteralConvert(std::string& text, const CRuleTable& ruleTable, int frequency,
                    CRandom& random, std::size_t maxLength, CSmilePlaceList& places,
                    IProgress& progress, bool wholeCharacters = false);

#endif
