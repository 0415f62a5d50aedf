#ifndef CHIRPWELL_UI_PRINTCOMMANDS_H
#define CHIRPWELL_UI_PRINTCOMMANDS_H

#include <functional>

#include "ui/TextPrinter.h"

class CPrintService;
class QWidget;

// The view's three print commands: each hands the print service a job of the view's
// text, and the print dialog may take the selection's instead. Nothing is printed
// before a service is set; it must outlive this.
class CPrintCommands {
public:
    // makeJob gives the whole text, or the selected part when asked.
    using CJobMaker = std::function<CPrintJob(bool selectionOnly)>;

    CPrintCommands(QWidget& owner, CJobMaker makeJob);

    void SetService(CPrintService* service) { m_pService = service; }

    void Print() const;  // through the print dialog
    void PrintDirect() const;
    void Preview() const;

private:
    QWidget& m_owner;  // the dialogs stand over its window
    CJobMaker m_makeJob;
    CPrintService* m_pService = nullptr;
};

#endif
