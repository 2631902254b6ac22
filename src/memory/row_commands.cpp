#include "memory/row_commands.h"
#include "model/channel_table.h"
#include "model/memory_map.h"
#include <algorithm>

namespace rz::memory {

RowRange clearRange(int currentRow, int selectionEnd) {
    RowRange range{std::min(currentRow, selectionEnd), std::max(currentRow, selectionEnd)};
    range.first = std::max(range.first, 1);
    range.last = std::min(range.last, LastClearableRow);
    return range;
}

RowRange clearSelectedRows(ChannelTable& table, int currentRow, int selectionEnd) {
    const RowRange range = clearRange(currentRow, selectionEnd);
    if (!range.isEmpty())
        table.clearRows(range.first, range.last);
    return range;
}

void clearAllRows(ChannelTable& table, const std::function<void(int)>& progress) {
    table.beginUpdate();
    for (int row = 1; row <= LastClearableRow; ++row) {
        table.clearRow(row);
        if (progress)
            progress(row / 17);
    }
    table.endUpdate();
}

int dialogRow(int row) {
    if (row < 1 || memmap::isBugRow(row))
        return 0;
    const bool subRow = memmap::isDualRow(row) && (row - memmap::FirstDualRow) % 2 == 1;
    return subRow ? row - 1 : row;
}

int nextDialogRow(int row) {
    const int next = row + (memmap::isDualRow(row) ? 2 : 1);
    return std::min(next, memmap::ChannelCount);
}

int previousDialogRow(int row) {
    if (row <= 1)
        return 1;
    const bool pairStep = row >= memmap::FirstDualRow + 1 && row <= memmap::LastDualRow;
    return std::max(row - (pairStep ? 2 : 1), 1);
}

} // namespace rz::memory
