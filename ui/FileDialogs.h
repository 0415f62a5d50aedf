#ifndef CHIRPWELL_UI_FILEDIALOGS_H
#define CHIRPWELL_UI_FILEDIALOGS_H

#include <optional>
#include <string>

class QWidget;
struct CFileDialogOptions;

// The file dialogs the document and the settings dialog ask for; paths are
// file-system bytes. Nothing when the user cancels.
std::optional<std::string> ChooseFileToOpen(QWidget* parent, const CFileDialogOptions& options);
// Asks before replacing an existing file.
std::optional<std::string> ChooseFileToSave(QWidget* parent, const CFileDialogOptions& options);

#endif
