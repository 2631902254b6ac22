#include "memory/channel_find.h"

#include "model/channel_table.h"

namespace rz::memory {

bool rowMatches(const ChannelTable& table, int row, const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || !table.inUse(row))
        return false;
    return table.text(row, ColName).contains(wanted, Qt::CaseInsensitive) ||
           table.text(row, ColFrequency).startsWith(wanted);
}

int findRow(const ChannelTable& table, const QString& text, int from, bool forward) {
    constexpr int Rows = ChannelTable::RowCount;
    for (int step = 1; step <= Rows; ++step) {
        const int offset = forward ? step : -step;
        const int row = ((from - 1 + offset) % Rows + Rows) % Rows + 1;
        if (rowMatches(table, row, text))
            return row;
    }
    return 0;
}

} // namespace rz::memory
