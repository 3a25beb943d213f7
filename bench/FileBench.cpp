// Saving and loading a record of a million entries through the document's own
// file paths and real files: write-then-replace with its flush on save, the
// count check, allocation and entry validation on load.
#include "GameRecords.h"
#include "record/ClientDoc.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 1'000'000;
constexpr std::int64_t kFileBytes = 6 + 8 * std::int64_t{kEntries};  // the 32-bit count form

// A folder of its own under the system's temporary folder, removed at exit.
class CBenchFolder {
public:
    CBenchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "wxl_bench.XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;
    ~CBenchFolder()
    {
        std::error_code ec;
        if (!m_path.empty())
            fs::remove_all(m_path, ec);
    }

    // Empty when the folder could not be made.
    std::string PathOf(const std::string& name) const { return m_path.empty() ? "" : (m_path / name).string(); }

private:
    fs::path m_path;
};

const CBenchFolder& BenchFolder()
{
    static const CBenchFolder folder;
    return folder;
}

const MoveRecord& MillionEntries()
{
    static const MoveRecord record = MakeEntryMix(kEntries, 0xF11E);
    return record;
}

void BM_SaveRecord(benchmark::State& state)
{
    const std::string path = BenchFolder().PathOf("save.wxl");
    CClientDoc doc;
    doc.m_moves = MillionEntries();
    for (auto _ : state) {
        if (path.empty() || !doc.OnSaveDocument(path)) {
            state.SkipWithError("cannot save into the temporary folder");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}
BENCHMARK(BM_SaveRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadRecord(benchmark::State& state)
{
    const std::string path = BenchFolder().PathOf("load.wxl");
    CClientDoc doc;
    doc.m_moves = MillionEntries();
    if (path.empty() || !doc.OnSaveDocument(path)) {
        state.SkipWithError("cannot write the record to load");
        return;
    }
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path) || doc.m_moves.GetSize() != kEntries) {
            state.SkipWithError("the record did not load whole");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}
BENCHMARK(BM_LoadRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
