// Saving and loading a record of a million entries through the document's own
// file paths and real files: write-then-replace with its flush on save, the
// count check, allocation and entry validation on load. Beside them, the same
// bytes moved by one read or one write system call, the floor those paths
// are measured against: a read into new memory, as a load needs, and a
// write of a new file, alone and with the flush to the disk a save makes.
#include "GameRecords.h"
#include "record/ClientDoc.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
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
    doc.LoadRecord(MillionEntries());
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
    doc.LoadRecord(MillionEntries());
    if (path.empty() || !doc.OnSaveDocument(path)) {
        state.SkipWithError("cannot write the record to load");
        return;
    }
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path) || doc.GetMoves().GetSize() != kEntries) {
            state.SkipWithError("the record did not load whole");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}
BENCHMARK(BM_LoadRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bytes of the million-entry record as the document saves them.
const std::string& MillionEntryBytes()
{
    static const std::string bytes = [] {
        const std::string path = BenchFolder().PathOf("bytes.wxl");
        CClientDoc doc;
        doc.LoadRecord(MillionEntries());
        if (path.empty() || !doc.OnSaveDocument(path))
            return std::string();
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

void WriteRawBytes(benchmark::State& state, bool bSync)
{
    const std::string path = BenchFolder().PathOf("raw-write.wxl");
    const std::string& bytes = MillionEntryBytes();
    if (path.empty() || static_cast<std::int64_t>(bytes.size()) != kFileBytes) {
        state.SkipWithError("cannot make the record's bytes");
        return;
    }
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool bWritten = fd >= 0 && write(fd, bytes.data(), bytes.size()) == kFileBytes;
        const bool bSynced = bWritten && (!bSync || fsync(fd) == 0);
        if (fd < 0 || close(fd) != 0 || !bSynced) {
            state.SkipWithError("cannot write the bytes");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void BM_WriteRawBytes(benchmark::State& state)
{
    WriteRawBytes(state, false);
}
BENCHMARK(BM_WriteRawBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteRawBytesAndSync(benchmark::State& state)
{
    WriteRawBytes(state, true);
}
BENCHMARK(BM_WriteRawBytesAndSync)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadRawBytes(benchmark::State& state)
{
    const std::string path = BenchFolder().PathOf("bytes.wxl");  // written by MillionEntryBytes
    if (static_cast<std::int64_t>(MillionEntryBytes().size()) != kFileBytes) {
        state.SkipWithError("cannot write the bytes to read");
        return;
    }
    for (auto _ : state) {
        const std::unique_ptr<char[]> pBuffer(new char[kFileBytes]);
        const int fd = open(path.c_str(), O_RDONLY);
        const bool bRead = fd >= 0 && read(fd, pBuffer.get(), kFileBytes) == kFileBytes;
        if (fd < 0 || close(fd) != 0 || !bRead) {
            state.SkipWithError("cannot read the bytes");
            break;
        }
        benchmark::DoNotOptimize(pBuffer.get());
    }
    state.SetBytesProcessed(state.iterations() * kFileBytes);
}
BENCHMARK(BM_ReadRawBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
