// What one `wxl thumbnail` may cost. File managers run it on every record
// they show, downloaded ones included, and wait for it: whatever the file
// holds, the command ends within about 5 s and 256 MB, and a record past the
// budget gets no picture (a non-zero status, no OUT), so that the file
// manager shows its generic icon.
#pragma once

#include <cstddef>

// The longest record drawn. Real games hold hundreds of entries; replaying a
// million of the most costly shapes known (bench/HostileRecords.h) takes
// under a second and about 90 MB.
inline constexpr int kThumbnailMaxEntries = 1'000'000;

// The processor time after which the command is stopped, whatever it is
// doing: a backstop for a replay slower than the entry budget expects.
inline constexpr unsigned kThumbnailCpuSeconds = 4;

// The address space the command may hold: beyond it an allocation fails and
// the command ends as out of memory. Loading the record comes before its
// length can be checked, so this bounds a long one.
inline constexpr std::size_t kThumbnailAddressSpace = std::size_t{256} << 20;

// Puts the two limits above on this process (never raising one already
// lower) and makes running out of processor time end it with kExitFailed
// and a message. The address space is left alone under AddressSanitizer,
// which reserves terabytes of it for its own bookkeeping.
void LimitThumbnailProcess();
