// The .wxl file: the record and nothing else.
//
//   count   the archive's element count: u16, or u16 0xFFFF then u32
//   entries count x { i32 x, i32 y }, little-endian, no gaps
//
// Bytes after the last entry are ignored. A record is kept only when the
// whole of it is sound: the entries the count announces are all present, and
// each is a board point or one of the two marks; otherwise loading throws
// CArchiveException and allocates only in proportion to what the file holds.
#pragma once

#include "record/MoveRecord.h"

class CArchive;

// Stores moves, or loads a record into moves (replacing it only on success).
// The archive may be over a file or over memory; a failure of the stream
// itself (CFileException) passes through and leaves moves as they were too.
void SerializeRecord(CArchive& ar, MoveRecord& moves);
