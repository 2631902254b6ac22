// Feeds arbitrary bytes to the common channel-list CSV reader, and checks
// that every channel it would store is one the rest of the program can use
// and that it never fills a bug-detector row.
#include "files/channel_list.h"
#include "model/code_page.h"
#include "model/value_tables.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static rz::ChannelTable table;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const int firstRow = size > 0 ? 1 + data[0] * 7 : 1;
    const rz::channellist::ImportResult result =
        rz::channellist::parseImport(rz::delimited::parse(bytes), table, firstRow);
    if (!result.outcome.ok && !result.rows.empty())
        __builtin_trap();
    for (const rz::channellist::PlacedRow& placed : result.rows) {
        const rz::ChannelRow& row = placed.channel;
        if (placed.row < 1 || placed.row > rz::channellist::LastImportRow || !row.inUse() ||
            !row.text(rz::ColFrequency).endsWith(QLatin1String("MHz")) ||
            rz::tables::stepText(row.codes.step) != row.text(rz::ColStep) ||
            row.codes.rxTone >= rz::tables::CtcssCount || row.codes.dcs >= rz::tables::DcsCount ||
            rz::cp932::byteLength(row.text(rz::ColName)) > 16)
            __builtin_trap();
    }
    return 0;
}
