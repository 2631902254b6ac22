#pragma once
// The common channel-list CSV that many radio programs and frequency
// directories read and write: a heading line naming the columns, one channel
// a line. Columns are found by name, so older files without the later
// columns read too. Export writes every channel in use; import maps each
// line onto the receiver's channel and passes it through the CSV import's
// checks, refusing the lines it cannot carry and telling every value it
// changed on the way.
#include "files/delimited_text.h"
#include "files/file_outcome.h"
#include "model/channel_table.h"
#include "model/memory_map.h"

#include <vector>

namespace rz::channellist {

enum Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    Urcall,
    Rpt1call,
    Rpt2call,
    Dvcode,
    ColumnCount
};

// The heading's names in the order export writes them.
const QStringList& columnNames();

// The rows an import may fill: never the bug-detector rows.
constexpr int LastImportRow = memmap::FirstBugRow - 1;

struct ExportResult {
    QStringList lines;        // the heading, then one line per channel in use
    QList<FileNotice> report; // a line per channel with codes the format has no place for
    int channels = 0;
};
ExportResult exportLines(const ChannelTable& table);
// Saves the export as UTF-8; the report comes back as the notices, the
// number of channels written in *channels.
FileOutcome exportFile(const QString& path, const ChannelTable& table, int* channels = nullptr);

struct PlacedRow {
    int row = 0; // grid row 1..LastImportRow
    ChannelRow channel;
};

struct ImportResult {
    FileOutcome outcome; // failure: not a channel list; success: notices list refusals and changes
    std::vector<PlacedRow> rows;
    int refused = 0; // lines that could not be carried
    int changed = 0; // lines stored with a value changed
};

// True when the heading line names at least the Frequency column.
bool isChannelList(const delimited::Table& table);
// Maps every line of the table onto rows firstRow, firstRow + 1, ... in
// file order; `current` gives what a row keeps (its label, its transmit
// tone). Nothing is changed.
ImportResult parseImport(const delimited::Table& table, const ChannelTable& current, int firstRow);
// Reads a file and parses it as above.
ImportResult importFile(const QString& path, const ChannelTable& current, int firstRow);
// Puts the placed rows into the table (their labels stay).
void applyImport(const ImportResult& result, ChannelTable& table);

// A name as a channel keeps it: at most 16 bytes of the code page, cut at a
// character; a character outside it (or a control character) becomes "?".
// *changed tells whether it differs from the name given.
QString receiverName(const QString& name, bool* changed);

// One report line: "Line 7: ..." or "Row 4: ...".
QString noticeText(const FileNotice& notice);
// The first `shown` report lines, one a line, and how many more there are:
// a message's detail.
QString reportText(const QList<FileNotice>& notices, int shown = 30);

} // namespace rz::channellist
