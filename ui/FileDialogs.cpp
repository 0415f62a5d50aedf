#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "document/IPrompter.h"
#include "ui/TextCodec.h"

namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, const CFileDialogSpec& spec,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, FromCp932(spec.m_strTitle));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    QStringList filters;
    for (const CFileFilter& filter : spec.m_filters)
        filters << FromCp932(filter.m_strName) + " (" + QString::fromStdString(filter.m_strPattern) + ")";
    dialog.setNameFilters(filters);
    // The names already show their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!spec.m_strInitialPath.empty())
        dialog.selectFile(FromPath(spec.m_strInitialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToPath(dialog.selectedFiles().constFirst());
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(QWidget* parent, const CFileDialogSpec& spec)
{
    return RunFileDialog(parent, spec, QFileDialog::AcceptOpen);
}

std::optional<std::string> ChooseFileToSave(QWidget* parent, const CFileDialogSpec& spec)
{
    return RunFileDialog(parent, spec, QFileDialog::AcceptSave);
}
