#ifndef CHIRPWELL_TESTS_ENGINE_ENGINETEST_H
#define CHIRPWELL_TESTS_ENGINE_ENGINETEST_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Converter.h"
#include "engine/Random.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/FixedClock.h"
#include "tests/fakes/RecordingProgress.h"

// Bytes written as hex digits, so that expected CP932 text never passes through a
// codec: Hex("82A0 41") is 0x82 0xA0 0x41. Spaces are only for reading.
inline std::string Hex(std::string_view digits)
{
    auto value = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] == ' ')
            continue;
        bytes += static_cast<char>(value(digits[i]) * 16 + value(digits[i + 1]));
        ++i;
    }
    return bytes;
}

// A display may be told the same percentage twice in a row or once; what must hold
// is the sequence of changes.
inline std::vector<int> Collapsed(const std::vector<int>& percents)
{
    std::vector<int> changes;
    for (int percent : percents) {
        if (changes.empty() || changes.back() != percent)
            changes.push_back(percent);
    }
    return changes;
}

// A converter on fakes; each test seeds the generator it needs.
class CEngineTest : public ::testing::Test {
protected:
    CFakeNotifier m_notifier;
    CFixedClock m_clock;
    CRandom m_random{m_clock};
    CConverter m_converter{m_notifier, m_random};
    CRecordingProgress m_progress;
};

#endif
