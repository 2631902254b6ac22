// Feeds arbitrary text to the grid's paste as the clipboard would hold it
// (tab-separated rows or the common channel-list CSV), and checks that every
// row it would store is a channel the rest of the program can use, never in
// a bug-detector row.
#include "memory/row_clipboard.h"
#include "model/channel_table.h"
#include "model/value_tables.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static rz::ChannelTable table;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const int firstRow = size > 0 ? 1 + data[0] * 7 : 1;
    const rz::channellist::ImportResult result = rz::memory::parsePaste(text, table, firstRow);
    for (const rz::channellist::PlacedRow& placed : result.rows) {
        const rz::ChannelRow& row = placed.channel;
        if (placed.row < 1 || placed.row > rz::channellist::LastImportRow)
            __builtin_trap();
        if (!row.inUse())
            continue; // an empty pasted row clears its row
        if (!row.text(rz::ColFrequency).endsWith(QLatin1String("MHz")) ||
            rz::tables::stepText(row.codes.step) != row.text(rz::ColStep) ||
            row.codes.rxTone >= rz::tables::CtcssCount || row.codes.dcs >= rz::tables::DcsCount ||
            row.codes.txTone >= rz::tables::CtcssCount ||
            row.text(rz::ColName).contains(QLatin1Char('\n')))
            __builtin_trap();
    }
    return 0;
}
