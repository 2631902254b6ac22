#include "model/channel_table.h"

#include "model/channel_record.h"
#include "model/memory_map.h"
#include "model/value_tables.h"

namespace rz {

void ChannelRow::clearTexts() {
    for (int c = ColFrequency; c < GridColumnCount; ++c)
        cells[size_t(c)].clear();
}

void ChannelRow::clear() {
    clearTexts();
    codes = ChannelCodes::afterClear();
}

ChannelTable::ChannelTable(QObject* parent) : QObject(parent), rows_(size_t(RowCount + 1)) {
    reset();
}

void ChannelTable::reset() {
    for (int r = 1; r <= RowCount; ++r) {
        ChannelRow& row = rows_[size_t(r)];
        row = ChannelRow();
        row.cells[ColLabel] = QString::number(r - 1);
    }
    fillBugRows();
    changed(1, RowCount);
    emit labelsChanged();
}

void ChannelTable::fillBugRows() {
    const QStringList& presets = tables::bugPresetFrequencies();
    for (int i = 0; i < tables::BugCount; ++i) {
        ChannelRow& row = rows_[size_t(memmap::FirstBugRow + i)];
        row.cells[ColFrequency] = presets[i];
        row.cells[ColMode] = QStringLiteral("FM");
        row.cells[ColStep] = tables::stepText(tables::Step5k);
        row.cells[ColTrain] = tables::trainText(tables::TrainBug);
        row.cells[ColToneType] = QStringLiteral("None");
        row.cells[ColTxTone] = tables::ctcssText(tables::CtcssDefault);
        row.cells[ColRxTone] = tables::ctcssText(tables::CtcssDefault);
        row.cells[ColDcs] = tables::dcsText(0);
        row.cells[ColShift] = QStringLiteral("Off");
        row.cells[ColOffset] = QStringLiteral("0.00000MHz");
        row.codes = ChannelCodes();
        row.codes.train = tables::TrainBug;
        row.codes.inUse = 1;
    }
    changed(memmap::FirstBugRow, RowCount);
}

void ChannelTable::setRow(int r, const ChannelRow& row) {
    ChannelRow& target = rows_[size_t(r)];
    const QString label = target.cells[ColLabel];
    target = row;
    target.cells[ColLabel] = label;
    changed(r, r);
}

void ChannelTable::setText(int r, int column, const QString& text) {
    rows_[size_t(r)].cells[size_t(column)] = text;
    if (column == ColLabel)
        emit labelsChanged();
    else
        changed(r, r);
}

void ChannelTable::setInUse(int r, bool inUse) {
    rows_[size_t(r)].codes.inUse = inUse ? 1 : 0;
    changed(r, r);
}

void ChannelTable::clearRow(int r) {
    clearRows(r, r);
}

void ChannelTable::clearRows(int first, int last) {
    for (int r = first; r <= last; ++r)
        rows_[size_t(r)].clear();
    changed(first, last);
}

void ChannelTable::setLabels(const std::vector<QString>& labels) {
    for (int r = 1; r <= RowCount && size_t(r) < labels.size(); ++r)
        rows_[size_t(r)].cells[ColLabel] = labels[size_t(r)];
    emit labelsChanged();
}

QByteArray ChannelTable::record(int r) const {
    return record::encode(rows_[size_t(r)], r);
}

void ChannelTable::applyRecord(int r, const QByteArray& bytes) {
    record::decode(bytes, rows_[size_t(r)]);
    changed(r, r);
}

void ChannelTable::clearRowsNotInUse(int first, int last) {
    for (int r = first; r <= last; ++r)
        if (!rows_[size_t(r)].inUse())
            rows_[size_t(r)].clearTexts();
    changed(first, last);
}

void ChannelTable::beginUpdate() {
    ++updateDepth_;
}

void ChannelTable::endUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    if (pendingFirst_ <= pendingLast_)
        emit rowsChanged(pendingFirst_, pendingLast_);
    pendingFirst_ = 0;
    pendingLast_ = -1;
}

void ChannelTable::changed(int first, int last) {
    if (updateDepth_ == 0) {
        emit rowsChanged(first, last);
        return;
    }
    if (pendingFirst_ > pendingLast_) {
        pendingFirst_ = first;
        pendingLast_ = last;
    } else {
        pendingFirst_ = std::min(pendingFirst_, first);
        pendingLast_ = std::max(pendingLast_, last);
    }
}

} // namespace rz
