// A fixture that gives each test a folder of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace testing_support {

class TempFolderTest : public ::testing::Test {
protected:
    TempFolderTest();
    ~TempFolderTest() override;

    std::string PathOf(std::string_view name) const { return (m_dir / name).string(); }
    // The names of the files in the folder now.
    std::set<std::string> FilesInFolder() const;

    const std::filesystem::path m_dir;
};

}  // namespace testing_support
