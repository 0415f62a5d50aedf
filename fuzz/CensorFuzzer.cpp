// CConverter::Censor with frequency, censor characters and clock from the input.
// Input: frequency byte, the lengths of the full-width and half-width characters,
// four clock bytes, the two characters, then the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/text/Cp932.h"
#include "fuzz/FuzzSupport.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"

namespace {

bool IsBlank(char byte)
{
    return byte == '\t' || byte == '\n' || byte == '\r' || byte == ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const int frequency = FrequencyFrom(input.TakeByte());
    const std::size_t zenkakuLength = input.TakeByte() % 5;
    const std::size_t hankakuLength = input.TakeByte() % 3;
    CFixedClock clock(input.TakeUint32());
    const std::string zenkaku = input.TakeBytes(zenkakuLength);
    const std::string hankaku = input.TakeBytes(hankakuLength);
    const std::string original = input.Rest();

    CFakeNotifier notifier;
    CRandom random(clock);
    CConverter converter(notifier, random);
    converter.m_nFrequency = frequency;
    converter.m_strZenkaku = zenkaku;
    converter.m_strHankaku = hankaku;
    std::string text = original;
    FUZZ_CHECK(converter.Censor(text));
    FUZZ_CHECK(text.size() == original.size());
    FUZZ_CHECK(converter.m_strZenkaku.size() == 2);
    FUZZ_CHECK(converter.m_strHankaku.size() == 1);
    if (zenkaku.size() == 2)
        FUZZ_CHECK(converter.m_strZenkaku == zenkaku);
    if (hankaku.size() == 1)
        FUZZ_CHECK(converter.m_strHankaku == hankaku);
    FUZZ_CHECK(notifier.m_messages.empty());

    // Character by character: kept, or the censor character of its width; at 99 or
    // more every character that may be censored is.
    const bool all = frequency >= 99;
    std::size_t i = 0;
    while (i < original.size()) {
        if (IsBlank(original[i])) {
            FUZZ_CHECK(text[i] == original[i]);
            ++i;
        } else if (IsLeadByte(static_cast<unsigned char>(original[i])) && i + 1 < original.size()) {
            const std::string before = original.substr(i, 2);
            const std::string after = text.substr(i, 2);
            if (before == "\x81\x40")
                FUZZ_CHECK(after == before);
            else
                FUZZ_CHECK(after == converter.m_strZenkaku || (!all && after == before));
            i += 2;
        } else {
            FUZZ_CHECK(text[i] == converter.m_strHankaku[0] || (!all && text[i] == original[i]));
            ++i;
        }
    }

    // The same second gives the same choices.
    std::string again = original;
    converter.Censor(again);
    FUZZ_CHECK(again == text);
    return 0;
}
