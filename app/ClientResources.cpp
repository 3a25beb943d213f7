#include "ClientResources.h"

#include "res/ResourceTables.h"
#include "res/StringTable.h"
#include "res/resource.h"

namespace {

// The main icon is also the about box's; the document icon is shown nowhere.
std::string_view IconPath(unsigned nID)
{
    return nID == IDR_MAINFRAME ? ":/images/icon.png" : std::string_view();
}

}  // namespace

const CResourceSet& ClientResources()
{
    static const CResourceSet resources{
        .pfnLoadString = &LoadResourceString,
        .pfnIconPath = &IconPath,
        .menu = MainMenu(),
        .accelerators = MainAccelerators(),
        .toolbar = {":/images/toolbar.png", TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT, MainToolbar()},
    };
    return resources;
}
