#include "model/channel_table.h"
#include "model/value_tables.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

class TestChannelTable : public QObject {
    Q_OBJECT
private slots:
    void startUpState() {
        ChannelTable table;
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("0"));
        QCOMPARE(table.text(1721, ColLabel), QStringLiteral("1720"));
        for (int r : {1, 1200, 1700}) {
            QCOMPARE(table.codes(r), ChannelCodes());
            QCOMPARE(table.codes(r).train, quint8(28));
            QVERIFY(!table.inUse(r));
            QCOMPARE(table.text(r, ColFrequency), QString());
        }
        QCOMPARE(table.text(1701, ColFrequency), QStringLiteral("398.60500MHz"));
        QCOMPARE(table.text(1721, ColFrequency), QStringLiteral("139.94000MHz"));
        for (int r = 1701; r <= 1721; ++r) {
            QVERIFY(table.inUse(r));
            QCOMPARE(table.codes(r).train, quint8(tables::TrainBug));
            QCOMPARE(table.text(r, ColTrain), QStringLiteral("2300Hz"));
            QCOMPARE(table.text(r, ColRxTone), QStringLiteral("88.5Hz"));
            QCOMPARE(table.text(r, ColTxTone), QStringLiteral("88.5Hz"));
            QCOMPARE(table.text(r, ColOffset), QStringLiteral("0.00000MHz"));
            QCOMPARE(table.text(r, ColStep), QStringLiteral("5KHz"));
        }
        // A bug row encodes with band code 1 and its preset frequency.
        QCOMPARE(table.record(1705).mid(0, 5), QByteArray::fromHex("010084D717"));
    }

    void clearingKeepsTheLabelAndEmptyRecordsClearOnlyWhenAsked() {
        ChannelTable table;
        ChannelRow row;
        row.cells[ColFrequency] = "430.00000MHz";
        row.cells[ColName] = "X";
        row.codes.inUse = 1;
        row.codes.step = 5;
        for (int r : {3, 7, 8})
            table.setRow(r, row);
        QCOMPARE(table.text(3, ColLabel), QStringLiteral("2")); // label kept
        table.clearRow(3);
        QCOMPARE(table.text(3, ColFrequency) + table.text(3, ColName), QString());
        QCOMPARE(table.text(3, ColLabel), QStringLiteral("2"));
        QCOMPARE(table.codes(3), ChannelCodes::afterClear());
        QCOMPARE(table.codes(3).train, quint8(0));

        // A read record that is not in use leaves the texts until the
        // read ends and the rows not in use are cleared.
        table.applyRecord(8, QByteArray(64, '\0'));
        table.applyRecord(9, table.record(7));
        QVERIFY(!table.inUse(8));
        QCOMPARE(table.text(8, ColFrequency), QStringLiteral("430.00000MHz"));
        table.clearRowsNotInUse();
        QCOMPARE(table.text(8, ColFrequency), QString());
        QCOMPARE(table.text(9, ColFrequency), QStringLiteral("430.00000MHz"));
        QCOMPARE(table.text(1701, ColFrequency), QStringLiteral("398.60500MHz"));
    }

    void updatesAreBatched() {
        ChannelTable table;
        QSignalSpy spy(&table, &ChannelTable::rowsChanged);
        table.beginUpdate();
        table.clearRow(10);
        table.clearRow(500);
        QCOMPARE(spy.count(), 0);
        table.endUpdate();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 10);
        QCOMPARE(spy.at(0).at(1).toInt(), 500);
    }
};

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channel_table.moc"
