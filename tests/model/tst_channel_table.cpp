#include "model/channel_table.h"
#include "model/code_page.h"
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

    void clearingKeepsLabelAndSetsClearCodes() {
        ChannelTable table;
        ChannelRow row;
        row.cells[ColFrequency] = "145.00000MHz";
        row.cells[ColName] = "X";
        row.codes.inUse = 1;
        row.codes.step = 5;
        table.setRow(3, row);
        QCOMPARE(table.text(3, ColLabel), QStringLiteral("2")); // label kept
        QVERIFY(table.inUse(3));
        table.clearRow(3);
        QCOMPARE(table.text(3, ColFrequency), QString());
        QCOMPARE(table.text(3, ColName), QString());
        QCOMPARE(table.text(3, ColLabel), QStringLiteral("2"));
        QCOMPARE(table.codes(3), ChannelCodes::afterClear());
        QCOMPARE(table.codes(3).train, quint8(0));
    }

    void readRecordsAndClearEmptyRows() {
        ChannelTable table;
        ChannelRow row;
        row.cells[ColFrequency] = "430.00000MHz";
        row.codes.inUse = 1;
        table.setRow(7, row);
        table.setRow(8, row);
        const QByteArray used = table.record(7);
        table.applyRecord(8, QByteArray(64, '\0')); // the receiver holds nothing there
        table.applyRecord(9, used);
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

    void codePageLengths() {
        QCOMPARE(cp932::byteLength(QString::fromUtf8("ｱｲｳ")), 3);
        QCOMPARE(cp932::byteLength(QString::fromUtf8("漢字A")), 5);
        QCOMPARE(cp932::charByteLength(U'ｱ'), 1);
        QCOMPARE(cp932::charByteLength(U'漢'), 2);
        QCOMPARE(cp932::charCode(U'😀'), quint16('?'));
        QCOMPARE(cp932::fromCode(0), QString());
        QCOMPARE(cp932::fromCode(0x889F), QString::fromUtf8("亜"));
        QCOMPARE(cp932::fromCode(0xFCFC), QString(QChar::ReplacementCharacter));
        const QString text = QString::fromUtf8("受信機 ﾃｽﾄ ABC");
        QCOMPARE(cp932::decode(cp932::encode(text)), text);
        QCOMPARE(cp932::encode(QString::fromUtf8("a€b")), QByteArray("a?b"));
    }
};

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channel_table.moc"
