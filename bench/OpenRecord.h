// A document holding a record as a file's load leaves it: the whole record,
// the position at its start, nothing replayed yet. The hostile-record
// benchmarks and the search hand records to documents only through here, so
// that a change in how a document takes its record is made in one place.
#pragma once

#include "record/ClientDoc.h"

#include <memory>

inline std::unique_ptr<CClientDoc> OpenRecord(const MoveRecord& record)
{
    auto doc = std::make_unique<CClientDoc>();
    doc->LoadRecord(record);
    return doc;
}
