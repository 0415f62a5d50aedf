#ifndef CHIRPWELL_DOCUMENT_IPROMPTER_H
#define CHIRPWELL_DOCUMENT_IPROMPTER_H

#include <optional>
#include <string>
#include <vector>

#include "engine/INotifier.h"

class CConverter;
struct CSettingsValues;

// One choice of a file dialog's type list, as "name" and a pattern such as "*.grn".
struct CFileFilter {
    std::string m_strName;  // CP932
    std::string m_strPattern;
};

struct CFileDialogOptions {
    std::string m_strTitle;  // CP932
    std::vector<CFileFilter> m_filters;
    std::string m_strInitialPath;  // file-system bytes; may be empty
};

// The dialogs the document asks the user through. Every box has the caption
// "Chirpwell" and the warning icon; texts are CP932, paths file-system bytes.
class IPrompter : public INotifier {
public:
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The full path of an existing file, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const CFileDialogOptions& options) = 0;
    // The full path to save to (the dialog asks before replacing a file), or nothing.
    virtual std::optional<std::string> ChooseFileToSave(const CFileDialogOptions& options) = 0;
    // Runs the settings dialog on values; its load button loads smile files into
    // converter at once. True when it ended with OK, values then holding the
    // entered ones.
    virtual bool RunSettingsDialog(CSettingsValues& values, CConverter& converter) = 0;
};

#endif
