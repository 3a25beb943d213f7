#include "res/ResourceTables.h"

#include "res/resource.h"

namespace {

// 17 buttons over the 17 image cells of bitmap IDR_MAINFRAME, left to right.
constexpr ToolbarButtonDef kMainToolbar[] = {
    {ID_FILE_NEW},
    {ID_FILE_OPEN},
    {ID_FILE_SAVE},
    {ID_SEPARATOR},
    {ID_EDIT_CUT},
    {ID_EDIT_COPY},
    {ID_EDIT_PASTE},
    {ID_SEPARATOR},
    {ID_FILE_PRINT},
    {ID_SEPARATOR},
    {ID_APP_ABOUT},
    {ID_GO_TO_START},
    {ID_STEP_BACK},
    {ID_STEP_FORWARD},
    {ID_GO_TO_END},
    {ID_SHOW_LAST10},
    {ID_SHOW_ALL},
    {ID_BUTTON32783},
    {ID_PASS},
    {ID_DEFINE_BOMB},
};

}  // namespace

std::span<const ToolbarButtonDef> MainToolbar()
{
    return kMainToolbar;
}
