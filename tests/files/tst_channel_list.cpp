// The common channel-list CSV: a round trip through export and import, and
// hand-written files in every form the format allows, each line mapped onto
// the receiver's channel or refused with its line and reason. The files
// themselves are written and read by the tool's list test and the window's.
#include "files/channel_list.h"
#include "files/sample_table.h"
#include "model/value_tables.h"

#include <QtTest>

using namespace rz;
using namespace rz::channellist;

namespace {

const char FullHeading[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
    "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,"
    "URCALL,RPT1CALL,RPT2CALL,DVCODE";

// A line of the full column set: 145 MHz simplex FM, no squelch, the
// placeholders, with the given columns replaced.
QString line(const QList<QPair<Column, QString>>& edits) {
    QStringList f{"0",    "",     "145.000000", "",    "0.000000",   "",   "88.5",
                  "88.5", "023",  "NN",         "023", "Tone->Tone", "FM", "5.00",
                  "",     "5.0W", "",           "",    "",           "",   ""};
    for (const auto& [column, text] : edits)
        f[column] = text;
    return delimited::joinRecord(f);
}

ImportResult import(const QString& text, const ChannelTable& table, int firstRow = 1) {
    return parseImport(delimited::parse(text.toUtf8()), table, firstRow);
}

QString noticeOf(const ImportResult& result, int fileLine) {
    for (const FileNotice& n : result.outcome.notices)
        if (n.line == fileLine)
            return n.text;
    return QString();
}

// What a channel of the round trip comes back as: the squelch the format
// holds, the placeholders for the tones it does not use.
ChannelRow carried(ChannelRow row) {
    const QString type = row.text(ColToneType);
    if (type != "TSQ") {
        row.cells[ColRxTone] = tables::ctcssText(tables::CtcssDefault);
        row.codes.rxTone = tables::CtcssDefault;
    }
    if (type != "DCS") {
        row.cells[ColDcs] = tables::dcsText(0);
        row.codes.dcs = 0;
    }
    if (type != "TSQ" && type != "DCS")
        row.cells[ColToneType] = "None";
    row.cells[ColTrain] = tables::trainText(tables::TrainDefault);
    row.codes.train = tables::TrainDefault;
    row.cells[ColLabel].clear();
    // The transmit tone is the one the receiving row had (a fresh table's).
    row.cells[ColTxTone] = tables::ctcssText(tables::CtcssDefault);
    row.codes.txTone = tables::CtcssDefault;
    return row;
}

} // namespace

class TestChannelList : public QObject {
    Q_OBJECT
private slots:
    void exportThenImportGivesBackWhatTheFormatCarries() {
        ChannelTable saved;
        sample::fill(saved);
        // Every mode, every step, every squelch, every shift, with and
        // without a skip mark; the frequencies fit their steps.
        const QStringList types{"None", "TSQ", "DCS", "Train", "SQ"};
        const QStringList shifts{"Off", "+", "-"};
        for (int i = 0; i < tables::StepCount; ++i) {
            const QByteArray frequency = QByteArray::number(30 + i * 50) + ".00000MHz";
            const QByteArray mode = tables::modeTexts().at(i % 7).toLatin1();
            const QByteArray type = types.at(i % 5).toLatin1();
            const QByteArray shift = shifts.at(i % 3).toLatin1();
            saved.setRow(100 + i,
                         sample::makeRow({frequency.constData(), mode.constData(), i,
                                          i % 4 == 0 ? 28 : i, type.constData(), i * 2, i * 5,
                                          shift.constData(), i % 3 ? "5.00000MHz" : "0.00000MHz",
                                          i % 2 == 1, QStringLiteral("CH%1 東ｶﾅ").arg(i)}));
        }
        const ExportResult exported = exportLines(saved);
        QCOMPARE(exported.lines.first(), QString(FullHeading));
        QCOMPARE(exported.lines.size(), exported.channels + 1);
        QCOMPARE(exported.lines.at(1), QStringLiteral("1,CALL,145.000000,,0.000000,,88.5,88.5,023,"
                                                      "NN,023,Tone->Tone,FM,5.00,,,0,,,,"));
        QCOMPARE(exported.lines.at(2),
                 QStringLiteral("2,東京都消防庁指令センター本部通信,433.125000,+,5.000000,TSQL,"
                                "250.3,250.3,023,NN,023,Tone->Tone,NFM,12.50,S,,1,,,,"));
        QVERIFY(exported.lines.at(3).startsWith("3,ｴｱﾊﾞﾝﾄﾞ 管制,118.008330,-,1.008330,DTCS,88.5,"
                                                "88.5,754,NN,754,"));
        QVERIFY(exported.lines.at(4).contains(",\"a\"\"b\",7.045050,")); // a quote doubled

        // The report names exactly the channels with a code the format has
        // no place for.
        QSet<int> named;
        for (const FileNotice& n : exported.report)
            named << exported.lines.at(n.line - 1).section(',', 0, 0).toInt();
        QSet<int> lossy;
        for (int r = 1; r <= ChannelTable::RowCount; ++r) {
            const QString type = saved.text(r, ColToneType);
            if (saved.inUse(r) &&
                (type == "Train" || type == "SQ" || saved.codes(r).train != tables::TrainDefault))
                lossy << r;
        }
        QCOMPARE(named, lossy);
        QVERIFY(lossy.contains(1701) && lossy.contains(103) && lossy.contains(104));

        ChannelTable loaded;
        const ImportResult result = import(exported.lines.join("\r\n"), loaded);
        QVERIFY2(result.outcome.ok, qPrintable(result.outcome.reason));
        QCOMPARE(result.refused, 0);
        // Only the name of 32 bytes is changed: names are cut to 16 bytes.
        QCOMPARE(result.changed, 1);
        QCOMPARE(result.outcome.notices.size(), 1);
        QCOMPARE(result.outcome.notices.first().text,
                 QStringLiteral("row 2: changed: name \"東京都消防庁指令センター本部通信\": "
                                "\"東京都消防庁指令\""));
        QCOMPARE(int(result.rows.size()), exported.channels);
        int i = 0;
        for (int r = 1; r <= ChannelTable::RowCount; ++r) {
            if (!saved.inUse(r))
                continue;
            ChannelRow back = result.rows.at(size_t(i)).channel;
            QCOMPARE(result.rows.at(size_t(i)).row, i + 1); // in the order of the file
            back.cells[ColLabel].clear();
            ChannelRow want = carried(saved.row(r));
            if (r == 2)
                want.cells[ColName].truncate(8);
            QVERIFY2(back.cells == want.cells && back.codes == want.codes,
                     qPrintable(QStringList(back.cells.begin(), back.cells.end()).join('|')));
            ++i;
        }
    }

    void handWrittenLinesInEveryForm() {
        const QStringList lines{
            FullHeading,
            line({{Tone, "Tone"}, {RToneFreq, "100.0"}}),                            // 2
            line({{Tone, "TSQL"}, {RToneFreq, "100.0"}, {CToneFreq, "123.0"}}),      // 3
            line({{Tone, "TSQL"}, {RToneFreq, "131.8"}}),                            // 4
            line({{Tone, "DTCS"}, {DtcsCode, "754"}, {RxDtcsCode, "023"}}),          // 5
            line({{Tone, "DTCS"}, {DtcsCode, "25"}, {DtcsPolarity, "RN"}}),          // 6
            line({{Tone, "Cross"}, {RToneFreq, "100.0"}, {CToneFreq, "123.0"}}),     // 7
            line({{Tone, "Cross"}, {CrossMode, "Tone->DTCS"}, {RxDtcsCode, "114"}}), // 8
            line({{Tone, "Cross"}, {CrossMode, "DTCS->Tone"}, {CToneFreq, "67.0"}}), // 9
            line({{Tone, "Cross"}, {CrossMode, "->Tone"}, {CToneFreq, "250.3"}}),    // 10
            line({{Tone, "Cross"}, {CrossMode, "->DTCS"}, {RxDtcsCode, "026"}}),     // 11
            line({{Tone, "Cross"}, {CrossMode, "DTCS->"}, {DtcsCode, "754"}}),       // 12
            line({{Tone, "Cross"},
                  {CrossMode, "DTCS->DTCS"},
                  {DtcsCode, "023"},
                  {RxDtcsCode, "031"}}),                                                  // 13
            line({{Tone, "TSQL-R"}, {CToneFreq, "100.0"}}),                               // 14
            line({{Tone, "DTCS-R"}}),                                                     // 15
            line({{Frequency, "146.520000"}, {Duplex, "split"}, {Offset, "446.520000"}}), // 16
            line({{Frequency, "446.520000"}, {Duplex, "split"}, {Offset, "146.520000"}}), // 17
            line({{Frequency, "1.000000"}, {Duplex, "split"}, {Offset, "1200.000000"}}),  // 18
            line({{Duplex, "off"}, {Offset, "0.600000"}}),                                // 19
            line({{Mode, "NAM"}, {Skip, "P"}}),                                           // 20
            line({{Mode, "DV"}, {Name, "D-STAR"}}),                                       // 21
            line({{Frequency, "145.123450"}}),                                            // 22
            line({{Frequency, "145.123456"}}),                                            // 23
            line({{Name, "東京ｴｱﾊﾞﾝﾄﾞ管制塔です"}, {Skip, "S"}}),                         // 24
            line({{Name, "Rep, \"North\" ☃"}}),                                           // 25
            line({{TStep, "7.50"}, {Frequency, "145.012500"}}),                           // 26
            line({{TStep, "12.50"}, {Frequency, "145.012500"}}),                          // 27
            line({{Tone, "TSQL"}, {CToneFreq, "89.0"}}),                                  // 28
            line({{Duplex, "+"}, {Offset, "1000.000000"}}),                               // 29
            line({{Frequency, "1300.000000"}}),                                           // 30
            line({{Duplex, "split"}, {Offset, ""}}),                                      // 31
        };
        ChannelTable table;
        table.setRow(20, sample::makeRow({"50.00000MHz", "AM", 0, 28, "None", 8, 0, "Off",
                                          "0.00000MHz", false, QStringLiteral("KEEP"), 12}));
        const ImportResult result = import(lines.join("\r\n") + "\r\n", table);
        QVERIFY(result.outcome.ok);
        QMap<int, ChannelRow> rows;
        for (const PlacedRow& placed : result.rows)
            rows.insert(placed.row, placed.channel);
        // Row r holds the line r + 1.
        const auto squelch = [&](int r) {
            const ChannelRow& row = rows.value(r);
            return row.text(ColToneType) + ' ' + row.text(ColRxTone) + ' ' + row.text(ColDcs);
        };
        // Rows 1 to 14: a transmit tone only, then the tone and code forms in
        // the order of the file; cToneFreq is a placeholder in row 3.
        const QStringList squelches{"None 88.5Hz 023", "TSQ 123.0Hz 023", "TSQ 131.8Hz 023",
                                    "DCS 88.5Hz 754",  "DCS 88.5Hz 025",  "TSQ 123.0Hz 023",
                                    "DCS 88.5Hz 114",  "TSQ 67.0Hz 023",  "TSQ 250.3Hz 023",
                                    "DCS 88.5Hz 026",  "None 88.5Hz 023", "DCS 88.5Hz 031",
                                    "None 88.5Hz 023", "None 88.5Hz 023"};
        for (int r = 1; r <= 14; ++r)
            QCOMPARE(squelch(r), squelches.at(r - 1));
        QVERIFY(noticeOf(result, 6).contains("changed: DCS polarity RN: NN"));
        QVERIFY(noticeOf(result, 14).contains("reverse squelch TSQL-R"));
        QVERIFY(noticeOf(result, 15).contains("reverse squelch DTCS-R"));
        for (int fileLine = 2; fileLine <= 13; ++fileLine)
            if (fileLine != 6)
                QVERIFY2(noticeOf(result, fileLine).isEmpty(),
                         qPrintable(noticeOf(result, fileLine)));

        const auto shift = [&](int r) {
            return rows.value(r).text(ColShift) + ' ' + rows.value(r).text(ColOffset);
        };
        QCOMPARE(shift(15), QStringLiteral("+ 300.00000MHz"));
        QCOMPARE(shift(16), QStringLiteral("- 300.00000MHz"));
        QCOMPARE(shift(17), QStringLiteral("Off 0.00000MHz"));
        QVERIFY(noticeOf(result, 18).contains("over 999.99995 MHz"));
        QCOMPARE(shift(18), QStringLiteral("Off 0.60000MHz"));
        QCOMPARE(shift(28), QStringLiteral("Off 0.00000MHz"));
        QVERIFY(noticeOf(result, 29).contains("over 999.99995 MHz"));

        QCOMPARE(rows.value(19).text(ColMode), QStringLiteral("AM"));
        QCOMPARE(rows.value(19).text(ColSkip), QString());
        QCOMPARE(noticeOf(result, 20),
                 QStringLiteral("row 19: changed: mode NAM: AM; priority mark P: no mark"));
        QCOMPARE(noticeOf(result, 21),
                 QStringLiteral("row 20: refused: digital mode DV is not received"));
        QVERIFY(!rows.contains(20)); // a refused line leaves its row as it was
        applyImport(result, table);
        QCOMPARE(table.text(20, ColName), QStringLiteral("KEEP"));
        QCOMPARE(table.text(21, ColFrequency), QStringLiteral("145.12345MHz"));
        QCOMPARE(table.text(21, ColStep), QStringLiteral("50Hz"));
        QVERIFY(noticeOf(result, 22).contains("step 5KHz does not fit the frequency: 50Hz"));
        QVERIFY(noticeOf(result, 23).startsWith("row 22: refused: frequency \"145.123456\""));
        // 16 bytes at most, cut at a character; outside the code page: "?".
        QCOMPARE(table.text(23, ColName), QStringLiteral("東京ｴｱﾊﾞﾝﾄﾞ管制"));
        QCOMPARE(table.text(23, ColSkip), QStringLiteral("*"));
        QCOMPARE(table.text(24, ColName), QStringLiteral("Rep, \"North\" ?"));
        QVERIFY(noticeOf(result, 25).contains("changed: name"));
        QCOMPARE(table.text(25, ColStep), QStringLiteral("6.25KHz"));
        QVERIFY(
            noticeOf(result, 26).contains("step 7.50 kHz is not a step of the receiver: 6.25KHz"));
        QCOMPARE(table.text(26, ColStep), QStringLiteral("12.5KHz"));
        QVERIFY(noticeOf(result, 28).contains("refused: tone \"89.0\""));
        QVERIFY(noticeOf(result, 30).contains("refused: frequency 1300.000000 MHz is outside"));
        QVERIFY(noticeOf(result, 31).contains("refused: Duplex split without"));
        QCOMPARE(result.refused, 5);
        QCOMPARE(table.codes(1).txTone, quint8(8));
        QCOMPARE(table.codes(19).inUse, quint8(1));
        QVERIFY(!table.inUse(30));
    }

    void semicolonsBomOlderColumnsAndTheBugDetectorRows() {
        // A spreadsheet's semicolons with decimal commas, a byte-order mark,
        // LF line ends, columns in another order, a quoted line end.
        const QByteArray text = "\xEF\xBB\xBF"
                                "Name;Frequency;Mode;Tone;cToneFreq;Duplex;Offset;TStep\n"
                                "\"Two\nlines\";145,500000;FM;TSQL;127,3;-;0,600000;12,50\n"
                                "\n"
                                "Kanji 漢字;439,100000;NFM;;88,5;;0;6,25\n";
        ChannelTable table;
        ImportResult result = parseImport(delimited::parse(text), table, 1699);
        QVERIFY(result.outcome.ok);
        QCOMPARE(int(result.rows.size()), 2);
        const ChannelRow& first = result.rows.front().channel;
        QCOMPARE(result.rows.front().row, 1699);
        QCOMPARE(first.text(ColFrequency), QStringLiteral("145.50000MHz"));
        QCOMPARE(first.text(ColRxTone), QStringLiteral("127.3Hz"));
        QCOMPARE(first.text(ColOffset), QStringLiteral("0.60000MHz"));
        QCOMPARE(first.text(ColStep), QStringLiteral("12.5KHz"));
        QCOMPARE(first.text(ColName), QStringLiteral("Two?lines")); // no line end in a name
        const ChannelRow& second = result.rows.back().channel;
        QCOMPARE(result.rows.back().row, 1700); // the blank line holds no channel
        QCOMPARE(second.text(ColName), QStringLiteral("Kanji 漢字"));
        QCOMPARE(second.text(ColStep), QStringLiteral("6.25KHz"));
        QCOMPARE(second.text(ColMode), QStringLiteral("NFM"));
        QCOMPARE(noticeOf(result, 2), QStringLiteral("row 1699: changed: name \"Two\nlines\": "
                                                     "\"Two?lines\""));

        // Lines that would land past row 1700 are refused, by their lines.
        result = parseImport(delimited::parse(text + "x;1,0;FM\n"), table, 1700);
        QCOMPARE(int(result.rows.size()), 1);
        QCOMPARE(result.rows.front().row, 1700);
        QCOMPARE(result.refused, 2);
        QVERIFY(noticeOf(result, 5).startsWith("row 1701: refused: only rows 1-1700"));
        QVERIFY(noticeOf(result, 6).startsWith("row 1702: refused"));

        // An older file: no cross-mode or receive-code columns.
        const QString older = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                              "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\n"
                              "0,Old,162.550000,,0.000000,DTCS,88.5,88.5,411,NN,FM,25.00,,x\n"
                              "1,OldCross,162.550000,,0.000000,Cross,88.5,88.5,411,NN,FM,25.00,,\n";
        result = import(older, table);
        QCOMPARE(int(result.rows.size()), 1);
        QCOMPARE(result.rows.front().channel.text(ColDcs), QStringLiteral("411"));
        QVERIFY(noticeOf(result, 3).contains("refused: CrossMode \"\""));
    }

    void aFileThatIsNoChannelListIsRefusedWhole() {
        ChannelTable table;
        for (const QString& text :
             {QString(), QStringLiteral("\n\n"), QStringLiteral("Location,Name,Freq\n1,A,145\n")}) {
            const ImportResult result = import(text, table);
            QVERIFY(!result.outcome.ok);
            QCOMPARE(result.outcome.message, QStringLiteral("Channel List Error"));
        }
    }
};

QTEST_GUILESS_MAIN(TestChannelList)
#include "tst_channel_list.moc"
