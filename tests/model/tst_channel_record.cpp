// The 64-byte channel record, its addresses and texts, and the channel table
// that holds the rows.
#include "model/channel_record.h"
#include "model/channel_table.h"
#include "model/frequency_text.h"
#include "model/hex_text.h"
#include "model/memory_map.h"
#include "model/value_tables.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

namespace {

ChannelRow channel(const QString& frequency) {
    ChannelRow row;
    row.cells[ColFrequency] = frequency;
    row.cells[ColMode] = "FM";
    row.cells[ColShift] = "Off";
    row.cells[ColOffset] = "0.00000MHz";
    row.cells[ColToneType] = "None";
    row.codes.inUse = 1;
    return row;
}

} // namespace

class TestChannelRecord : public QObject {
    Q_OBJECT
private slots:
    void addressesAndRows() {
        using namespace memmap;
        const std::pair<int, quint32> addresses[] = {
            {1, 0x01200},    {1200, 0x13DC0}, {1721, 0x1C000}, {1301, 0x15700},
            {1302, 0x17000}, {1303, 0x15740}, {1499, 0x16FC0}, {1500, 0x188C0}};
        for (const auto& [row, address] : addresses)
            QCOMPARE(channelAddress(rowToChannel(row)), address);
        QCOMPARE(rowToChannel(1300), 1300);
        QCOMPARE(rowToChannel(1501), 1501);
        // Every row maps to a distinct channel and back.
        QSet<int> seen;
        for (int r = 1; r <= ChannelCount; ++r) {
            seen.insert(rowToChannel(r));
            QCOMPARE(channelToRow(rowToChannel(r)), r);
        }
        QCOMPARE(seen.size(), ChannelCount);
        QCOMPARE(hex::addressDigits(0x1C000), QByteArray("1C000"));
        QCOMPARE(hex::addressDigits(0), QByteArray("00000"));
    }

    void hexAndFrequencyTexts() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QByteArray text = hex::bytesToText(all);
        QVERIFY(text.startsWith("000102030405060708090A0B"));
        QCOMPARE(hex::textToBytes(text, 0, 256), all);
        QCOMPARE(hex::digitValue('\r'), quint8('\r')); // not a digit: taken as it is

        QCOMPARE(freq::hzToText(600000), QStringLiteral("0.60000MHz"));
        QCOMPARE(freq::hzToText(1234567), QStringLiteral("1.23456MHz")); // cut, not rounded
        QCOMPARE(freq::textToHz("1299.99995MHz"), 1299999950u);
        QCOMPARE(freq::textToHz("0.05"), 50000u);
        QCOMPARE(freq::textToHz("1.2345675"), 1234568u); // nearest Hz
        QCOMPARE(freq::textToHz("garbage"), 0u);
        QCOMPARE(freq::textToHz("99999999999.9"), 0xFFFFFFFFu);
    }

    void bandCodes() {
        const struct {
            const char* frequency;
            int row;
            int band;
        } cases[] = {{"145.00000MHz", 10, 2},   {"117.99000MHz", 10, 1},   {"118.00000MHz", 10, 2},
                     {"171.00000MHz", 10, 1},   {"225.00000MHz", 10, 1},   {"225.01000MHz", 10, 3},
                     {"335.99000MHz", 10, 3},   {"336.00000MHz", 10, 1},   {"336.01000MHz", 10, 2},
                     {"470.00000MHz", 10, 1},   {"145.00000MHz", 1701, 1}, // bug rows: 1
                     {"300.00000MHz", 1721, 1}, {"300.00000MHz", 1700, 3}};
        for (const auto& c : cases)
            QVERIFY2(quint8(record::encode(channel(c.frequency), c.row)[0]) == c.band,
                     qPrintable(QStringLiteral("%1 row %2").arg(c.frequency).arg(c.row)));
    }

    void encodeLayout() {
        ChannelRow row = channel("145.00000MHz");
        row.cells[ColMode] = "NFM";
        row.cells[ColSkip] = "*";
        row.cells[ColShift] = "-";
        row.cells[ColOffset] = "0.60000MHz";
        row.cells[ColToneType] = "DCS";
        row.codes.step = 16;
        row.codes.rxTone = 0;
        row.codes.dcs = 103;
        row.codes.train = 28;
        // Band, frequency, mode (NFM written as FM), step, offset, shift,
        // tone type, CTCSS, DCS, train; then the fixed bytes and no name.
        QCOMPARE(record::encode(row, 10).toHex().toUpper(),
                 QByteArray("024086A408"
                            "0010C0270900020500671C"
                            "003E01000A0000000000000000000000") +
                     QByteArray(64, '0'));
        row.codes.rxTone = 38;
        QCOMPARE(int(record::encode(row, 10)[13]), 39);

        // A row that is not in use is 64 zero bytes whatever its texts say.
        row.codes.inUse = 0;
        QCOMPARE(record::encode(row, 10), QByteArray(64, '\0'));
    }

    void roundTripsOverTheTables() {
        for (int mode = 0; mode < tables::ModeCount; ++mode)
            for (int step = 0; step < tables::StepCount; step += 5)
                for (int tone = 0; tone < tables::CtcssCount; tone += 7)
                    for (int dcs = 0; dcs < tables::DcsCount; dcs += 17) {
                        ChannelRow row = channel("438.12500MHz");
                        row.cells[ColToneType] = "TSQ";
                        row.cells[ColShift] = "+";
                        row.cells[ColOffset] = "5.00000MHz";
                        row.codes.step = quint8(step);
                        row.codes.rxTone = quint8(tone);
                        row.codes.dcs = quint8(dcs);
                        row.codes.train = quint8((step + tone) % tables::TrainCount);
                        row.cells[ColStep] = tables::stepText(step);
                        row.cells[ColRxTone] = tables::ctcssText(tone);
                        row.cells[ColDcs] = tables::dcsText(dcs);
                        row.cells[ColTrain] = tables::trainText(row.codes.train);
                        row.cells[ColMode] = tables::modeTexts()[mode];
                        ChannelRow back;
                        record::decode(record::encode(row, 5), back);
                        if (mode == tables::ModeNfm)
                            row.cells[ColMode] = "FM"; // the record has no NFM
                        for (int c = ColFrequency; c <= ColName; ++c)
                            if (c != ColTxTone)
                                QCOMPARE(back.text(c), row.text(c));
                        row.codes.txTone = back.codes.txTone;
                        QCOMPARE(back.codes, row.codes);
                    }
    }

    void decodeQuirks() {
        // A record whose byte 0 is 0x10 counts as empty and leaves the texts.
        QByteArray bytes(64, '\0');
        bytes[0] = 0x10;
        ChannelRow row = channel("145.00000MHz");
        record::decode(bytes, row);
        QVERIFY(!row.inUse());
        QCOMPARE(row.text(ColFrequency), QStringLiteral("145.00000MHz"));

        // Tone type 2 leaves its text; CTCSS code 1 reads as 67.0 Hz; odd
        // codes outside the tables show as empty texts rather than crash.
        // In use (low nibble 1), 1,234,567 Hz, mode 9, step 200, tone type 2,
        // CTCSS code 1, DCS 250, train 99.
        bytes = QByteArray::fromHex("2187D6120009C800000000000201FA63").leftJustified(64, '\0');
        row.cells[ColToneType] = "SQ";
        record::decode(bytes, row);
        QVERIFY(row.inUse());
        QCOMPARE(row.text(ColFrequency), QStringLiteral("1.23456MHz"));
        QCOMPARE(row.text(ColToneType), QStringLiteral("SQ"));
        QCOMPARE(row.text(ColRxTone), QStringLiteral("67.0Hz"));
        QCOMPARE(row.text(ColMode) + row.text(ColStep) + row.text(ColDcs) + row.text(ColTrain),
                 QString());
        // Out-of-table codes survive a round trip unchanged.
        const QByteArray again = record::encode(row, 10);
        QCOMPARE(again.mid(6, 1) + again.mid(14, 1), QByteArray("\xC8\xFA"));
        // Mode, shift, tone type and skip are read from the low four bits
        // of their bytes only; the receiver may set the high ones.
        bytes[5] = char(0xF1);
        bytes[11] = char(0x31);
        bytes[12] = char(0x45);
        bytes[18] = char(0x21);
        row = channel("145.00000MHz");
        record::decode(bytes, row);
        QCOMPARE(QStringList({row.text(ColMode), row.text(ColShift), row.text(ColToneType),
                              row.text(ColSkip)}),
                 QStringList({"AM", "+", "DCS", "*"}));
        // A short record (a bad reply) is taken as empty, never read past.
        record::decode(QByteArray(10, '\x01'), row);
        QVERIFY(!row.inUse());
    }

    void namesInTheCodePage() {
        ChannelRow row = channel("145.00000MHz");
        row.cells[ColName] = "ABC";
        QByteArray bytes = record::encode(row, 1);
        QCOMPARE(bytes.mid(32, 8), QByteArray("A\0B\0C\0\0\0", 8));
        QCOMPARE(bytes.mid(38), QByteArray(26, '\0'));

        const QString kana = QString::fromUtf8("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"); // 16 half-width
        const QString kanji = QString::fromUtf8("東京湾岸警備無線局航空管制塔受信所第");
        for (const QString& name : {kana, kanji, QString::fromUtf8("無線ABC局ｱ1")}) {
            row.cells[ColName] = name;
            ChannelRow back;
            record::decode(record::encode(row, 1), back);
            QCOMPARE(back.text(ColName), name.left(16));
        }
        // Kanji occupy both bytes of a slot, high byte first in value.
        row.cells[ColName] = QString::fromUtf8("亜");
        bytes = record::encode(row, 1);
        QCOMPARE(bytes.mid(32, 2), QByteArray("\x9F\x88", 2));

        // Seventeen characters are cut to sixteen; a character the code page
        // lacks becomes '?' and does not cut the rest of the name.
        row.cells[ColName] = QString::fromUtf8("ABCDEFGHIJKLMNOPQ");
        ChannelRow back;
        record::decode(record::encode(row, 1), back);
        QCOMPARE(back.text(ColName), QStringLiteral("ABCDEFGHIJKLMNOP"));
        row.cells[ColName] = QString::fromUtf8("A€B😀C");
        record::decode(record::encode(row, 1), back);
        QCOMPARE(back.text(ColName), QStringLiteral("A?B?C"));
    }

    void tableStartUpState() {
        ChannelTable table;
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("0"));
        QCOMPARE(table.text(1721, ColLabel), QStringLiteral("1720"));
        for (int r : {1, 1200, 1700}) {
            QVERIFY(table.codes(r) == ChannelCodes() && table.codes(r).train == 28 &&
                    !table.inUse(r));
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

QTEST_GUILESS_MAIN(TestChannelRecord)
#include "tst_channel_record.moc"
