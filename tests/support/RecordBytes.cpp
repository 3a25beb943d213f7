#include "RecordBytes.h"

namespace testing_support {
namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        bytes.push_back(static_cast<char>(nValue >> (8 * i) & 0xFF));
}

}  // namespace

std::string CountBytes(std::uint32_t nCount, CountForm form)
{
    std::string bytes;
    if (nCount < 0xFFFF && form == CountForm::shortest) {
        PutLittleEndian(bytes, nCount, 2);
    } else {
        PutLittleEndian(bytes, 0xFFFF, 2);
        PutLittleEndian(bytes, nCount, 4);
    }
    return bytes;
}

std::string EntryBytes(const std::vector<MovePoint>& entries)
{
    std::string bytes;
    bytes.reserve(8 * entries.size());
    for (const MovePoint entry : entries) {
        PutLittleEndian(bytes, static_cast<std::uint32_t>(entry.x), 4);
        PutLittleEndian(bytes, static_cast<std::uint32_t>(entry.y), 4);
    }
    return bytes;
}

std::string RecordBytes(const std::vector<MovePoint>& entries, CountForm form)
{
    return CountBytes(static_cast<std::uint32_t>(entries.size()), form) + EntryBytes(entries);
}

}  // namespace testing_support
