#pragma once
// The channel table as a 1721 x 13 item model: model row i is grid row
// i + 1, model column c is grid column c. Column 0 holds the row label, which
// is also the vertical heading; the horizontal headings are the grid's.
#include <QAbstractTableModel>

namespace rz {

class ChannelTable;

class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelGridModel(ChannelTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    ChannelTable& table() const { return table_; }

private:
    void onRowsChanged(int first, int last);
    void onLabelsChanged();

    ChannelTable& table_;
};

} // namespace rz
