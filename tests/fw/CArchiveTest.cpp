#include "fw/core/CArchive.h"

#include "fw/core/CFile.h"
#include "fw/core/FileException.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

class CArchiveTest : public ::testing::Test {
protected:
    ~CArchiveTest() override
    {
        std::error_code ec;
        fs::remove(m_path, ec);
    }

    Bytes StoredCount(std::uint32_t nCount) const
    {
        CFile file;
        file.Open(m_path, CFile::modeReplace);
        CArchive(file, CArchive::store).WriteCount(nCount);
        file.Close();
        std::ifstream in(m_path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    // Opens file for loading, on a new file that holds bytes.
    CFile& OpenHolding(CFile& file, const Bytes& bytes) const
    {
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.Open(m_path, CFile::modeRead);
        return file;
    }

    const std::string m_path = (fs::temp_directory_path() / ("wxl-archive-" + std::to_string(getpid()))).string();
};

TEST_F(CArchiveTest, CountsBelow65535TakeTwoBytesAndLargerOnesSix)
{
    struct Case {
        std::uint32_t nCount;
        Bytes bytes;
    };
    for (const Case& c : {Case{0, {0x00, 0x00}}, Case{65534, {0xFE, 0xFF}},
                          Case{65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                          Case{0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}) {
        SCOPED_TRACE(c.nCount);
        EXPECT_EQ(StoredCount(c.nCount), c.bytes);
        CFile file;
        CArchive ar(OpenHolding(file, c.bytes), CArchive::load);
        EXPECT_EQ(ar.ReadCount(), c.nCount);
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
    }
}

TEST_F(CArchiveTest, CountOrValueCutShortByTheEndOfTheFileThrows)
{
    for (const Bytes& bytes : {Bytes{0x07}, Bytes{0xFF, 0xFF}, Bytes{0xFF, 0xFF, 0x01, 0x00, 0x00}}) {
        CFile file;
        CArchive ar(OpenHolding(file, bytes), CArchive::load);
        try {
            ar.ReadCount();
            ADD_FAILURE() << bytes.size() << " bytes gave a count";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        }
    }
    CFile file;
    CArchive ar(OpenHolding(file, {0x01, 0x02, 0x03}), CArchive::load);
    std::uint32_t nLong = 0;
    EXPECT_THROW(ar >> nLong, CArchiveException);
}

}  // namespace
