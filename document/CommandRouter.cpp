#include "document/CommandRouter.h"

#include <utility>

void CCommandMap::On(int id, CHandler handler, CUpdateHandler update)
{
    CEntry& entry = m_entries[id];
    entry.m_handler = std::move(handler);
    if (update)
        entry.m_update = std::move(update);
}

void CCommandMap::OnUpdate(int id, CUpdateHandler update)
{
    m_entries[id].m_update = std::move(update);
}

const CCommandMap::CHandler* CCommandMap::Handler(int id) const
{
    const auto found = m_entries.find(id);
    return found != m_entries.end() && found->second.m_handler ? &found->second.m_handler
                                                                : nullptr;
}

const CCommandMap::CUpdateHandler* CCommandMap::UpdateHandler(int id) const
{
    const auto found = m_entries.find(id);
    return found != m_entries.end() && found->second.m_update ? &found->second.m_update
                                                               : nullptr;
}

void CCommandRouter::AddTarget(const CCommandMap& map)
{
    m_targets.push_back(&map);
}

CCmdUI CCommandRouter::Update(int id) const
{
    CCmdUI state;
    for (const CCommandMap* target : m_targets) {
        if (const CCommandMap::CUpdateHandler* update = target->UpdateHandler(id)) {
            (*update)(state);
            return state;
        }
    }
    state.m_bEnabled = false;
    for (const CCommandMap* target : m_targets) {
        if (target->Handler(id)) {
            state.m_bEnabled = true;
            break;
        }
    }
    return state;
}

bool CCommandRouter::Execute(int id) const
{
    if (!Update(id).m_bEnabled)
        return false;
    for (const CCommandMap* target : m_targets) {
        if (const CCommandMap::CHandler* handler = target->Handler(id)) {
            (*handler)();
            return true;
        }
    }
    return false;
}
