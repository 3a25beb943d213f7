// The archive over memory, and once over a real file to show that a file
// gives the archive the same bytes and the same count of bytes left.
#include "fw/core/CArchive.h"

#include "fw/core/CFile.h"
#include "fw/core/CMemFile.h"
#include "fw/core/FileException.h"

#include "support/FailingMemFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

using namespace std::string_literals;

// The bytes store writes through an archive.
std::string Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    CArchive ar(file, CArchive::store);
    store(ar);
    return file.GetBytes();
}

TEST(CArchiveTest, CountsBelow65535TakeTwoBytesAndLargerOnesSix)
{
    struct Case {
        std::uint32_t nCount;
        std::string bytes;
    };
    for (const Case& c : {Case{0, "\x00\x00"s}, Case{65534, "\xFE\xFF"s}, Case{65535, "\xFF\xFF\xFF\xFF\x00\x00"s},
                          Case{0xFFFFFFFF, "\xFF\xFF\xFF\xFF\xFF\xFF"s}}) {
        SCOPED_TRACE(c.nCount);
        EXPECT_EQ(Stored([&c](CArchive& ar) { ar.WriteCount(c.nCount); }), c.bytes);
        CMemFile file(c.bytes);
        CArchive ar(file, CArchive::load);
        EXPECT_EQ(ar.ReadCount(), c.nCount);
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
    }
}

TEST(CArchiveTest, EscapeBeforeASmallCountIsReadAsItStands)
{
    CMemFile file("\xFF\xFF\x02\x00\x00\x00"
                  "rest"s);
    CArchive ar(file, CArchive::load);
    EXPECT_EQ(ar.ReadCount(), 2u);
    EXPECT_EQ(ar.GetBytesLeft(), 4u);
}

TEST(CArchiveTest, ValuesAreStoredLeastSignificantByteFirst)
{
    const std::string bytes = "\x34\x12\xEF\xCD\xAB\x89"s;
    EXPECT_EQ(Stored([](CArchive& ar) { ar << std::uint16_t{0x1234} << std::uint32_t{0x89ABCDEF}; }), bytes);
    CMemFile file(bytes);
    CArchive ar(file, CArchive::load);
    std::uint16_t nShort = 0;
    std::uint32_t nLong = 0;
    ar >> nShort >> nLong;
    EXPECT_EQ(nShort, 0x1234);
    EXPECT_EQ(nLong, 0x89ABCDEFu);
}

// --- errors -----------------------------------------------------------------------------------

TEST(CArchiveTest, CountOrValueCutShortByTheEndOfTheFileThrows)
{
    for (const std::string& bytes : {""s, "\x07"s, "\xFF\xFF"s, "\xFF\xFF\x01\x00\x00"s}) {
        SCOPED_TRACE(bytes.size());
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load);
        try {
            ar.ReadCount();
            ADD_FAILURE() << bytes.size() << " bytes gave a count";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        }
    }
    CMemFile file("\x01\x02\x03"s);
    CArchive ar(file, CArchive::load);
    std::uint32_t nLong = 0;
    EXPECT_THROW(ar >> nLong, CArchiveException);
}

// A disk that fails must be reported as such, not as a record cut short.
TEST(CArchiveTest, FailureOfTheStreamPassesThroughAsTheStreamsOwnException)
{
    testing_support::FailingMemFile source("\xFF\xFF\x05\x00\x00\x00"s, 3);
    CArchive loading(source, CArchive::load);
    try {
        loading.ReadCount();
        ADD_FAILURE() << "read through the failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::hardIO);
    }

    testing_support::FailingMemFile sink(1);
    CArchive storing(sink, CArchive::store);
    try {
        storing.WriteCount(5);
        ADD_FAILURE() << "wrote through the failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
    }
}

// --- over a file ------------------------------------------------------------------------------

using CArchiveOnDiskTest = testing_support::TempFolderTest;

TEST_F(CArchiveOnDiskTest, ArchiveOverAFileReadsWhatItWroteAndCountsTheBytesLeftInTheFile)
{
    CFile out;
    out.Open(PathOf("values"), CFile::modeReplace);
    CArchive storing(out, CArchive::store);
    storing.WriteCount(70000);
    storing << std::uint32_t{7};
    out.Close();

    CFile in;
    in.Open(PathOf("values"), CFile::modeRead);
    CArchive ar(in, CArchive::load);
    EXPECT_EQ(ar.GetBytesLeft(), 10u);
    EXPECT_EQ(ar.ReadCount(), 70000u);
    EXPECT_EQ(ar.GetBytesLeft(), 4u);
    std::uint32_t nValue = 0;
    ar >> nValue;
    EXPECT_EQ(nValue, 7u);
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
    EXPECT_THROW(ar >> nValue, CArchiveException);
}

}  // namespace
