// Writes one of the benchmark records as a .wxl file, through the document's
// own save, for the whole-process timings of bench/whole-process.sh:
//
//   write_record played N FILE   a game as play would produce it (N entries,
//                                about one pass and one bomb in a hundred)
//   write_record mix N FILE      stones on random points with the same share
//                                of passes and bombs, made without replay, so
//                                that a million entries take a moment
//   write_record FAMILY N FILE   the first N entries of a hostile family
//                                (HostileRecords.h), e.g. CornerCycle, for
//                                what a file manager's thumbnail must survive
#include "GameRecords.h"
#include "HostileRecords.h"
#include "record/ClientDoc.h"

#include <charconv>
#include <algorithm>
#include <iostream>
#include <string_view>

namespace {

const HostileFamily* FindFamily(std::string_view name)
{
    const auto families = HostileFamilies();
    const auto found = std::find_if(families.begin(), families.end(),
                                    [&](const HostileFamily& family) { return family.name == name; });
    return found == families.end() ? nullptr : &*found;
}

}  // namespace

int main(int argc, char** argv)
{
    int nEntries = 0;
    const std::string_view count = argc == 4 ? argv[2] : "";
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), nEntries);
    const std::string_view kind = argc == 4 ? argv[1] : "";
    const HostileFamily* pFamily = FindFamily(kind);
    if (error != std::errc() || end != count.data() + count.size() || nEntries < 0
        || (kind != "played" && kind != "mix" && !pFamily)) {
        std::cerr << "usage: write_record played|mix|FAMILY N FILE\nfamilies:";
        for (const HostileFamily& family : HostileFamilies())
            std::cerr << ' ' << family.name;
        std::cerr << '\n';
        return 2;
    }
    CClientDoc doc;
    if (pFamily)
        doc.LoadRecord(pFamily->make(nEntries));
    else if (kind == "played")
        doc.LoadRecord(MakePlayedRecord(nEntries, nEntries / 100, nEntries / 100, 0x60'0000 + nEntries));
    else
        doc.LoadRecord(MakeEntryMix(nEntries, 0xF11E));
    return doc.OnSaveDocument(argv[3]) ? 0 : 1;
}
