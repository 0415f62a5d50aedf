#include "ui/PrintCommands.h"

#include <QWidget>

#include "ui/PrintService.h"

CPrintCommands::CPrintCommands(QWidget& owner, CJobMaker makeJob)
    : m_owner(owner), m_makeJob(std::move(makeJob))
{
}

void CPrintCommands::Print() const
{
    if (m_pService)
        m_pService->PrintWithDialog(m_owner.window(), m_makeJob(false), m_makeJob(true));
}

void CPrintCommands::PrintDirect() const
{
    if (m_pService)
        m_pService->PrintDirect(m_owner.window(), m_makeJob(false));
}

void CPrintCommands::Preview() const
{
    if (m_pService)
        m_pService->Preview(m_owner.window(), m_makeJob(false));
}
