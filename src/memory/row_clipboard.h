#pragma once
// Grid rows as a spreadsheet exchanges them: the twelve grid columns of a
// row as tab-separated cells, one row a line. Pasted text is either such
// rows or the common channel-list CSV with its heading; each pasted row
// passes the CSV import's checks, and the bug-detector rows take none.
#include "files/channel_list.h"
#include "memory/row_commands.h"

namespace rz {

class ChannelTable;

namespace memory {

constexpr int CopiedColumns = 12; // grid columns 1..12

// Rows first..last as text, the cells as the grid shows them.
QString copyRows(const ChannelTable& table, RowRange rows);

// What a paste at firstRow would store, row by row, without changing the
// table; an empty row (every cell empty) clears its row. The notices name
// each refused and changed line.
channellist::ImportResult parsePaste(const QString& text, const ChannelTable& table, int firstRow);

} // namespace memory
} // namespace rz
