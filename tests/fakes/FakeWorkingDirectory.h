#ifndef CHIRPWELL_TESTS_FAKES_FAKEWORKINGDIRECTORY_H
#define CHIRPWELL_TESTS_FAKES_FAKEWORKINGDIRECTORY_H

#include <functional>
#include <string>
#include <vector>

#include "document/IWorkingDirectory.h"

// Records the directories it is asked to enter and answers as the test sets; the
// process's own directory is never changed.
class CFakeWorkingDirectory : public IWorkingDirectory {
public:
    bool Set(const std::string& path) override
    {
        m_paths.push_back(path);
        if (m_onSet)
            m_onSet(path);
        return m_bAnswer;
    }

    std::vector<std::string> m_paths;
    bool m_bAnswer = true;
    std::function<void(const std::string&)> m_onSet;  // runs before the answer
};

#endif
