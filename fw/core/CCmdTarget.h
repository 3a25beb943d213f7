// Command handling by numeric id. Each class that handles commands lists its
// handlers in one message map of its own: for a command id, a handler that
// runs the command and/or an update handler that decides whether the command
// is available. A map names its base class's map, so handlers are inherited.
//
// Handlers are member functions of the derived class stored as members of
// CCmdTarget (the classic message-map technique); ON_COMMAND and
// ON_UPDATE_COMMAND_UI do the one conversion, which is valid because every
// handler's class derives from CCmdTarget non-virtually.
#pragma once

#include <span>

class CCmdUI;
class CCmdTarget;

using CommandHandler = void (CCmdTarget::*)();
using UpdateHandler = void (CCmdTarget::*)(CCmdUI*) const;

struct MessageMapEntry {
    unsigned nID;
    CommandHandler pfnCommand = nullptr;
    UpdateHandler pfnUpdate = nullptr;
};

struct MessageMap {
    const MessageMap* pBaseMap;
    std::span<const MessageMapEntry> entries;
};

template <class T>
inline MessageMapEntry ON_COMMAND(unsigned nID, void (T::*pfn)())
{
    return {nID, static_cast<CommandHandler>(pfn), nullptr};
}

template <class T>
inline MessageMapEntry ON_UPDATE_COMMAND_UI(unsigned nID, void (T::*pfn)(CCmdUI*) const)
{
    return {nID, nullptr, static_cast<UpdateHandler>(pfn)};
}

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // The map of the object's class. A class with a map of its own defines a
    // static messageMap, whose pBaseMap is its base class's messageMap, and
    // returns it here.
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    static const MessageMap messageMap;  // empty

    // Runs this target's handler for nID; false when it has none.
    virtual bool OnCommand(unsigned nID);
    // Whether this target has a handler for nID.
    virtual bool HasCommandHandler(unsigned nID) const;
    // Calls this target's update handler for nID; false when it has none.
    virtual bool OnUpdateCommand(unsigned nID, CCmdUI* pCmdUI) const;
};
