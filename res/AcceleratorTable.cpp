#include "res/ResourceTables.h"

#include "res/resource.h"

namespace {

// Virtual-key codes; a letter's code is its capital's character code.
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_F6 = 0x75;

constexpr unsigned KEY = FVIRTKEY | FNOINVERT;

// Only Ctrl+D reaches a game command; the step commands have no keys, and the
// Edit keys reach commands nobody handles, so they do nothing.
constexpr AcceleratorDef kMainAccelerators[] = {
    {KEY | FCONTROL, 'C', ID_EDIT_COPY},
    {KEY | FCONTROL, 'D', ID_DEFINE_BOMB},
    {KEY | FCONTROL, 'N', ID_FILE_NEW},
    {KEY | FCONTROL, 'O', ID_FILE_OPEN},
    {KEY | FCONTROL, 'P', ID_FILE_PRINT},
    {KEY | FCONTROL, 'S', ID_FILE_SAVE},
    {KEY | FCONTROL, 'V', ID_EDIT_PASTE},
    {KEY | FALT, VK_BACK, ID_EDIT_UNDO},
    {KEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {KEY, VK_F6, ID_NEXT_PANE},
    {KEY | FSHIFT, VK_F6, ID_PREV_PANE},
    {KEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {KEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {KEY | FCONTROL, 'X', ID_EDIT_CUT},
    {KEY | FCONTROL, 'Z', ID_EDIT_UNDO},
};

}  // namespace

std::span<const AcceleratorDef> MainAccelerators()
{
    return kMainAccelerators;
}
