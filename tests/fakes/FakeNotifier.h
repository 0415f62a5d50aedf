#ifndef CHIRPWELL_TESTS_FAKES_FAKENOTIFIER_H
#define CHIRPWELL_TESTS_FAKES_FAKENOTIFIER_H

#include <string>
#include <vector>

#include "engine/INotifier.h"

// Collects the messages it is asked to show.
class CFakeNotifier : public INotifier {
public:
    void ShowMessage(const std::string& text) override { m_messages.push_back(text); }

    std::vector<std::string> m_messages;  // CP932
};

#endif
