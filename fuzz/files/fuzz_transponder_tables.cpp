// Any bytes as a dvbv5 table (through libdvbv5), as a satellites.xml list
// and as a shared channel list. Nothing may crash or touch memory out of
// bounds, and whatever is accepted holds only plausible values.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/dvbv5_table.h"
#include "files/reference_list.h"
#include "files/satellites_xml.h"

#ifndef BRONDAVEL_TABLE_READER
#error "define BRONDAVEL_TABLE_READER as 0 (dvbv5), 1 (satellites.xml) or 2 (text list)"
#endif

namespace {

[[maybe_unused]] void CheckTable(const brondavel::TransponderTable& table) {
    for (const brondavel::TableTransponder& t : table.transponders)
        if (!brondavel::PlausibleTransponder(t.frequency, t.symbolRate) || t.fec > 7) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
#if BRONDAVEL_TABLE_READER == 0
    static const std::string path = "/tmp/fuzz-dvbv5-" + std::to_string(::getpid()) + "-1.0E";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    TransponderTable table;
    if (ReadDvbv5Table(path, table, error)) CheckTable(table);
#elif BRONDAVEL_TABLE_READER == 1
    std::vector<TransponderTable> tables;
    if (ParseSatellitesXml(text, tables, error))
        for (const TransponderTable& t : tables) CheckTable(t);
#else
    std::vector<ReferenceEntry> entries;
    if (ParseReferenceList(text, entries, error)) {
        std::vector<ReferenceEntry> again;
        if (!ParseReferenceList(FormatReferenceList(entries), again, error) ||
            again.size() != entries.size())
            std::abort();
    }
#endif
    return 0;
}
