// Keeps the memory one replay frees for the next instead of handing it back
// to the system. Otherwise whether a replay's memory comes back from the
// system as fresh pages, which the kernel must zero on first touch, depends on
// the allocator's thresholds, and those move with whatever was freed before:
// the same record then times several times slower in one run than in the
// next, and a record twice as long can cross a threshold and look as if its
// replay grew twelvefold. With this, every timed run after the first finds
// its memory mapped, and the minimum of the runs measures replay itself.
// Memory that grows faster than the record still shows: it is written.
#pragma once

#include <climits>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

inline void KeepFreedMemory()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);  // the largest glibc accepts
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
}
