// CConverter::Convert with rules, frequency, seed, limit and mode from the input, on
// the portable path and the vector one. Input: frequency byte, four seed bytes, limit
// byte, set byte (bit 0: the built-in set too, bit 1: whole characters), then
// smile-file lines, a zero byte and the text (without a zero byte, all of it is
// text).

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "engine/Limits.h"
#include "engine/VectorPath.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "fuzz/FuzzSupport.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/reference/LiteralEngine.h"

namespace {

void AddLines(CConverter& converter, std::string_view lines)
{
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        converter.ParseLine(lines.substr(0, end));
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
}

// A limit below, at or just above the text's length; or a roomy one, kept small
// unless the rules are the built-in set, which never grows a text at its end.
std::size_t LimitFrom(std::uint8_t byte, std::size_t length, bool onlyBuiltIn)
{
    if (byte >= 0x80)
        return onlyBuiltIn ? kMaxSmileLength : length + 4096;
    const std::size_t limit = length + byte % 40;
    return limit >= 4 ? limit - 4 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const int frequency = FrequencyFrom(input.TakeByte());
    const std::uint32_t seed = input.TakeUint32();
    const std::uint8_t limitByte = input.TakeByte();
    const std::uint8_t setByte = input.TakeByte();
    const std::string rest = input.Rest();
    const std::size_t split = rest.find('\0');
    const std::string_view lines =
        split == std::string::npos ? std::string_view() : std::string_view(rest).substr(0, split);
    const std::string original =
        split == std::string::npos ? rest : WithoutZeroBytes(rest.substr(split + 1));

    CFakeNotifier notifier;
    CFixedClock clock;
    CRandom fastRandom(clock);
    CRandom slowRandom(clock);
    CConverter converter(notifier, fastRandom);
    const bool builtIn = lines.empty() || (setByte & 1) != 0;
    const bool wholeCharacters = (setByte & 2) != 0;
    if (builtIn)
        converter.LoadBuiltInSet();
    AddLines(converter, lines);
    converter.m_nFrequency = frequency;
    const std::size_t maxLength = LimitFrom(limitByte, original.size(), lines.empty());

    AllowVectorPath(false);
    fastRandom.Seed(seed);
    std::string portable = original;
    CRecordingProgress portableProgress;
    const bool portableDone =
        converter.Convert(portable, maxLength, portableProgress, wholeCharacters);
    const CSmilePlaceList portablePlaces = converter.SmilePlaces();
    const int portableNext = fastRandom.Next();
    converter.ClearSmilePlaces();

    AllowVectorPath(true);
    fastRandom.Seed(seed);
    slowRandom.Seed(seed);
    std::string text = original;
    CRecordingProgress fastProgress;
    const bool done = converter.Convert(text, maxLength, fastProgress, wholeCharacters);
    CheckPercentages(fastProgress);
    const CSmilePlaceList& places = converter.SmilePlaces();
    const int fastNext = fastRandom.Next();
    FUZZ_CHECK(done == portableDone && text == portable && places == portablePlaces);
    FUZZ_CHECK(fastProgress.m_calls == portableProgress.m_calls && fastNext == portableNext);

    if (original.size() > maxLength) {
        FUZZ_CHECK(!done && text == original && places.empty());
        return 0;
    }
    FUZZ_CHECK(text.size() <= maxLength);
    if (frequency <= 0)
        FUZZ_CHECK(done && text == original && places.empty());

    // Nothing later touches a place, so it still holds the replacement that made it.
    std::set<std::string> replacements;
    for (unsigned byte = 0; byte < 256; ++byte) {
        for (const CSmileRule& rule : converter.RuleTable().Lookup(static_cast<unsigned char>(byte)))
            replacements.insert(rule.m_strReplacement);
    }
    for (std::size_t k = 0; k < places.size(); ++k) {
        const CSmilePlace& place = places[k];
        FUZZ_CHECK(k == 0 || places[k - 1].m_nPosition <= place.m_nPosition);
        FUZZ_CHECK(place.m_nPosition + place.m_nLength <= text.size());
        FUZZ_CHECK(replacements.count(text.substr(place.m_nPosition, place.m_nLength)) == 1);
    }

    if (original.size() > kLiteralMaxSize)
        return 0;
    std::string slow = original;
    CRecordingProgress slowProgress;
    CSmilePlaceList slowPlaces;
    const bool slowDone = LiteralConvert(slow, converter.RuleTable(), frequency, slowRandom,
                                         maxLength, slowPlaces, slowProgress, wholeCharacters);
    FUZZ_CHECK(done == slowDone);
    FUZZ_CHECK(text == slow);
    FUZZ_CHECK(places == slowPlaces);
    FUZZ_CHECK(fastNext == slowRandom.Next());
    CheckSameProgress(fastProgress, slowProgress);
    return 0;
}
