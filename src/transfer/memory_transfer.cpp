#include "transfer/memory_transfer.h"

#include "model/channel_record.h"
#include "model/channel_table.h"
#include "model/memory_map.h"

#include <algorithm>

namespace rz {

namespace {

constexpr int Rows = memmap::ChannelCount;

quint32 rowAddress(int row) {
    return memmap::channelAddress(memmap::rowToChannel(row));
}

// How an outcome names the exchange of a row.
QString rowName(int row) {
    return QStringLiteral("channel %1").arg(memmap::rowToChannel(row));
}

// Percentage of a full transfer at row r: r div 18, so 0% to 95%.
int fullPercent(int row) {
    return row / 18;
}

} // namespace

Outcome MemoryRead::execute(Session& s) const {
    if (auto stop = s.identify(region()))
        return *stop;
    OperationSink& sink = s.sink();
    sink.progressMaximum(Rows);
    sink.progressValue(0);
    s.resetFailures();
    for (int r = 1; r <= Rows; ++r) {
        sink.currentRow(r);
        s.progress(r, fullPercent(r));
        QByteArray data;
        if (auto stop = s.readBlock(rowAddress(r), data, ChannelReadFailureLimit, rowName(r)))
            return *stop; // the rows read so far stay
        sink.recordRead(r, data);
    }
    sink.progressText(percentText(100));
    sink.progressValue(Rows);
    sink.progressText(percentText(100));
    sink.clearRowsNotInUse(1, Rows);
    return s.success();
}

OneMemoryRead::OneMemoryRead(Region region, int currentRow, int otherEnd)
    : RegionOperation(region), first_(std::clamp(std::min(currentRow, otherEnd), 1, Rows)),
      last_(std::clamp(std::max(currentRow, otherEnd), 1, Rows)) {}

Outcome OneMemoryRead::execute(Session& s) const {
    if (auto stop = s.identify(region()))
        return *stop;
    OperationSink& sink = s.sink();
    const int count = last_ - first_ + 1;
    sink.currentRow(first_);
    sink.progressMaximum(count);
    s.resetFailures();
    int done = 0;
    for (int r = first_; r <= last_; ++r) {
        sink.currentRow(r);
        sink.progressValue(done + 1);
        QByteArray data;
        if (auto stop = s.readBlock(rowAddress(r), data, ChannelReadFailureLimit, rowName(r)))
            return *stop;
        sink.recordRead(r, data);
        if (!record::isInUse(data))
            sink.clearRowsNotInUse(r, r);
        ++done;
        sink.progressText(percentText(done * 100 / count));
    }
    return s.success();
}

MemoryWrite::MemoryWrite(Region region, const std::vector<RowRecord>& rows)
    : RegionOperation(region), records_(size_t(Rows) + 1) {
    for (const RowRecord& r : rows)
        if (r.row >= 1 && r.row <= Rows)
            records_[size_t(r.row)] = r.record;
}

Outcome MemoryWrite::execute(Session& s) const {
    OperationSink& sink = s.sink();
    sink.progressValue(0);
    sink.progressMaximum(Rows);
    sink.currentRow(1);
    if (auto stop = s.identify(region()))
        return *stop;
    if (auto stop = s.initialiseMemory())
        return *stop;
    s.resetFailures();
    for (int r = 1; r <= Rows; ++r) {
        sink.currentRow(r);
        s.progress(r, fullPercent(r));
        const QByteArray& record = records_[size_t(r)];
        if (record.isEmpty())
            continue;
        if (auto stop = s.writeBlock(rowAddress(r), record, ChannelWriteFailureLimit, rowName(r))) {
            if (stop->kind == Outcome::Error) {
                // A write given up still ends its progress at 100%.
                sink.progressText(percentText(100));
                sink.progressValue(Rows);
            }
            return *stop;
        }
    }
    sink.progressText(percentText(100));
    sink.progressValue(Rows);
    sink.progressMaximum(100);
    sink.progressValue(0);
    sink.progressValue(100);
    sink.progressText(percentText(100));
    return s.success();
}

OneMemoryWrite::OneMemoryWrite(Region region, std::vector<RowRecord> rows)
    : RegionOperation(region), rows_(std::move(rows)) {
    std::sort(rows_.begin(), rows_.end(),
              [](const RowRecord& a, const RowRecord& b) { return a.row < b.row; });
}

Outcome OneMemoryWrite::execute(Session& s) const {
    OperationSink& sink = s.sink();
    const int count = int(rows_.size());
    sink.progressMaximum(count);
    if (auto stop = s.identify(region()))
        return *stop;
    s.resetFailures();
    int done = 0;
    for (const RowRecord& row : rows_) {
        sink.currentRow(row.row);
        sink.progressValue(done + 1);
        if (auto stop = s.writeBlock(rowAddress(row.row), row.record, ChannelWriteFailureLimit,
                                     rowName(row.row)))
            return *stop;
        ++done;
        sink.progressText(percentText(done * 100 / count));
    }
    return s.success();
}

std::vector<RowRecord> rowsToWrite(const ChannelTable& table) {
    std::vector<RowRecord> rows;
    for (int r = 1; r <= Rows; ++r)
        if (!table.text(r, ColFrequency).isEmpty())
            rows.push_back({r, table.record(r)});
    return rows;
}

std::vector<RowRecord> selectedRows(const ChannelTable& table, int currentRow, int otherEnd) {
    std::vector<RowRecord> rows;
    const int first = std::max(1, std::min(currentRow, otherEnd));
    const int last = std::min(Rows, std::max(currentRow, otherEnd));
    for (int r = first; r <= last; ++r)
        rows.push_back({r, table.record(r)});
    return rows;
}

} // namespace rz
