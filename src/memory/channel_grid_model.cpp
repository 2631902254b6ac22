#include "memory/channel_grid_model.h"
#include "model/channel_table.h"
#include "model/value_tables.h"

namespace rz {

ChannelGridModel::ChannelGridModel(ChannelTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    connect(&table_, &ChannelTable::rowsChanged, this, &ChannelGridModel::onRowsChanged);
    connect(&table_, &ChannelTable::labelsChanged, this, &ChannelGridModel::onLabelsChanged);
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ChannelTable::RowCount;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GridColumnCount;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return table_.text(index.row() + 1, index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < GridColumnCount ? tables::gridHeadings().value(section)
                                                         : QString();
    return section >= 0 && section < ChannelTable::RowCount ? table_.text(section + 1, ColLabel)
                                                            : QString();
}

void ChannelGridModel::onRowsChanged(int first, int last) {
    if (last < first)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, GridColumnCount - 1), {Qt::DisplayRole});
}

void ChannelGridModel::onLabelsChanged() {
    emit headerDataChanged(Qt::Vertical, 0, ChannelTable::RowCount - 1);
    emit dataChanged(index(0, ColLabel), index(ChannelTable::RowCount - 1, ColLabel),
                     {Qt::DisplayRole});
}

} // namespace rz
