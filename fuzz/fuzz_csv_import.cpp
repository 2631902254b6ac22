// Feeds arbitrary bytes to the CSV import as the file's content, and checks
// that every row it would keep in use is one the rest of the program can use.
#include "files/csv_file.h"
#include "model/value_tables.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static rz::ChannelTable table;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const rz::csv::ImportResult result = rz::csv::parseImport(bytes, table);
    if (!result.outcome.ok) {
        if (!result.rows.empty())
            __builtin_trap();
        return 0;
    }
    if (result.rows.size() != size_t(rz::csv::ImportedRows + 1))
        __builtin_trap();
    for (int r = 1; r <= rz::csv::ImportedRows; ++r) {
        const rz::ChannelRow& row = result.rows[size_t(r)];
        if (!row.inUse())
            continue;
        if (!row.text(rz::ColFrequency).endsWith(QLatin1String("MHz")) ||
            rz::tables::stepText(row.codes.step) != row.text(rz::ColStep) ||
            row.codes.train >= rz::tables::TrainCount ||
            row.codes.rxTone >= rz::tables::CtcssCount || row.codes.dcs >= rz::tables::DcsCount)
            __builtin_trap();
    }
    return 0;
}
