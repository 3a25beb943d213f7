// The program's resources as the framework takes them: the string table, the
// icons, the main menu, keys and toolbar of res/.
#pragma once

#include "fw/core/ResourceDefs.h"

const CResourceSet& ClientResources();
