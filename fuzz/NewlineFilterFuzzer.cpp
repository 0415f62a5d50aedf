// NormalizeReturnCodes on any bytes and room: it only inserts, never passes the room,
// leaves a text at or over the room alone, finishes the job when it stays under the
// room, and agrees with the literal form.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/filters/Filters.h"
#include "fuzz/FuzzSupport.h"
#include "tests/reference/LiteralEngine.h"

namespace {

bool HasLoneBreak(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return true;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [original, room] = TakeFilterInput(data, size);
    std::string text = original;
    RunFilterAgainstLiteral(NormalizeReturnCodes, LiteralNormalizeReturnCodes, text, room);
    if (original.size() >= room) {
        FUZZ_CHECK(text == original);
        return 0;
    }
    FUZZ_CHECK(text.size() <= room);
    FUZZ_CHECK(IsSubsequence(original, text));
    if (text.size() < room) {
        FUZZ_CHECK(!HasLoneBreak(text));
        std::string again = text;
        CRecordingProgress progress;
        NormalizeReturnCodes(again, room, progress);
        FUZZ_CHECK(again == text);
    }
    return 0;
}
