#ifndef CHIRPWELL_ENGINE_PIPELINE_H
#define CHIRPWELL_ENGINE_PIPELINE_H

#include <string>

class CConverter;
class IProgress;

// What opening a file does to its text once the generator is seeded: the filters
// that settings switches on, in the order HTML, comments, newlines, with the text
// limit as room; then the smile by smiler, which may be settings itself, up to the
// largest smiled length. Its result is the smile's.
bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress);

#endif
