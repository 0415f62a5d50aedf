#ifndef CHIRPWELL_TESTS_ENGINE_ENGINETEST_H
#define CHIRPWELL_TESTS_ENGINE_ENGINETEST_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/Hex.h"
#include "tests/fakes/RecordingProgress.h"

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
