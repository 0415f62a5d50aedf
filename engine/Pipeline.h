#ifndef CHIRPWELL_ENGINE_PIPELINE_H
#define CHIRPWELL_ENGINE_PIPELINE_H

#include <cstddef>
#include <string>

#include "engine/Limits.h"

class CConverter;
class IProgress;

// What opening a file does to its text once the generator is seeded: the filters
// that settings switches on, in the order HTML, comments, newlines, with room bytes
// to grow in; then the smile by smiler, which may be settings itself, up to half the
// room, whole characters only when wholeCharacters (a transcoded text). Its result is
// the smile's.
bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress, std::size_t room = kTextLimit,
                    bool wholeCharacters = false);

#endif
