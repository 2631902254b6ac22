#pragma once
// The four channel transfers of the Memory tab: "Memory Read" (all 1721
// rows), "Memory Write" (every row with a frequency), "One Memory Read" and
// "One Memory Write" (the selected rows). Grid row r stands for the channel
// that the memory map gives for it, at that channel's address.
#include "link/operation.h"
#include <vector>

namespace rz {

class ChannelTable;

// The encoded record to send for a grid row.
struct RowRecord {
    int row = 0;
    QByteArray record;
};

// Failure limits, counted over the whole operation.
constexpr int ChannelReadFailureLimit = 30;
constexpr int ChannelWriteFailureLimit = 3;

class MemoryRead : public RegionOperation<232> {
public:
    using RegionOperation::RegionOperation;

protected:
    Outcome execute(Session& s) const override;
};

// The rows between the grid's current row and the other end of its
// selection, in either order.
class OneMemoryRead : public RegionOperation<MemoryRead::BusyCode> {
public:
    OneMemoryRead(Region region, int currentRow, int otherEnd);

protected:
    Outcome execute(Session& s) const override;

private:
    int first_;
    int last_;
};

// Writes the given rows (normally rowsToWrite(table)) after identifying the
// receiver and initialising its memory; rows not given are not sent.
class MemoryWrite : public RegionOperation<3> {
public:
    MemoryWrite(Region region, const std::vector<RowRecord>& rows);

protected:
    Outcome execute(Session& s) const override;

private:
    std::vector<QByteArray> records_; // by row; empty: nothing is sent
};

// Writes the selected rows (selectedRows(table, ...)), a row not in use as
// 64 zero bytes.
class OneMemoryWrite : public RegionOperation<230> {
public:
    OneMemoryWrite(Region region, std::vector<RowRecord> rows);

protected:
    Outcome execute(Session& s) const override;

private:
    std::vector<RowRecord> rows_;
};

// Inputs taken from the channel table on its own thread.
// Every row whose frequency text is not empty, with its record.
std::vector<RowRecord> rowsToWrite(const ChannelTable& table);
// The rows from one end of a selection to the other, in ascending order.
std::vector<RowRecord> selectedRows(const ChannelTable& table, int currentRow, int otherEnd);

} // namespace rz
