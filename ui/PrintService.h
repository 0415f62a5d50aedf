#ifndef CHIRPWELL_UI_PRINTSERVICE_H
#define CHIRPWELL_UI_PRINTSERVICE_H

#include <functional>
#include <memory>

#include <QPrinter>
#include <QString>

#include "ui/TextPrinter.h"

class IProfile;
class QWidget;

// The one printer set-up of the session, shared by printing, the preview and the
// printer set-up dialog, made when first used: setting up a printer loads the
// print system's plugin and asks it for printers, which start-up need not wait
// for. The profile must outlive it.
class CPrintService {
public:
    explicit CPrintService(IProfile& profile);
    CPrintService(const CPrintService&) = delete;
    CPrintService& operator=(const CPrintService&) = delete;

    // The print dialog, then the job (only the selection when the user asks and one
    // is given).
    void PrintWithDialog(QWidget* parent, const CPrintJob& job, const CPrintJob& selection);
    // Straight to the printer; false, after a message, when it cannot be started.
    bool PrintDirect(QWidget* parent, const CPrintJob& job);
    // The preview, showing one or two pages side by side as last time.
    void Preview(QWidget* parent, const CPrintJob& job);
    void PageSetup(QWidget* parent);

    // The printer itself: command-line printing names one, tests print to PDF.
    QPrinter& Printer();

private:
    void ReportFailure(QWidget* parent);

    IProfile& m_profile;
    std::unique_ptr<QPrinter> m_pPrinter;
};

#endif
