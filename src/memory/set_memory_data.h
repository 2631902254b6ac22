#pragma once
// Storing the Memory Setting dialog's result into the channel table.
#include "memory/dialog_result.h"

namespace rz {

class ChannelTable;

// Stores the result into the current row and, for a dual-watch pair, the
// second set into the Sub row below it; then resets the record (the
// navigation code stays). In-use flags are the dialog's business and are
// left as they are, except where a row is cleared.
void Set_Memory_Data(DialogResult& result, ChannelTable& table, int currentRow);

} // namespace rz
