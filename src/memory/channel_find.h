#pragma once
// Finding a channel in the grid: a text matched against the names (without
// regard to case) and the frequencies ("145.5" finds 145.50000MHz).
#include <QString>

namespace rz {

class ChannelTable;

namespace memory {

// True when the row's name holds the text or its frequency starts with it.
bool rowMatches(const ChannelTable& table, int row, const QString& text);
// The next matching row after `from` (before it, backwards), wrapping round
// rows 1..1721; 0 when no row matches.
int findRow(const ChannelTable& table, const QString& text, int from, bool forward);

} // namespace memory
} // namespace rz
