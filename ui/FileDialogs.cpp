#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "document/IPrompter.h"
#include "ui/TextCodec.h"

namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, const CFileDialogOptions& options,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, FromCp932(options.m_strTitle));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    QStringList filters;
    for (const CFileFilter& filter : options.m_filters)
        filters << FromCp932(filter.m_strName) + " (" + QString::fromStdString(filter.m_strPattern) + ")";
    dialog.setNameFilters(filters);
    // The names already show their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!options.m_strInitialPath.empty())
        dialog.selectFile(FromPath(options.m_strInitialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToPath(dialog.selectedFiles().constFirst());
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(QWidget* parent, const CFileDialogOptions& options)
{
    return RunFileDialog(parent, options, QFileDialog::AcceptOpen);
}

std::optional<std::string> ChooseFileToSave(QWidget* parent, const CFileDialogOptions& options)
{
    return RunFileDialog(parent, options, QFileDialog::AcceptSave);
}
