#pragma once
// The channel table as comma-separated text: every field in double quotes,
// 14 fields a line, a heading line, then grid rows 1..1720. Importing reads
// the lines into a copy of the table (pass 1), checks every row against the
// value tables (pass 2) and changes the table only when the file was good.
#include "files/file_outcome.h"
#include "model/channel_table.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <vector>

namespace rz::csv {

constexpr int ProgressMaximum = 1721;
constexpr int ExportedRows = 1720; // the last bug-detector row is not exported
constexpr int ImportedRows = 1700; // the bug-detector rows are never imported
constexpr int FieldCount = 14;

// Called with the progress bar's value and maximum.
using Progress = std::function<void(int value, int maximum)>;

// The heading line with its quotes and commas removed, as the import
// expects it.
QString expectedHeading();

// The exported lines: the heading line, then grid rows 1..1720.
QStringList exportLines(const ChannelTable& table, const Progress& progress = {});
// Saves the export; "Save File" / "Finish" on success.
FileOutcome exportFile(const QString& path, const ChannelTable& table,
                       const Progress& progress = {});

struct ImportResult {
    FileOutcome outcome;
    std::vector<ChannelRow> rows; // the new rows 1..ImportedRows (index 0 unused); empty on failure
};

// Parses a whole CSV text against the current table without changing it.
ImportResult parseImport(const QByteArray& bytes, const ChannelTable& current,
                         const Progress& progress = {});
// Puts the rows of a successful import into the table (labels stay).
void applyImport(const ImportResult& result, ChannelTable& table);
// Reads, parses and, when the whole file is good, applies a CSV file;
// "Inport CSV File" / " Finish" on success, "CSV File Error" / " Error"
// otherwise, the table then unchanged.
FileOutcome importFile(const QString& path, ChannelTable& table, const Progress& progress = {});

// Pass 1's test of a frequency field ("145.5", "0.05000", "1299"): up to 4
// digits, optionally a point and 1 to 5 digits, from 0.05000 up to but not
// including 1300 MHz.
bool frequencyFieldAccepted(const QString& field);

// Pass 2 for one row: the row stays in use only when every column holds a
// text of its table; its codes follow the texts and its step is fitted. A
// row that fails is cleared; returns why, or an empty text.
QString checkRow(ChannelRow& row);

} // namespace rz::csv
