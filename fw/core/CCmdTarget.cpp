#include "CCmdTarget.h"

#include "CCmdUI.h"

#include <algorithm>

namespace {

const MessageMapEntry* FindEntry(const MessageMap* pMap, unsigned nID, bool bUpdate)
{
    for (; pMap; pMap = pMap->pBaseMap)
        for (const MessageMapEntry& entry : pMap->entries)
            if (entry.nID == nID && (bUpdate ? entry.pfnUpdate != nullptr : entry.pfnCommand != nullptr))
                return &entry;
    return nullptr;
}

}  // namespace

const MessageMap CCmdTarget::messageMap{nullptr, {}};

bool CCmdTarget::OnCommand(unsigned nID)
{
    const MessageMapEntry* pEntry = FindEntry(GetMessageMap(), nID, false);
    if (!pEntry)
        return false;
    pEntry->pfnCommand(this);
    return true;
}

bool CCmdTarget::HasCommandHandler(unsigned nID) const
{
    return FindEntry(GetMessageMap(), nID, false) != nullptr;
}

bool CCmdTarget::OnUpdateCommand(unsigned nID, CCmdUI* pCmdUI) const
{
    const MessageMapEntry* pEntry = FindEntry(GetMessageMap(), nID, true);
    if (!pEntry)
        return false;
    pEntry->pfnUpdate(this, pCmdUI);
    return true;
}

void UpdateCommandAlongRoute(const std::vector<const CCmdTarget*>& route, unsigned nID, CCmdUI& cmdUI,
                             std::optional<bool> bHandled)
{
    for (const CCmdTarget* pTarget : route)
        if (pTarget->OnUpdateCommand(nID, &cmdUI))
            return;
    cmdUI.Enable(bHandled.value_or(std::any_of(route.begin(), route.end(), [nID](const CCmdTarget* pTarget) {
        return pTarget->HasCommandHandler(nID);
    })));
}

namespace {

class CAvailabilityProbe : public CCmdUI {
public:
    void Enable(bool bOn) override { m_bEnabled = bOn; }

    bool m_bEnabled = false;
};

}  // namespace

bool IsCommandAvailable(const std::vector<const CCmdTarget*>& route, unsigned nID, std::optional<bool> bHandled)
{
    CAvailabilityProbe probe;
    UpdateCommandAlongRoute(route, nID, probe, bHandled);
    return probe.m_bEnabled;
}
