#include "CCmdTarget.h"

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
