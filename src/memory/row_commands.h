#pragma once
// The Memory tab's commands on grid rows that do not need a window: which
// rows "Clear" and Delete empty, "All Clear", and where the Memory Setting
// dialog opens and moves to. Rows are grid rows, 1..1721.
#include "model/memory_map.h"
#include <functional>

namespace rz {

class ChannelTable;

namespace memory {

// Rows that "Clear" may empty: the bug-detector rows are never cleared.
constexpr int LastClearableRow = memmap::FirstBugRow - 1;

struct RowRange {
    int first = 0;
    int last = -1;
    bool isEmpty() const { return last < first; }
};

// The rows a clear empties for a selection from currentRow to selectionEnd.
RowRange clearRange(int currentRow, int selectionEnd);
// Empties those rows; returns what was cleared.
RowRange clearSelectedRows(ChannelTable& table, int currentRow, int selectionEnd);

// Empties rows 1..1700, reporting row / 17 (0..100) as it goes.
void clearAllRows(ChannelTable& table, const std::function<void(int)>& progress = {});

// The row the dialog edits when opened on row: the Main row of a dual-watch
// pair for its Sub row; 0 for a bug-detector row, which cannot be edited.
int dialogRow(int row);
// Where "NEXT>>" and "<<BACK" move from the row the dialog edited.
int nextDialogRow(int row);
int previousDialogRow(int row);

} // namespace memory
} // namespace rz
