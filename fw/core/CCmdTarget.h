// Command handling by numeric id. Each class that handles commands lists its
// handlers in one message map of its own: for a command id, a handler that
// runs the command and/or an update handler that decides whether the command
// is available. A map names its base class's map, so handlers are inherited.
//
// An entry holds a small function that casts the target back to the
// handler's class and calls the member; ON_COMMAND and ON_UPDATE_COMMAND_UI
// write it, so a map reads as a list of ids and member functions.
#pragma once

#include <optional>
#include <span>
#include <vector>

class CCmdUI;
class CCmdTarget;

using CommandHandler = void (*)(CCmdTarget* pTarget);
using UpdateHandler = void (*)(const CCmdTarget* pTarget, CCmdUI* pCmdUI);

struct MessageMapEntry {
    unsigned nID;
    CommandHandler pfnCommand = nullptr;
    UpdateHandler pfnUpdate = nullptr;
};

struct MessageMap {
    const MessageMap* pBaseMap;
    std::span<const MessageMapEntry> entries;
};

namespace message_map_detail {

template <class>
struct HandlerClass;
template <class T>
struct HandlerClass<void (T::*)()> {
    using type = T;
};
template <class T>
struct HandlerClass<void (T::*)(CCmdUI*) const> {
    using type = T;
};

template <auto pfn>
constexpr MessageMapEntry CommandEntry(unsigned nID)
{
    using T = typename HandlerClass<decltype(pfn)>::type;
    return {nID, [](CCmdTarget* pTarget) { (static_cast<T*>(pTarget)->*pfn)(); }, nullptr};
}

template <auto pfn>
constexpr MessageMapEntry UpdateEntry(unsigned nID)
{
    using T = typename HandlerClass<decltype(pfn)>::type;
    return {nID, nullptr,
            [](const CCmdTarget* pTarget, CCmdUI* pCmdUI) { (static_cast<const T*>(pTarget)->*pfn)(pCmdUI); }};
}

}  // namespace message_map_detail

// A command handler: void Class::Handler().
#define ON_COMMAND(nID, pfn) message_map_detail::CommandEntry<pfn>(nID)
// An update handler: void Class::Handler(CCmdUI*) const.
#define ON_UPDATE_COMMAND_UI(nID, pfn) message_map_detail::UpdateEntry<pfn>(nID)

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

// Decides whether nID is available along route, the targets in the order a
// command reaches them, and tells cmdUI: the first target with an update
// handler for nID decides; where none has one, the command is available when
// it has a handler. By default that is a target along route; a caller that
// runs the command some other way says whether it does (bHandled).
void UpdateCommandAlongRoute(const std::vector<const CCmdTarget*>& route, unsigned nID, CCmdUI& cmdUI,
                             std::optional<bool> bHandled = std::nullopt);
// The availability alone, decided as UpdateCommandAlongRoute decides it.
bool IsCommandAvailable(const std::vector<const CCmdTarget*>& route, unsigned nID,
                        std::optional<bool> bHandled = std::nullopt);
