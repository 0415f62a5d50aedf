#ifndef CHIRPWELL_TESTS_FAKES_FAKEPROMPTER_H
#define CHIRPWELL_TESTS_FAKES_FAKEPROMPTER_H

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/IPrompter.h"
#include "document/SettingsValues.h"

// Answers every dialog from a queue the test fills and records what it was shown.
// A dialog the test did not expect (its queue is empty) fails the test and is
// answered No, Cancel or nothing.
class CFakePrompter : public IPrompter {
public:
    // What the settings dialog does while it runs: may change the values and press
    // the load button on the converter; true for OK.
    using CSettingsAnswer = std::function<bool(CSettingsValues&, CConverter&)>;

    void ShowMessage(const std::string& text) override
    {
        m_messages.push_back(text);
        m_dialogue.push_back("message:" + text);
        if (m_onMessage)
            m_onMessage(text);
    }
    bool AskYesNo(const std::string& text) override
    {
        m_questions.push_back(text);
        m_dialogue.push_back("question:" + text);
        if (m_yesNoAnswers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return false;
        }
        const bool answer = m_yesNoAnswers.front();
        m_yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseFileToOpen(const CFileDialogOptions& options) override
    {
        m_openDialogs.push_back(options);
        return Next(m_openAnswers, "open");
    }
    std::optional<std::string> ChooseFileToSave(const CFileDialogOptions& options) override
    {
        m_saveDialogs.push_back(options);
        return Next(m_saveAnswers, "save");
    }
    bool RunSettingsDialog(CSettingsValues& values, CConverter& converter) override
    {
        m_settingsShown.push_back(values);
        m_dialogue.push_back("settings");
        if (m_settingsAnswers.empty()) {
            ADD_FAILURE() << "unexpected settings dialog";
            return false;
        }
        const CSettingsAnswer answer = m_settingsAnswers.front();
        m_settingsAnswers.pop_front();
        return answer(values, converter);
    }

    // A settings dialog that is closed at once with OK (true) or Cancel.
    void QueueSettings(bool ok)
    {
        m_settingsAnswers.push_back([ok](CSettingsValues&, CConverter&) { return ok; });
    }

    std::vector<std::string> m_messages;   // CP932
    std::vector<std::string> m_questions;  // CP932
    std::vector<std::string> m_dialogue;   // both, in order, as "message:" or "question:"
    std::vector<CFileDialogOptions> m_openDialogs;
    std::vector<CFileDialogOptions> m_saveDialogs;
    std::vector<CSettingsValues> m_settingsShown;  // the values each dialog opened with

    std::deque<bool> m_yesNoAnswers;
    std::deque<std::optional<std::string>> m_openAnswers;
    std::deque<std::optional<std::string>> m_saveAnswers;
    std::deque<CSettingsAnswer> m_settingsAnswers;
    std::function<void(const std::string&)> m_onMessage;  // runs as a message is shown

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers,
                                           const char* dialog)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

#endif
