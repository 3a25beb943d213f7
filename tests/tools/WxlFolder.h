// A folder of the test's own in which wxl is run on the files the test writes.
// WXL_PATH is the built wxl, which the test target names.
#pragma once

#include "support/RunTool.h"
#include "support/TempFolder.h"

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class WxlFolderTest : public testing_support::TempFolderTest {
protected:
    std::string WriteFile(std::string_view name, std::string_view bytes) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }

    static testing_support::ToolRun Wxl(const std::vector<std::string>& args)
    {
        return testing_support::RunTool(WXL_PATH, args);
    }
};
