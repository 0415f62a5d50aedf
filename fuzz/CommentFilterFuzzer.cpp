// StripCppComments on any bytes: it only removes, so the result is a subsequence of
// the input, and it agrees with the literal form.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/filters/Filters.h"
#include "fuzz/FuzzSupport.h"
#include "tests/reference/LiteralEngine.h"

namespace {

std::size_t CountCrLf(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [original, room] = TakeFilterInput(data, size);
    std::string text = original;
    RunFilterAgainstLiteral(StripCppComments, LiteralStripCppComments, text, room);
    FUZZ_CHECK(text.size() <= original.size());
    FUZZ_CHECK(IsSubsequence(text, original));
    // A line comment stops short of the first CR LF, so without block comments
    // every CR LF pair stays, and none is made.
    if (original.find("/*") == std::string::npos)
        FUZZ_CHECK(CountCrLf(text) == CountCrLf(original));
    return 0;
}
