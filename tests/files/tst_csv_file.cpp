// CSV export and import of the channel table: the line format, the heading
// check, both passes of the import, and that a refused file changes nothing.
#include "files/csv_file.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "model/code_page.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

const QString Heading =
    QStringLiteral("\"\",\"Freqency\",\"mode\",\"step\",\"Carrier\",\"Subtone\","
                   "\"---\",\"TSQ\",\"DCS\",\"Shift\",\"Shift-Freq\",\"Skip\","
                   "\"Name\",\"0\"");

// A data line for the row: 145 MHz, FM, with fields (0: frequency .. 11:
// name) replaced.
QString dataLine(int row, const QList<QPair<int, QString>>& edits = {}) {
    QStringList fields{"145.00000", "FM",  "5KHz", "JR",         "None", "---",
                       "88.5Hz",    "023", "Off",  "0.00000MHz", "",     "NAME"};
    for (const auto& [index, text] : edits)
        fields[index] = text;
    return "\"x\",\"" + fields.join("\",\"") + QStringLiteral("\",\"%1\"").arg(row);
}

csv::ImportResult import(const QStringList& lines, const ChannelTable& table) {
    return csv::parseImport(textfile::joinLines(lines), table);
}

} // namespace

class TestCsvFile : public QObject {
    Q_OBJECT
private slots:
    void exportsEveryRowButTheLastAndImportsThemBack() {
        ChannelTable saved;
        sample::fill(saved);
        saved.setText(2, ColLabel, QStringLiteral("Bank00-001"));
        QList<int> seen;
        const QStringList lines = csv::exportLines(saved, [&](int value, int maximum) {
            QCOMPARE(maximum, 1721);
            seen << value;
        });
        QCOMPARE(lines.size(), 1721);
        QCOMPARE(lines.first(), Heading);
        QCOMPARE(lines.at(2),
                 QStringLiteral("\"Bank00-001\",\"433.12500\",\"NFM\",\"12.5KHz\","
                                "\"800Hz\",\"TSQ\",\"---\",\"250.3Hz\",\"023\",\"+\","
                                "\"5.00000MHz\",\"*\",\"東京都消防庁指令センター本部通信\","
                                "\"2\""));
        QCOMPARE(lines.at(4), QStringLiteral("\"3\",\"\",\"\",\"\",\"\",\"\",\"---\",\"\",\"\","
                                             "\"\",\"\",\"\",\"\",\"4\""));
        QVERIFY(lines.last().startsWith("\"1719\",\"321.13500\","));
        QVERIFY(lines.last().endsWith(",\"1720\""));
        QCOMPARE(seen.last(), 1721);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));

        QTemporaryDir dir;
        const QString path = dir.filePath("round.CSV");
        FileOutcome outcome = csv::exportFile(path, saved);
        QCOMPARE(outcome.message + "|" + outcome.title, QStringLiteral("Save File|Finish"));
        const QByteArray bytes = test::readFile(path);
        QVERIFY(bytes.startsWith(cp932::encode(Heading) + "\r\n"));
        QVERIFY(bytes.contains(cp932::encode(QStringLiteral("\"ｴｱﾊﾞﾝﾄﾞ 管制\""))));

        ChannelTable loaded;
        seen.clear();
        outcome = csv::importFile(path, loaded, [&](int value, int) { seen << value; });
        QVERIFY2(outcome.ok, qPrintable(outcome.reason));
        QCOMPARE(outcome.message + "|" + outcome.title, QStringLiteral("Inport CSV File| Finish"));
        QCOMPARE(seen.last(), 1721);
        for (int r = 1; r <= 1700; ++r) {
            QCOMPARE(loaded.inUse(r), saved.inUse(r));
            for (int c = ColFrequency; c <= ColName; ++c) {
                QString want = saved.text(r, c);
                if (r == 17 && c == ColName)
                    want = QStringLiteral("ab"); // quotes in a name are dropped
                if (c != ColTxTone)
                    QCOMPARE(loaded.text(r, c), want);
            }
            ChannelCodes want = saved.inUse(r) ? saved.codes(r) : ChannelCodes::afterClear();
            want.txTone = 8; // the transmit tone keeps what the table had
            QCOMPARE(loaded.codes(r), want);
        }
        // Rows the file does not carry keep what they had.
        QCOMPARE(loaded.text(1705, ColName), QString());
        QCOMPARE(loaded.text(1721, ColFrequency), QStringLiteral("139.94000MHz"));
    }

    void theHeadingLineDecidesAndARefusedFileChangesNothing() {
        ChannelTable table;
        sample::fill(table);
        const QString line = dataLine(1);
        csv::ImportResult result = import({QString(Heading).replace("mode", "Mode"), line}, table);
        QCOMPARE(result.outcome.message + "|" + result.outcome.title,
                 QStringLiteral("CSV File Error| Error"));
        QCOMPARE(result.outcome.line, 1);
        QVERIFY(!import({}, table).outcome.ok);
        // Any heading of 100 characters once quotes and commas are gone.
        QVERIFY(import({QString(100, QChar('h')), line}, table).outcome.ok);
        QVERIFY(!import({QString(101, QChar('h')), line}, table).outcome.ok);

        QTemporaryDir dir;
        const QString bad = dir.filePath("bad.csv"), other = dir.filePath("good.txt");
        QVERIFY(textfile::saveFile(bad, textfile::joinLines({"nonsense", line}), nullptr));
        QVERIFY(textfile::saveFile(other, textfile::joinLines({Heading, line}), nullptr));
        QVERIFY(!csv::importFile(bad, table).ok);
        QVERIFY(!csv::importFile(dir.filePath("missing.csv"), table).ok);
        QCOMPARE(csv::importFile(other, table).message, QStringLiteral("CSV File Error"));
        QCOMPARE(table.text(1, ColName), QStringLiteral("CALL"));
        QCOMPARE(table.text(2, ColStep), QStringLiteral("12.5KHz"));
    }

    void frequencyFieldForm() {
        // "0.5" is half a megahertz, not 50 Hz.
        for (const char* accepted : {"145.5", "145", "0.05000", "1299.99999", "0.5"})
            QVERIFY2(csv::frequencyFieldAccepted(accepted), accepted);
        for (const char* refused : {"0.04999", "1300.00000", "0", "145.00000MHz", "145.000000",
                                    "01450.0", ".5", "145.", "1a.5", ""})
            QVERIFY2(!csv::frequencyFieldAccepted(refused), refused);
    }

    void importPassesOneAndTwo() {
        ChannelTable table;
        sample::fill(table);
        // Kept rows are checked too: a mode the table does not know clears
        // row 40, a step that does not fit row 41's frequency is mended.
        table.setRow(40, sample::makeRow({"145.00000MHz", "fm", 0, 28, "None", 8, 0, "Off",
                                          "0.00000MHz", false, QString()}));
        table.setRow(41, sample::makeRow({"145.00500MHz", "FM", 4, 28, "None", 8, 0, "Off",
                                          "0.00000MHz", false, QString()}));
        const QStringList lines{
            Heading,
            dataLine(1, {{0, "145.5"}}),
            dataLine(2, {{0, "145"}}),
            dataLine(3, {{0, "145.00000MHz"}}), // cleared
            dataLine(4, {{1, "fm"}}),           // cleared
            dataLine(5, {{11, "A,B"}}),         // kept as it was
            dataLine(6, {{11, "say \"hi\""}}),  // quotes dropped
            dataLine(7, {{9, "0.5"}}),
            dataLine(8, {{0, "145.005"}, {2, "12.5KHz"}}), // 5 kHz fits, 12.5 kHz would not
            dataLine(9, {{7, "024"}}),                     // no such DCS: cleared
            dataLine(10, {{9, ""}}),                       // no offset: cleared
            dataLine(11, {{0, ""}}),                       // empty row
            dataLine(12, {{8, "+"}, {10, "*"}}),
            QStringLiteral("\"x\",\"145.0\",\"FM\"")}; // row 13 kept
        const csv::ImportResult result = import(lines, table);
        QVERIFY(result.outcome.ok);
        const auto& rows = result.rows;
        QCOMPARE(rows[1].text(ColFrequency), QStringLiteral("145.50000MHz"));
        QCOMPARE(rows[2].text(ColFrequency), QStringLiteral("145.00000MHz"));
        QVERIFY(rows[1].inUse() && rows[2].inUse());
        QCOMPARE(rows[1].codes.train, quint8(28));
        for (int r : {3, 4, 9, 10, 11, 40}) {
            QVERIFY2(!rows[size_t(r)].inUse(), qPrintable(QString::number(r)));
            QCOMPARE(rows[size_t(r)].text(ColFrequency), QString());
            QCOMPARE(rows[size_t(r)].codes, ChannelCodes::afterClear());
        }
        QCOMPARE(rows[5].text(ColName), table.text(5, ColName));
        QCOMPARE(rows[6].text(ColName), QStringLiteral("say hi"));
        QCOMPARE(rows[7].text(ColOffset), QStringLiteral("0.50000MHz"));
        QCOMPARE(rows[8].text(ColStep), QStringLiteral("5KHz"));
        QCOMPARE(rows[8].codes.step, quint8(0));
        QCOMPARE(rows[12].text(ColShift) + rows[12].text(ColSkip), QStringLiteral("+*"));
        QCOMPARE(rows[12].text(ColTxTone), QStringLiteral("---"));
        // Rows without a line in the file keep their content, checked.
        QCOMPARE(rows[13].text(ColName), table.text(13, ColName));
        QCOMPARE(rows[17].text(ColName), table.text(17, ColName));
        QCOMPARE(rows[1301].text(ColMode), QStringLiteral("CW"));
        QVERIFY(rows[1700].inUse());
        QCOMPARE(rows[41].text(ColStep), QStringLiteral("5KHz"));
        // Every skipped or cleared line is named; a kept row as line 0.
        QList<int> noted;
        for (const FileNotice& n : result.outcome.notices)
            noted << n.line;
        QCOMPARE(noted, (QList<int>{4, 6, 14, 5, 10, 11, 0}));

        // Nothing reached the table before it is applied.
        QCOMPARE(table.text(1, ColName), QStringLiteral("CALL"));
        csv::applyImport(result, table);
        QCOMPARE(table.text(1, ColFrequency), QStringLiteral("145.50000MHz"));
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csv_file.moc"
