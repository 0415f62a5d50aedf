#include "ui/PrintService.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "document/WindowKeys.h"
#include "engine/IProfile.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

CPrintService::CPrintService(IProfile& profile) : m_profile(profile)
{
}

QPrinter& CPrintService::Printer()
{
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Room for the printer's own unprintable edge and for binding; the printer
        // set-up dialog changes it.
        m_pPrinter->setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
    }
    return *m_pPrinter;
}

void CPrintService::PrintWithDialog(QWidget* parent, const CPrintJob& job,
                                    const CPrintJob& selection)
{
    QPrintDialog dialog(&Printer(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !selection.m_strText.isEmpty());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool onlySelection = Printer().printRange() == QPrinter::Selection;
    if (!PrintText(onlySelection ? selection : job, Printer()))
        ReportFailure(parent);
}

bool CPrintService::PrintDirect(QWidget* parent, const CPrintJob& job)
{
    if (PrintText(job, Printer()))
        return true;
    ReportFailure(parent);
    return false;
}

void CPrintService::Preview(QWidget* parent, const CPrintJob& job)
{
    QPrintPreviewDialog dialog(&Printer(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&job](QPrinter* printer) { PrintText(job, *printer); });
    QPrintPreviewWidget* pages = dialog.findChild<QPrintPreviewWidget*>();
    const bool facing = ReadProfile(m_profile, kKeyPreviewPages) == 2;
    if (pages)
        pages->setViewMode(facing ? QPrintPreviewWidget::FacingPagesView
                                  : QPrintPreviewWidget::SinglePageView);
    dialog.resize(parent ? parent->size().expandedTo(QSize(640, 480)) : QSize(800, 600));
    dialog.exec();
    if (pages)
        WriteProfile(m_profile, kKeyPreviewPages,
                     pages->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
}

void CPrintService::PageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&Printer(), parent);
    dialog.exec();
}

void CPrintService::ReportFailure(QWidget* parent)
{
    ShowMessageBox(parent, Ui(kMsgPrintFailed));
}
