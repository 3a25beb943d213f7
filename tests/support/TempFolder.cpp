#include "TempFolder.h"

#include <stdlib.h>

namespace testing_support {
namespace {

std::filesystem::path MakeFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wexlan-test.XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

}  // namespace

TempFolderTest::TempFolderTest() : m_dir(MakeFolder())
{
}

TempFolderTest::~TempFolderTest()
{
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

std::set<std::string> TempFolderTest::FilesInFolder() const
{
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(m_dir))
        names.insert(item.path().filename().string());
    return names;
}

}  // namespace testing_support
