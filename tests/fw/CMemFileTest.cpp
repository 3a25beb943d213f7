#include "fw/core/CMemFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CMemFileTest, ReadsComeUpShortOnlyAtTheEndOfTheBytes)
{
    CMemFile file(std::string("ab\0de", 5));
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), std::string("ab\0", 3));
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "de");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.Read(nullptr, 0), 0u);
    EXPECT_EQ(file.GetPosition(), 5u);
    EXPECT_EQ(file.GetLength(), 5u);
}

TEST(CMemFileTest, WritesReplaceTheBytesAtThePositionAndThenExtendThem)
{
    CMemFile file("abcde");
    char buffer[2];
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 2u);
    file.Write("XYZW", 4);
    file.Write(nullptr, 0);
    EXPECT_EQ(file.GetBytes(), "abXYZW");
    EXPECT_EQ(file.GetPosition(), 6u);
    EXPECT_EQ(file.GetLength(), 6u);
}

}  // namespace
