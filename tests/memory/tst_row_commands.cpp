// Clearing rows, storing the dialog's result and moving the dialog between
// rows, on the channel table alone.
#include "memory/channel_grid_model.h"
#include "memory/row_commands.h"
#include "memory/set_memory_data.h"
#include "model/channel_table.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

namespace {

// Every row 1..1721 holding a channel, so a clear shows.
void fill(ChannelTable& table) {
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        ChannelRow row = table.row(r);
        row.cells[ColFrequency] = "145.00000MHz";
        row.cells[ColName] = QString::number(r);
        row.codes.inUse = 1;
        row.codes.train = 5;
        table.setRow(r, row);
    }
}

bool cleared(const ChannelTable& table, int r) {
    return table.text(r, ColFrequency).isEmpty() && table.codes(r) == ChannelCodes::afterClear();
}

ChannelSetResult set(const QString& frequency, const QString& name) {
    ChannelSetResult s;
    s.frequencyText = frequency;
    s.mode = 1;
    s.stepText = "12.5KHz";
    s.trainText = "JR";
    s.txToneText = s.rxToneText = "88.5Hz";
    s.dcsText = "023";
    s.toneType = 3;
    s.shift = 2;
    s.offsetText = "5.00000";
    s.skip = true;
    s.name = name;
    s.txTone = 8;
    s.rxTone = 9;
    s.dcs = 1;
    s.train = 28;
    s.step = 4;
    return s;
}

} // namespace

class TestRowCommands : public QObject {
    Q_OBJECT
private slots:
    void clearRanges() {
        using memory::clearRange;
        QCOMPARE(clearRange(5, 5).first, 5);
        QCOMPARE(clearRange(5, 5).last, 5);
        QCOMPARE(clearRange(20, 10).first, 10); // either end may be the cursor
        QCOMPARE(clearRange(20, 10).last, 20);
        QCOMPARE(clearRange(1690, 1710).last, 1700);
        QVERIFY(clearRange(1705, 1710).isEmpty());
        QVERIFY(clearRange(1701, 1701).isEmpty());
        QCOMPARE(clearRange(1721, 1).last, 1700);

        ChannelTable table;
        fill(table);
        memory::clearSelectedRows(table, 1710, 1690);
        QVERIFY(!cleared(table, 1689));
        for (int r = 1690; r <= 1700; ++r)
            QVERIFY(cleared(table, r));
        QVERIFY(!cleared(table, 1701));
        QCOMPARE(table.text(1690, ColLabel), QStringLiteral("1689")); // labels stay

        fill(table);
        memory::clearSelectedRows(table, 1705, 1710);
        for (int r = 1700; r <= 1721; ++r)
            QVERIFY(!cleared(table, r));
    }

    void clearAllKeepsBugRows() {
        ChannelTable table; // start-up: train code 28 everywhere
        const ChannelRow bug = table.row(1701);
        QSignalSpy changes(&table, &ChannelTable::rowsChanged);
        QList<int> progress;
        memory::clearAllRows(table, [&](int value) { progress << value; });
        for (int r = 1; r <= 1700; ++r)
            QCOMPARE(table.codes(r).train, quint8(0));
        QCOMPARE(table.row(1701).cells, bug.cells);
        QVERIFY(table.inUse(1721));
        QCOMPARE(progress.size(), 1700);
        QCOMPARE(progress.first(), 0);
        QCOMPARE(progress.last(), 100);
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QCOMPARE(changes.size(), 1); // one repaint after the whole clear
    }

    void dialogRows() {
        using namespace memory;
        QCOMPARE(dialogRow(1), 1);
        QCOMPARE(dialogRow(1300), 1300);
        QCOMPARE(dialogRow(1307), 1307); // Dual3(Main)
        QCOMPARE(dialogRow(1308), 1307); // Dual3(Sub) opens its Main row
        QCOMPARE(dialogRow(1500), 1499);
        QCOMPARE(dialogRow(1501), 1501);
        QCOMPARE(dialogRow(1701), 0);
        QCOMPARE(dialogRow(1721), 0);

        QCOMPARE(nextDialogRow(1), 2);
        QCOMPARE(nextDialogRow(1300), 1301);
        QCOMPARE(nextDialogRow(1307), 1309);
        QCOMPARE(nextDialogRow(1499), 1501);
        QCOMPARE(nextDialogRow(1700), 1701);

        QCOMPARE(previousDialogRow(1), 1);
        QCOMPARE(previousDialogRow(2), 1);
        QCOMPARE(previousDialogRow(1301), 1300); // PRG - 49B
        QCOMPARE(previousDialogRow(1303), 1301);
        QCOMPARE(previousDialogRow(1501), 1500); // opens Dual99(Main)
    }

    void storesASingleChannel() {
        ChannelTable table;
        table.setInUse(7, true); // the dialog's business
        DialogResult result;
        result.action = DialogResult::SinglePresent;
        result.first = set("145.00000", "Calling");
        result.navigation = DialogResult::Next;
        Set_Memory_Data(result, table, 7);

        const QStringList expected = {
            "145.00000MHz", "AM",  "12.5KHz", "JR",         "TSQ", "88.5Hz",
            "88.5Hz",       "023", "-",       "5.00000MHz", "*",   "Calling"};
        for (int c = ColFrequency; c <= ColName; ++c)
            QCOMPARE(table.text(7, c), expected[c - 1]);
        QCOMPARE(table.codes(7), (ChannelCodes{8, 9, 1, 28, 4, 1}));
        QCOMPARE(table.text(7, ColLabel), QStringLiteral("6"));
        // The record is reset for the next opening; the navigation stays.
        QCOMPARE(result.action, int(DialogResult::Nothing));
        QVERIFY(result.first.name.isEmpty());
        QCOMPARE(result.first.step, 0);
        QCOMPARE(result.navigation, int(DialogResult::Next));

        // Values without a grid text of their own.
        result.action = DialogResult::SinglePresent;
        result.first = set("145.00000", "x");
        result.first.toneType = 2; // "Tone"
        result.first.mode = 7;
        result.first.shift = 3;
        Set_Memory_Data(result, table, 7);
        QCOMPARE(table.text(7, ColToneType), QStringLiteral("ERROR"));
        QCOMPARE(table.text(7, ColMode), QStringLiteral("ERROR"));
        QCOMPARE(table.text(7, ColShift), QStringLiteral("ERROR"));

        // Nothing to store.
        const ChannelRow before = table.row(7);
        Set_Memory_Data(result, table, 7);
        QCOMPARE(table.row(7).cells, before.cells);
    }

    void storesADualPair() {
        const struct {
            int action;
            bool mainWritten, mainCleared, subWritten, subCleared;
        } cases[] = {
            {DialogResult::BothPresent, true, false, true, false},
            {DialogResult::FirstPresentSecondEmpty, true, false, false, true},
            {DialogResult::FirstEmptySecondPresent, false, true, true, false},
            {DialogResult::BothEmpty, false, true, false, true},
        };
        for (const auto& c : cases) {
            ChannelTable table;
            fill(table);
            DialogResult result;
            result.action = c.action;
            result.first = set("145.00000", "Main");
            result.second = set("433.00000", "Sub");
            Set_Memory_Data(result, table, 1307);
            QCOMPARE(table.text(1307, ColName) == "Main", c.mainWritten);
            QCOMPARE(cleared(table, 1307), c.mainCleared);
            QCOMPARE(table.text(1308, ColFrequency) == "433.00000MHz", c.subWritten);
            QCOMPARE(cleared(table, 1308), c.subCleared);
            QCOMPARE(table.text(1309, ColName), QStringLiteral("1309")); // the next pair
        }
    }

    void modelFollowsTheTable() {
        ChannelTable table;
        ChannelGridModel model(table);
        QCOMPARE(model.rowCount(), 1721);
        QCOMPARE(model.columnCount(), 13);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Freqency"));
        QCOMPARE(model.headerData(6, Qt::Horizontal).toString(), QStringLiteral("---"));
        QCOMPARE(model.headerData(1700, Qt::Vertical).toString(), QStringLiteral("1700"));
        QCOMPARE(model.index(1700, ColFrequency).data().toString(), QStringLiteral("398.60500MHz"));

        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        table.setText(10, ColName, "Ten");
        QCOMPARE(data.size(), 1);
        QCOMPARE(data.first().at(0).toModelIndex().row(), 9);
        QCOMPARE(model.index(9, ColName).data().toString(), QStringLiteral("Ten"));
        table.setText(10, ColLabel, "Bank00-009");
        QCOMPARE(headers.size(), 1);
        QCOMPARE(model.headerData(9, Qt::Vertical).toString(), QStringLiteral("Bank00-009"));
    }
};

QTEST_GUILESS_MAIN(TestRowCommands)
#include "tst_row_commands.moc"
