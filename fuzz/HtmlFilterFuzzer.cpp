// StripHtmlTags on any bytes and room: it never lengthens the text and agrees with
// the literal form.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/filters/Filters.h"
#include "fuzz/FuzzSupport.h"
#include "tests/reference/LiteralEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [original, room] = TakeFilterInput(data, size);
    std::string text = original;
    RunFilterAgainstLiteral(StripHtmlTags, LiteralStripHtmlTags, text, room);
    FUZZ_CHECK(text.size() <= original.size());
    // A '<' survives only when no '>' follows it; entities aside, no '>' follows it
    // in the result either.
    const bool plain = original.find("&lt;") == std::string::npos &&
                       original.find("&gt;") == std::string::npos;
    if (plain && original.size() <= room) {
        const std::size_t open = text.find('<');
        if (open != std::string::npos)
            FUZZ_CHECK(text.find('>', open) == std::string::npos);
    }
    return 0;
}
