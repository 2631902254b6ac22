// Storing the dialog's result, the ends of the dialog's row sequence and the
// grid model, on the channel table alone. "Clear", "All Clear" and the
// dialog's navigation are tested through the Memory tab's controls.
#include "memory/channel_grid_model.h"
#include "memory/row_commands.h"
#include "memory/set_memory_data.h"
#include "model/channel_table.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

class TestRowCommands : public QObject {
    Q_OBJECT
private slots:
    void endsOfTheDialogSequence() {
        using namespace memory;
        QCOMPARE(dialogRow(1500), 1499); // Dual99(Sub)
        QCOMPARE(dialogRow(1501), 1501); // past the pairs
        QCOMPARE(dialogRow(1721), 0);
        QCOMPARE(nextDialogRow(1499), 1501);
        QCOMPARE(previousDialogRow(1501), 1500); // opens Dual99(Main)
        QCOMPARE(previousDialogRow(1), 1);
    }

    void storesASingleChannel() {
        ChannelTable table;
        table.setInUse(7, true); // the dialog's business
        DialogResult result;
        const auto prepare = [&](const QString& name) {
            result.action = DialogResult::SinglePresent;
            result.first = {"145.00000", 1, 3, 2, "5.00000", true, name, 8, 9, 1, 28, 4};
        };
        prepare("Calling");
        result.navigation = DialogResult::Next;
        Set_Memory_Data(result, table, 7);

        const QStringList expected = {
            "145.00000MHz", "AM",  "12.5KHz", "JR",         "TSQ", "88.5Hz",
            "91.5Hz",       "025", "-",       "5.00000MHz", "*",   "Calling"};
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
        prepare("x");
        result.first.toneType = 2; // "Tone"
        result.first.mode = 7;
        result.first.shift = 3;
        Set_Memory_Data(result, table, 7);
        QCOMPARE(table.text(7, ColToneType), QStringLiteral("ERROR"));
        QCOMPARE(table.text(7, ColMode), QStringLiteral("ERROR"));
        QCOMPARE(table.text(7, ColShift), QStringLiteral("ERROR"));
    }

    void modelFollowsTheTable() {
        ChannelTable table;
        ChannelGridModel model(table);
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
