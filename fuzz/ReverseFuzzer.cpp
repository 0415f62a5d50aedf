// CConverter::Reverse on any bytes: same length and bytes, the characters of a plain
// model in reverse order, and twice over the text itself when no line break or cut
// character can get in the way.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/text/Cp932.h"
#include "fuzz/FuzzSupport.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"

namespace {

// A lead byte at the end stands alone.
std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> characters;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t width =
            IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(i, width));
        i += width;
    }
    return characters;
}

std::string ReversedModel(const std::string& text)
{
    std::vector<std::string> characters = Characters(text);
    std::reverse(characters.begin(), characters.end());
    std::string reversed;
    for (const std::string& character : characters)
        reversed += character;
    for (std::size_t at = reversed.find("\n\r"); at != std::string::npos;
         at = reversed.find("\n\r", at + 2))
        reversed.replace(at, 2, "\r\n");
    return reversed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string original(reinterpret_cast<const char*>(data), size);
    CFakeNotifier notifier;
    CFixedClock clock;
    CRandom random(clock);
    CConverter converter(notifier, random);

    std::string text = original;
    FUZZ_CHECK(converter.Reverse(text));
    FUZZ_CHECK(text.size() == original.size());
    std::string sortedBefore = original;
    std::string sortedAfter = text;
    std::sort(sortedBefore.begin(), sortedBefore.end());
    std::sort(sortedAfter.begin(), sortedAfter.end());
    FUZZ_CHECK(sortedBefore == sortedAfter);
    FUZZ_CHECK(text == ReversedModel(original));

    const std::vector<std::string> characters = Characters(original);
    const bool cutAtEnd = !characters.empty() && characters.back().size() == 1 &&
                          IsLeadByte(static_cast<unsigned char>(characters.back()[0]));
    if (original.find_first_of("\r\n") == std::string::npos && !cutAtEnd) {
        FUZZ_CHECK(converter.Reverse(text));
        FUZZ_CHECK(text == original);
    }
    return 0;
}
