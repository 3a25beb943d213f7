// Replay commands asked for while an earlier one was still being computed,
// merged into the one jump that running them one after the other makes.
// Each command counts only where the menu would run it: stepping back at
// position 0, or forward at the record's end, does nothing, which keeping
// the target within the record gives.
#pragma once

#include "res/resource.h"

#include <algorithm>

class CMergedReplay {
public:
    // Where the merged commands lead, and whether one of them stepped back
    // (or went to the start), so that the position must be rebuilt rather
    // than played on from where it stands.
    struct Jump {
        int nTarget = 0;
        bool bRebuild = false;
    };

    bool IsEmpty() const { return !m_bAny; }

    // Adds nTimes runs of ID_STEP_BACK, ID_STEP_FORWARD, ID_GO_TO_START or
    // ID_GO_TO_END to the merged ones, in a record of nSize entries shown at
    // position nCurMove; the position counts only when nothing is merged yet.
    void Add(unsigned nID, int nTimes, int nCurMove, int nSize)
    {
        if (!m_bAny) {
            m_jump = {nCurMove, false};
            m_bAny = true;
        }
        int& nTarget = m_jump.nTarget;
        switch (nID) {
        case ID_STEP_BACK:
        case ID_GO_TO_START:
            if (nTarget > 0) {
                nTarget = nID == ID_GO_TO_START ? 0 : std::max(0, nTarget - nTimes);
                m_jump.bRebuild = true;
            }
            break;
        case ID_STEP_FORWARD:
            nTarget = nSize - nTarget > nTimes ? nTarget + nTimes : std::max(nTarget, nSize);
            break;
        case ID_GO_TO_END:
            nTarget = std::max(nTarget, nSize);
            break;
        default:
            break;
        }
    }

    // The merged jump, which is forgotten here.
    Jump Take()
    {
        m_bAny = false;
        return m_jump;
    }

    void Clear() { m_bAny = false; }

private:
    bool m_bAny = false;
    Jump m_jump;
};
