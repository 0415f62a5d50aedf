#include "ui/Prompter.h"

#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/SettingsDialog.h"
#include "ui/TextCodec.h"

void CPrompter::ShowMessage(const std::string& text)
{
    ShowMessageBox(m_pParent, FromCp932(text, m_pCodec));
}

bool CPrompter::AskYesNo(const std::string& text)
{
    return ShowMessageBox(m_pParent, FromCp932(text, m_pCodec), EMessageButtons::YesNo);
}

std::optional<std::string> CPrompter::ChooseFileToOpen(const CFileDialogOptions& options)
{
    return ::ChooseFileToOpen(m_pParent, options);
}

std::optional<std::string> CPrompter::ChooseFileToSave(const CFileDialogOptions& options)
{
    return ::ChooseFileToSave(m_pParent, options);
}

bool CPrompter::RunSettingsDialog(CSettingsValues& values, CConverter& converter)
{
    CSettingsDialog dialog(values, converter, *this, m_pParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}
