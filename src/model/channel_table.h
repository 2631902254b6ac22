#pragma once
// The program's channel store: 1721 rows of twelve cell texts plus a label,
// and beside them the per-channel codes the receiver's record needs exactly.
// Rows are numbered 1..1721 as in the grid; the channel index is row - 1.
#include "model/memory_map.h"
#include <QObject>
#include <QString>
#include <array>
#include <vector>

namespace rz {

enum GridColumn {
    ColLabel = 0,
    ColFrequency = 1,
    ColMode = 2,
    ColStep = 3,
    ColTrain = 4,    // "Carrier"
    ColToneType = 5, // "Subtone"
    ColTxTone = 6,   // "---", hidden
    ColRxTone = 7,   // "TSQ"
    ColDcs = 8,
    ColShift = 9,
    ColOffset = 10, // "Shift-Freq"
    ColSkip = 11,
    ColName = 12,
    GridColumnCount = 13
};

struct ChannelCodes {
    quint8 txTone = 8;
    quint8 rxTone = 8;
    quint8 dcs = 0;
    quint8 train = 28;
    quint8 step = 0;
    quint8 inUse = 0;

    static ChannelCodes afterClear() {
        ChannelCodes c;
        c.train = 0;
        return c;
    }
    bool operator==(const ChannelCodes& o) const {
        return txTone == o.txTone && rxTone == o.rxTone && dcs == o.dcs && train == o.train &&
               step == o.step && inUse == o.inUse;
    }
};

struct ChannelRow {
    std::array<QString, GridColumnCount> cells; // cells[0] is the row label
    ChannelCodes codes;

    const QString& text(int column) const { return cells[size_t(column)]; }
    bool inUse() const { return codes.inUse != 0; }
    // Empties columns 1..12; keeps the label and the codes.
    void clearTexts();
    // Empties columns 1..12 and sets the after-clear codes; keeps the label.
    void clear();
};

class ChannelTable : public QObject {
    Q_OBJECT
public:
    static constexpr int RowCount = memmap::ChannelCount;

    // Start-up state: labels "0".."1720", start-up codes, bug rows filled.
    explicit ChannelTable(QObject* parent = nullptr);

    const ChannelRow& row(int r) const { return rows_[size_t(r)]; }
    QString text(int r, int column) const { return rows_[size_t(r)].cells[size_t(column)]; }
    ChannelCodes codes(int r) const { return rows_[size_t(r)].codes; }
    bool inUse(int r) const { return rows_[size_t(r)].inUse(); }

    void setRow(int r, const ChannelRow& row); // keeps the row's label
    void setText(int r, int column, const QString& text);
    void setInUse(int r, bool inUse);
    void clearRow(int r);
    void clearRows(int first, int last);
    void setLabels(const std::vector<QString>& labels); // labels[r] for r = 1..1721

    // Receiver record of row r, and a read record decoded into row r.
    QByteArray record(int r) const;
    void applyRecord(int r, const QByteArray& record);
    // A read leaves rows whose record was empty with empty texts.
    void clearRowsNotInUse(int first = 1, int last = RowCount);

    // The 21 bug-detector rows with their preset channels.
    void fillBugRows();
    // Everything back to the start-up state.
    void reset();

    // Suspends change notifications (a transfer's "redrawing off"); the
    // last endUpdate() reports every row as changed once.
    void beginUpdate();
    void endUpdate();

signals:
    void rowsChanged(int first, int last);
    void labelsChanged();

private:
    void changed(int first, int last);

    std::vector<ChannelRow> rows_; // index 0 unused
    int updateDepth_ = 0;
    int pendingFirst_ = 0;
    int pendingLast_ = -1;
};

} // namespace rz
