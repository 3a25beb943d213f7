// Replays the committed fuzz corpus and every crash reproducer through the
// fuzz entry points: each input must keep every rule they check.
#include "fuzz/FuzzInputs.h"
#include "record/MoveRecord.h"
#include "support/RecordBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = WEXLAN_FUZZ_DIR;

// The seed corpus and then the reproducers of one target, in name order.
std::vector<fs::path> InputsOf(const std::string& target)
{
    std::vector<fs::path> inputs;
    for (const char* folder : {"corpus", "regressions"}) {
        std::vector<fs::path> files;
        std::error_code ec;
        for (const auto& item : fs::directory_iterator(kFuzzDir / folder / target, ec))
            if (item.is_regular_file())
                files.push_back(item.path());
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return inputs;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The relative name shown when an input breaks a rule.
std::string NameOf(const fs::path& input)
{
    return input.lexically_relative(kFuzzDir).string();
}

TEST(FuzzRegression, EveryRecordFileLoadsOrIsRefusedAsTheFormatSaysAndRoundTrips)
{
    for (const fs::path& input : InputsOf("record_load")) {
        const std::vector<std::uint8_t> bytes = ReadBytes(input);
        EXPECT_EQ(RunRecordLoadInput(bytes.data(), bytes.size()), "") << NameOf(input);
    }
}

TEST(FuzzRegression, EverySessionKeepsTheDocumentSoundAfterEveryCommand)
{
    for (const fs::path& input : InputsOf("session")) {
        const std::vector<std::uint8_t> bytes = ReadBytes(input);
        EXPECT_EQ(RunSessionInput(bytes.data(), bytes.size()), "") << NameOf(input);
    }
}

TEST(FuzzRegression, EverySgfFileIsRefusedWithAReasonOrReadsBackAsItsExport)
{
    for (const fs::path& input : InputsOf("sgf")) {
        const std::vector<std::uint8_t> bytes = ReadBytes(input);
        EXPECT_EQ(RunSgfInput(bytes.data(), bytes.size()), "") << NameOf(input);
    }
}

TEST(FuzzRegression, EveryTargetHasItsSeedInputs)
{
    EXPECT_GE(InputsOf("record_load").size(), 30u);
    EXPECT_GE(InputsOf("session").size(), 10u);
    EXPECT_GE(InputsOf("sgf").size(), 6u);
}

// Too large for the fuzzers' input limit, so built here: the smallest record
// that needs the 32-bit count.
TEST(FuzzRegression, RecordOf65535EntriesRoundTripsInTheLongForm)
{
    std::vector<MovePoint> entries;
    for (int i = 0; i < 0xFFFF; ++i)
        entries.push_back({i % 19 + 1, i / 19 % 19 + 1});
    const std::string bytes = testing_support::RecordBytes(entries);
    EXPECT_EQ(RunRecordLoadInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "");
}

}  // namespace
