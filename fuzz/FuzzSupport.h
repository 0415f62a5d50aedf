#ifndef CHIRPWELL_FUZZ_FUZZSUPPORT_H
#define CHIRPWELL_FUZZ_FUZZSUPPORT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/Limits.h"
#include "engine/VectorPath.h"
#include "tests/fakes/RecordingProgress.h"

// What the fuzz targets share: parameters taken off the front of the input, a check
// that ends the run with a report, and the comparison with the literal forms.

[[noreturn]] inline void FuzzFail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

// Unlike assert, stays on in every build type.
#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzFail(#condition, __FILE__, __LINE__))

// The literal forms are quadratic; above this many bytes only the invariants are
// checked, so that a run stays fast.
inline constexpr std::size_t kLiteralMaxSize = 4096;

// Reads the input from the front; once it is used up every byte reads as 0.
class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size)
        : m_data(reinterpret_cast<const char*>(data), size)
    {
    }

    std::uint8_t TakeByte()
    {
        if (m_nAt == m_data.size())
            return 0;
        return static_cast<std::uint8_t>(m_data[m_nAt++]);
    }
    std::uint32_t TakeUint32()
    {
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k)
            value = value << 8 | TakeByte();
        return value;
    }
    std::string TakeBytes(std::size_t count)
    {
        count = std::min(count, m_data.size() - m_nAt);
        std::string bytes = m_data.substr(m_nAt, count);
        m_nAt += count;
        return bytes;
    }
    std::string Rest() { return TakeBytes(m_data.size() - m_nAt); }

private:
    std::string m_data;
    std::size_t m_nAt = 0;
};

// A frequency in percent from -10 to 110: below nothing, above everything.
inline int FrequencyFrom(std::uint8_t byte)
{
    return byte % 121 - 10;
}

// A room near the text's length, where the filters' limits bite, a roomy one, or
// the text limit (rarely: reserving it for every run slows the fuzzer down).
inline std::size_t RoomFrom(std::uint8_t byte, std::size_t length)
{
    if (byte == 0xFF)
        return kTextLimit;
    if (byte >= 0xC0)
        return length + 1024;
    const std::size_t room = length + byte % 24;
    return room >= 8 ? room - 8 : 0;
}

// A text as the view holds it has no zero byte.
inline std::string WithoutZeroBytes(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

// What a filter target runs on: a room byte, then the text.
struct CFilterInput {
    std::string m_strText;  // without zero bytes
    std::size_t m_nRoom;
};

inline CFilterInput TakeFilterInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const std::uint8_t roomByte = input.TakeByte();
    std::string text = WithoutZeroBytes(input.Rest());
    const std::size_t room = RoomFrom(roomByte, text.size());
    return {std::move(text), room};
}

inline void CheckPercentages(const CRecordingProgress& progress)
{
    for (const int percent : progress.m_positions)
        FUZZ_CHECK(percent >= 0 && percent <= 100);
}

// The engine leaves out a percentage equal to the one before; the literal form
// reports every visited position. Otherwise the calls must be the same.
inline void CheckSameProgress(const CRecordingProgress& fast, const CRecordingProgress& slow)
{
    std::vector<std::string> expected = slow.m_calls;
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    FUZZ_CHECK(fast.m_calls == expected);
}

using FilterFunction = bool (*)(std::string&, std::size_t, IProgress&);

// Runs the engine's filter on text on the portable path and on the vector one, which
// must agree, and, for texts small enough, the literal one on a copy, which must agree
// too; text holds the engine's result.
inline void RunFilterAgainstLiteral(FilterFunction engine, FilterFunction literal,
                                    std::string& text, std::size_t room)
{
    const std::string input = text;
    AllowVectorPath(false);
    std::string portable = input;
    CRecordingProgress portableProgress;
    FUZZ_CHECK(engine(portable, room, portableProgress));
    AllowVectorPath(true);
    CRecordingProgress fastProgress;
    FUZZ_CHECK(engine(text, room, fastProgress));
    FUZZ_CHECK(text == portable);
    FUZZ_CHECK(fastProgress.m_calls == portableProgress.m_calls);
    FUZZ_CHECK(fastProgress.m_captions.size() == 1);
    CheckPercentages(fastProgress);
    if (input.size() > kLiteralMaxSize)
        return;
    std::string slow = input;
    CRecordingProgress slowProgress;
    FUZZ_CHECK(literal(slow, room, slowProgress));
    FUZZ_CHECK(text == slow);
    CheckSameProgress(fastProgress, slowProgress);
}

// True when every byte of part appears in whole, in order.
inline bool IsSubsequence(const std::string& part, const std::string& whole)
{
    std::size_t at = 0;
    for (const char byte : whole) {
        if (at < part.size() && part[at] == byte)
            ++at;
    }
    return at == part.size();
}

#endif
