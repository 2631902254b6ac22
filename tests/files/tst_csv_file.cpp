// CSV export and import of the channel table: the line format, the heading
// check, both passes of the import, and that a refused file changes nothing.
#include "files/csv_file.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "model/code_page.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

QString heading() {
    return QStringLiteral("\"\",\"Freqency\",\"mode\",\"step\",\"Carrier\",\"Subtone\",\"---\","
                          "\"TSQ\",\"DCS\",\"Shift\",\"Shift-Freq\",\"Skip\",\"Name\",\"0\"");
}

// A data line with the given fields 2..13 (frequency first).
QString dataLine(const QStringList& fields, int row) {
    return QStringLiteral("\"x\",\"") + fields.join(QStringLiteral("\",\"")) +
           QStringLiteral("\",\"%1\"").arg(row);
}

QStringList fields145() {
    return {"145.00000", "FM",  "5KHz", "JR",         "None", "---",
            "88.5Hz",    "023", "Off",  "0.00000MHz", "",     "NAME"};
}

QStringList with(QStringList fields, int index, const QString& text) {
    fields[index] = text;
    return fields;
}

csv::ImportResult import(const QStringList& lines, const ChannelTable& table) {
    return csv::parseImport(textfile::joinLines(lines), table);
}

} // namespace

class TestCsvFile : public QObject {
    Q_OBJECT
private slots:
    void exportsEveryRowButTheLast() {
        ChannelTable table;
        sample::fill(table);
        table.setText(2, ColLabel, QStringLiteral("Bank00-001"));
        QList<int> seen;
        const QStringList lines = csv::exportLines(table, [&](int value, int maximum) {
            QCOMPARE(maximum, 1721);
            seen << value;
        });
        QCOMPARE(lines.size(), 1721);
        QCOMPARE(lines.first(), heading());
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
        const QString path = dir.filePath("out.csv");
        const FileOutcome outcome = csv::exportFile(path, table);
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.message, QStringLiteral("Save File"));
        QCOMPARE(outcome.title, QStringLiteral("Finish"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(cp932::encode(heading()) + "\r\n"));
        QVERIFY(bytes.contains(cp932::encode(QStringLiteral("\"ｴｱﾊﾞﾝﾄﾞ 管制\""))));
        QVERIFY(!csv::exportFile(dir.filePath("no/dir/x.csv"), table).ok);
    }

    void exportAndImportGiveTheSameEntries() {
        ChannelTable saved;
        sample::fill(saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("round.CSV");
        QVERIFY(csv::exportFile(path, saved).ok);

        ChannelTable loaded;
        QList<int> seen;
        const FileOutcome outcome =
            csv::importFile(path, loaded, [&](int value, int) { seen << value; });
        QVERIFY2(outcome.ok, qPrintable(outcome.reason));
        QCOMPARE(outcome.message, QStringLiteral("Inport CSV File"));
        QCOMPARE(outcome.title, QStringLiteral(" Finish"));
        QCOMPARE(seen.last(), 1721);
        for (int r = 1; r <= 1700; ++r) {
            QCOMPARE(loaded.inUse(r), saved.inUse(r));
            for (int c = ColFrequency; c <= ColName; ++c) {
                if (c == ColTxTone)
                    continue;
                QString want = saved.text(r, c);
                if (r == 17 && c == ColName)
                    want = QStringLiteral("ab"); // quotes in a name are dropped
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

    void headingLineDecides() {
        ChannelTable table;
        sample::fill(table);
        const QString line = dataLine(fields145(), 1);

        csv::ImportResult result = import({heading().replace("mode", "Mode"), line}, table);
        QVERIFY(!result.outcome.ok);
        QCOMPARE(result.outcome.message, QStringLiteral("CSV File Error"));
        QCOMPARE(result.outcome.title, QStringLiteral(" Error"));
        QCOMPARE(result.outcome.line, 1);
        QVERIFY(!import({}, table).outcome.ok);

        // Any heading of 100 characters once quotes and commas are gone.
        result = import({QString(100, QChar('h')), line}, table);
        QVERIFY(result.outcome.ok);
        QVERIFY(!import({QString(101, QChar('h')), line}, table).outcome.ok);

        // A refused file leaves the table as it was.
        QTemporaryDir dir;
        const QString bad = dir.filePath("bad.csv");
        QVERIFY(textfile::saveFile(bad, textfile::joinLines({"nonsense", line}), nullptr));
        QVERIFY(!csv::importFile(bad, table).ok);
        QVERIFY(!csv::importFile(dir.filePath("missing.csv"), table).ok);
        const QString other = dir.filePath("good.txt");
        QVERIFY(textfile::saveFile(other, textfile::joinLines({heading(), line}), nullptr));
        const FileOutcome refused = csv::importFile(other, table);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.message, QStringLiteral("CSV File Error"));
        QCOMPARE(table.text(1, ColName), QStringLiteral("CALL"));
        QCOMPARE(table.text(2, ColStep), QStringLiteral("12.5KHz"));
    }

    void frequencyFieldForm_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("145.5") << "145.5" << true;
        QTest::newRow("145") << "145" << true;
        QTest::newRow("lowest") << "0.05000" << true;
        QTest::newRow("highest") << "1299.99999" << true;
        QTest::newRow("0.5") << "0.5" << true; // half a megahertz, not 50 Hz
        QTest::newRow("too low") << "0.04999" << false;
        QTest::newRow("1300") << "1300.00000" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("with MHz") << "145.00000MHz" << false;
        QTest::newRow("six fraction digits") << "145.000000" << false;
        QTest::newRow("five whole digits") << "01450.0" << false;
        QTest::newRow("no whole digits") << ".5" << false;
        QTest::newRow("point last") << "145." << false;
        QTest::newRow("letters") << "1a.5" << false;
        QTest::newRow("empty") << "" << false;
    }

    void frequencyFieldForm() {
        QFETCH(QString, field);
        QFETCH(bool, accepted);
        QCOMPARE(csv::frequencyFieldAccepted(field), accepted);
    }

    void importPassesOneAndTwo() {
        ChannelTable table;
        sample::fill(table);
        QStringList lines{heading()};
        lines << dataLine(with(fields145(), 0, "145.5"), 1);                       // row 1
        lines << dataLine(with(fields145(), 0, "145"), 2);                         // row 2
        lines << dataLine(with(fields145(), 0, "145.00000MHz"), 3);                // row 3 cleared
        lines << dataLine(with(fields145(), 1, "fm"), 4);                          // row 4 cleared
        lines << dataLine(with(fields145(), 11, "A,B"), 5);                        // row 5 kept
        lines << dataLine(with(fields145(), 11, "say \"hi\""), 6);                 // quotes dropped
        lines << dataLine(with(fields145(), 9, "0.5"), 7);                         // offset 0.5
        lines << dataLine(with(with(fields145(), 0, "145.005"), 2, "12.5KHz"), 8); // step test
        lines << dataLine(with(fields145(), 7, "024"), 9);                         // no such DCS
        lines << dataLine(with(fields145(), 9, ""), 10);                           // no offset
        lines << dataLine(with(fields145(), 0, ""), 11);                           // empty row
        lines << dataLine(with(with(fields145(), 8, "+"), 10, "*"), 12);
        lines << QStringLiteral("\"x\",\"145.0\",\"FM\""); // row 13 kept
        const csv::ImportResult result = import(lines, table);
        QVERIFY(result.outcome.ok);
        const auto& rows = result.rows;
        QCOMPARE(rows[1].text(ColFrequency), QStringLiteral("145.50000MHz"));
        QCOMPARE(rows[2].text(ColFrequency), QStringLiteral("145.00000MHz"));
        QVERIFY(rows[1].inUse() && rows[2].inUse());
        QCOMPARE(rows[1].codes.train, quint8(28));
        for (int r : {3, 4, 9, 10, 11}) {
            QVERIFY2(!rows[size_t(r)].inUse(), qPrintable(QString::number(r)));
            QCOMPARE(rows[size_t(r)].text(ColFrequency), QString());
            QCOMPARE(rows[size_t(r)].codes, ChannelCodes::afterClear());
        }
        QCOMPARE(rows[5].text(ColName), table.text(5, ColName));
        QCOMPARE(rows[6].text(ColName), QStringLiteral("say hi"));
        QCOMPARE(rows[7].text(ColOffset), QStringLiteral("0.50000MHz"));
        QCOMPARE(rows[8].text(ColStep), QStringLiteral("5KHz"));
        QCOMPARE(rows[8].codes.step, quint8(0));
        QCOMPARE(rows[12].text(ColShift), QStringLiteral("+"));
        QCOMPARE(rows[12].text(ColSkip), QStringLiteral("*"));
        QCOMPARE(rows[12].text(ColTxTone), QStringLiteral("---"));
        // Rows without a line in the file keep their content, checked.
        QCOMPARE(rows[13].text(ColName), table.text(13, ColName));
        QCOMPARE(rows[17].text(ColName), table.text(17, ColName));
        QCOMPARE(rows[1301].text(ColMode), QStringLiteral("CW"));
        QVERIFY(rows[1700].inUse());
        // Every skipped or cleared line is named.
        QList<int> noted;
        for (const FileNotice& n : result.outcome.notices)
            noted << n.line;
        QCOMPARE(noted, (QList<int>{4, 6, 14, 5, 10, 11}));

        // Nothing reached the table before it is applied.
        QCOMPARE(table.text(1, ColName), QStringLiteral("CALL"));
        csv::applyImport(result, table);
        QCOMPARE(table.text(1, ColFrequency), QStringLiteral("145.50000MHz"));
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("0"));
    }

    void secondPassChecksKeptRowsToo() {
        ChannelTable table;
        ChannelRow odd = sample::makeRow(
            {"145.00000MHz", "fm", 0, 28, "None", 8, 0, "Off", "0.00000MHz", false, QString()});
        table.setRow(40, odd);
        ChannelRow unaligned = sample::makeRow(
            {"145.00500MHz", "FM", 4, 28, "None", 8, 0, "Off", "0.00000MHz", false, QString()});
        table.setRow(41, unaligned);
        const csv::ImportResult result = import({heading()}, table);
        QVERIFY(result.outcome.ok);
        QVERIFY(!result.rows[40].inUse());
        QCOMPARE(result.rows[40].text(ColMode), QString());
        QCOMPARE(result.rows[41].text(ColStep), QStringLiteral("5KHz"));
        QCOMPARE(result.outcome.notices.size(), 1);
        QCOMPARE(result.outcome.notices.first().line, 0);
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csv_file.moc"
