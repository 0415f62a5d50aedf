#ifndef CHIRPWELL_ENGINE_SMILE_PIPELINE_H
#define CHIRPWELL_ENGINE_SMILE_PIPELINE_H

#include <cstddef>
#include <string>

#include "engine/Limits.h"
#include "engine/filters/Filters.h"

class CConverter;
class IProgress;

// The filter passes a pipeline runs: the engine's own, or others of the same job
// (the literal forms the tests and benchmarks hold the engine against).
struct CFilterPasses {
    using Pass = bool (*)(std::string& text, std::size_t room, IProgress& progress);
    Pass m_pStripHtmlTags = StripHtmlTags;
    Pass m_pStripCppComments = StripCppComments;
    Pass m_pNormalizeReturnCodes = NormalizeReturnCodes;
};

// The filters that settings switches on, in the order HTML, comments, newlines,
// with room bytes to grow in.
void RunFilters(const CConverter& settings, std::string& text, IProgress& progress,
                std::size_t room = kTextLimit, const CFilterPasses& passes = CFilterPasses());

// What opening a file does to its text once the generator is seeded: the filters,
// then the smile by smiler, which may be settings itself, up to half the room (no
// limit at all with kNoLimit), whole characters only when wholeCharacters (a
// transcoded text). Its result is the smile's.
bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress, std::size_t room = kTextLimit,
                    bool wholeCharacters = false);

#endif
