#include "model/channel_record.h"
#include "model/frequency_text.h"
#include "model/hex_text.h"
#include "model/memory_map.h"
#include "model/value_tables.h"

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
        QCOMPARE(channelAddress(1), 0x01200u);
        QCOMPARE(channelAddress(1200), 0x13DC0u);
        QCOMPARE(channelAddress(1721), 0x1C000u);
        QCOMPARE(channelAddress(rowToChannel(1301)), 0x15700u);
        QCOMPARE(channelAddress(rowToChannel(1302)), 0x17000u);
        QCOMPARE(channelAddress(rowToChannel(1303)), 0x15740u);
        QCOMPARE(channelAddress(rowToChannel(1499)), 0x16FC0u);
        QCOMPARE(channelAddress(rowToChannel(1500)), 0x188C0u);
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

    void hexConversions() {
        QCOMPARE(hex::byteToText(0x0A), QByteArray("0A"));
        QCOMPARE(hex::byteToText(0x3E), QByteArray("3E"));
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QByteArray text = hex::bytesToText(all);
        QCOMPARE(text.size(), 512);
        QCOMPARE(hex::textToBytes(text, 0, 256), all);
        QCOMPARE(hex::digitValue('F'), quint8(15));
        QCOMPARE(hex::digitValue('0'), quint8(0));
        QCOMPARE(hex::digitValue('\r'), quint8('\r'));
    }

    void frequencyTexts() {
        QCOMPARE(freq::hzToText(145000000), QStringLiteral("145.00000MHz"));
        QCOMPARE(freq::hzToText(600000), QStringLiteral("0.60000MHz"));
        QCOMPARE(freq::hzToText(1234567), QStringLiteral("1.23456MHz"));
        QCOMPARE(freq::textToHz("145.00000MHz"), 145000000u);
        QCOMPARE(freq::textToHz("1299.99995MHz"), 1299999950u);
        QCOMPARE(freq::textToHz("0.05"), 50000u);
        QCOMPARE(freq::textToHz("1.2345675"), 1234568u); // nearest Hz
        QCOMPARE(freq::textToHz(""), 0u);
        QCOMPARE(freq::textToHz("garbage"), 0u);
        QCOMPARE(freq::textToHz("99999999999.9"), 0xFFFFFFFFu);
    }

    void bandCodes_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("band");
        QTest::newRow("145 MHz") << "145.00000MHz" << 10 << 2;
        QTest::newRow("117.99") << "117.99000MHz" << 10 << 1;
        QTest::newRow("118") << "118.00000MHz" << 10 << 2;
        QTest::newRow("171") << "171.00000MHz" << 10 << 1;
        QTest::newRow("225") << "225.00000MHz" << 10 << 1;
        QTest::newRow("225.01") << "225.01000MHz" << 10 << 3;
        QTest::newRow("335.99") << "335.99000MHz" << 10 << 3;
        QTest::newRow("336") << "336.00000MHz" << 10 << 1;
        QTest::newRow("336.01") << "336.01000MHz" << 10 << 2;
        QTest::newRow("470") << "470.00000MHz" << 10 << 1;
        QTest::newRow("bug row 145") << "145.00000MHz" << 1701 << 1;
        QTest::newRow("bug row 300") << "300.00000MHz" << 1721 << 1;
        QTest::newRow("row 1700 300") << "300.00000MHz" << 1700 << 3;
    }

    void bandCodes() {
        QFETCH(QString, frequency);
        QFETCH(int, row);
        QFETCH(int, band);
        QCOMPARE(int(quint8(record::encode(channel(frequency), row)[0])), band);
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
        const QByteArray bytes = record::encode(row, 10);
        QCOMPARE(bytes.size(), 64);
        QCOMPARE(bytes.mid(0, 5), QByteArray::fromHex("024086A408"));
        QCOMPARE(int(bytes[5]), 0); // NFM written as FM
        QCOMPARE(int(bytes[6]), 0x10);
        QCOMPARE(bytes.mid(7, 4), QByteArray::fromHex("C0270900"));
        QCOMPARE(int(bytes[11]), 2);
        QCOMPARE(int(bytes[12]), 5);
        QCOMPARE(int(bytes[13]), 0);
        QCOMPARE(int(bytes[14]), 103);
        QCOMPARE(int(bytes[15]), 28);
        QCOMPARE(bytes.mid(16, 16), QByteArray::fromHex("003E01000A0000000000000000000000"));
        QCOMPARE(bytes.mid(32), QByteArray(32, '\0'));

        row.codes.rxTone = 38;
        QCOMPARE(int(record::encode(row, 10)[13]), 39);
        row.codes.rxTone = 1;
        QCOMPARE(int(record::encode(row, 10)[13]), 2);

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
                        row.cells[ColMode] = tables::modeTexts()[mode];
                        row.cells[ColToneType] = "TSQ";
                        row.cells[ColShift] = "+";
                        row.cells[ColOffset] = "5.00000MHz";
                        row.codes.step = quint8(step);
                        row.codes.rxTone = quint8(tone);
                        row.codes.dcs = quint8(dcs);
                        row.codes.train = quint8((step + tone) % tables::TrainCount);
                        ChannelRow back;
                        record::decode(record::encode(row, 5), back);
                        QVERIFY(back.inUse());
                        QCOMPARE(back.text(ColFrequency), row.text(ColFrequency));
                        QCOMPARE(back.text(ColMode), mode == tables::ModeNfm ? QStringLiteral("FM")
                                                                             : row.text(ColMode));
                        QCOMPARE(back.text(ColStep), tables::stepText(step));
                        QCOMPARE(back.text(ColRxTone), tables::ctcssText(tone));
                        QCOMPARE(back.text(ColDcs), tables::dcsText(dcs));
                        QCOMPARE(back.text(ColTrain), tables::trainText(row.codes.train));
                        QCOMPARE(back.text(ColToneType), QStringLiteral("TSQ"));
                        QCOMPARE(back.text(ColShift), QStringLiteral("+"));
                        QCOMPARE(back.text(ColOffset), QStringLiteral("5.00000MHz"));
                        QCOMPARE(back.text(ColSkip), QString());
                        QCOMPARE(back.codes.step, row.codes.step);
                        QCOMPARE(back.codes.rxTone, row.codes.rxTone);
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
        bytes = QByteArray(64, '\0');
        bytes[0] = 0x21; // low nibble 1: in use
        bytes[1] = char(0x87);
        bytes[2] = char(0xD6);
        bytes[3] = 0x12; // 1,234,567 Hz
        bytes[5] = 9;
        bytes[6] = char(200);
        bytes[12] = 2;
        bytes[13] = 1;
        bytes[14] = char(250);
        bytes[15] = char(99);
        row.cells[ColToneType] = "SQ";
        record::decode(bytes, row);
        QVERIFY(row.inUse());
        QCOMPARE(row.text(ColFrequency), QStringLiteral("1.23456MHz"));
        QCOMPARE(row.text(ColToneType), QStringLiteral("SQ"));
        QCOMPARE(row.text(ColRxTone), QStringLiteral("67.0Hz"));
        QCOMPARE(row.text(ColMode), QString());
        QCOMPARE(row.text(ColStep), QString());
        QCOMPARE(row.text(ColDcs), QString());
        QCOMPARE(row.text(ColTrain), QString());
        // Out-of-table codes survive a round trip unchanged.
        const QByteArray again = record::encode(row, 10);
        QCOMPARE(int(quint8(again[6])), 200);
        QCOMPARE(int(quint8(again[14])), 250);
        // Mode, shift, tone type and skip are read from the low four bits
        // of their bytes only; the receiver may set the high ones.
        bytes[5] = char(0xF1);
        bytes[11] = char(0x31);
        bytes[12] = char(0x45);
        bytes[18] = char(0x21);
        row = channel("145.00000MHz");
        record::decode(bytes, row);
        QCOMPARE(row.text(ColMode), QStringLiteral("AM"));
        QCOMPARE(row.text(ColShift), QStringLiteral("+"));
        QCOMPARE(row.text(ColToneType), QStringLiteral("DCS"));
        QCOMPARE(row.text(ColSkip), QStringLiteral("*"));
        // A short record (a bad reply) is taken as empty, never read past.
        record::decode(QByteArray(10, '\x01'), row);
        QVERIFY(!row.inUse());
    }

    void names() {
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
};

QTEST_APPLESS_MAIN(TestChannelRecord)
#include "tst_channel_record.moc"
