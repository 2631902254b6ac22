#pragma once
// The clone file's channel lines: "CH", the entry index, then fixed-width
// fields (frequency, the file's own mode code, step, train tone, the file's
// own tone-type code, both tones, DCS, the file's own shift code, offset,
// skip) and the name to the end of the line.
#include "files/clone_section.h"
#include "model/channel_table.h"

#include <vector>

namespace rz::clone {

constexpr int ChannelLineMinimum = 40;     // a channel without a name ends at position 40
constexpr int NameByteLimit = 32;          // bytes in the code page
constexpr int EntriesClearedByOpen = 1700; // entries 1700..1720 are kept by an open

// The name as saved: no line ends inside it, and no more bytes than a reader
// takes back (the receiver holds 16 characters, at most 32 bytes, anyway).
QString savedName(const QString& name);

// The "CH" line of entry e (grid row e + 1) of the table.
QString FormatChannelLine(const ChannelTable& table, int entry);
QString FormatChannelLine(const ChannelRow& row, int entry);

// Reads one "CH" line into rows (indexed by grid row 1..1721). A line that
// fails leaves the rows unchanged; a name over 32 bytes leaves the entry's
// name empty and its in-use flag as it was (the other fields are taken).
LineResult ParseChannelLine(const QString& line, std::vector<ChannelRow>& rows);

class ChannelSection : public CloneSection {
public:
    explicit ChannelSection(ChannelTable& table) : table_(table) {}

    QStringList lines() const override;
    void begin() override;
    bool claims(const QString& line) const override;
    LineResult read(const QString& line) override;
    void commit() override;

private:
    ChannelTable& table_;
    std::vector<ChannelRow> pending_; // grid rows 1..1721, index 0 unused
};

} // namespace rz::clone
