#ifndef CHIRPWELL_TESTS_FAKES_RECORDINGPROGRESS_H
#define CHIRPWELL_TESTS_FAKES_RECORDINGPROGRESS_H

#include <string>
#include <vector>

#include "engine/IProgress.h"

// Records every call in order: captions as "caption:TEXT", positions as their number.
class CRecordingProgress : public IProgress {
public:
    void SetCaption(const std::string& caption) override
    {
        m_captions.push_back(caption);
        m_calls.push_back("caption:" + caption);
    }
    void SetPosition(int percent) override
    {
        m_positions.push_back(percent);
        m_calls.push_back(std::to_string(percent));
    }

    std::vector<std::string> m_captions;  // CP932
    std::vector<int> m_positions;
    std::vector<std::string> m_calls;
};

#endif
