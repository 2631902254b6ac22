// The clone file: saving and opening the channel table, every rule of the
// channel line, and that a failing line changes nothing.
#include "files/clone_channels.h"
#include "files/clone_file.h"
#include "files/clone_port.h"
#include "files/config_file.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "model/code_page.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

// A table with its channel and port sections.
struct Data {
    ChannelTable table;
    clone::ChannelSection channels{table};
    int port = 3;
    clone::PortSection portSection{[this] { return port; }};
    clone::CloneSections sections;
    Data() {
        sections.set(clone::Slot::Channels, &channels);
        sections.set(clone::Slot::Port, &portSection);
    }
    FileOutcome read(const QStringList& lines) {
        return clone::readCloneText(textfile::joinLines(lines), sections);
    }
};

// A good line of entry 5 to change one field of: 145.00000 MHz, FM, 5 kHz.
QString goodLine() {
    return QStringLiteral("CH0005"
                          "0145.00000" // frequency
                          "0"          // mode
                          "00"         // step
                          "28"         // train tone
                          "0"          // tone type
                          "08"         // transmit tone
                          "08"         // CTCSS tone
                          "000"        // DCS
                          "0"          // shift
                          "000.00000"  // offset
                          "0");        // skip
}

QString withField(QString line, int position, const QString& text) {
    return line.replace(position - 1, text.size(), text);
}

void compareRows(const ChannelTable& got, const ChannelTable& want, int r) {
    for (int c = ColFrequency; c <= ColName; ++c)
        QVERIFY2(got.text(r, c) == want.text(r, c),
                 qPrintable(QStringLiteral("row %1 column %2: %3 / %4")
                                .arg(r)
                                .arg(c)
                                .arg(got.text(r, c), want.text(r, c))));
    QCOMPARE(got.codes(r), want.codes(r));
}

} // namespace

class TestCloneFile : public QObject {
    Q_OBJECT
private slots:
    void savesAndOpensAVariedTable() {
        Data saved;
        sample::fill(saved.table);
        QTemporaryDir dir;
        const QString path = dir.filePath("all.v70");
        QVERIFY(clone::WriteCloneFile(path, saved.sections).ok);

        Data opened;
        opened.table.setLabels(std::vector<QString>(1722, QStringLiteral("label")));
        const FileOutcome outcome = clone::ReadCloneFile(path, opened.sections);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(outcome.message, QStringLiteral("Read File"));
        QCOMPARE(outcome.title, QStringLiteral("Finish"));
        QVERIFY(outcome.notices.isEmpty());
        for (int r = 1; r <= ChannelTable::RowCount; ++r) {
            QCOMPARE(opened.table.inUse(r), saved.table.inUse(r));
            if (saved.table.inUse(r))
                compareRows(opened.table, saved.table, r);
        }
        QCOMPARE(opened.table.text(2, ColLabel), QStringLiteral("label")); // labels stay
        QCOMPARE(opened.table.text(2, ColMode), QStringLiteral("NFM"));    // the file keeps NFM
    }

    void writesTheLinesInOrder() {
        Data data;
        sample::fill(data.table);
        data.table.setRow(4, sample::makeRow({"145.00000MHz", "NFM", 4, 28, "TSQ", 12, 103, "+",
                                              "5.00000MHz", true, QStringLiteral("ABC"), 8}));
        data.port = 12;
        const QStringList lines =
            clone::cloneLines(data.sections, QDateTime(QDate(2010, 6, 1), QTime(9, 5, 7)));
        QVERIFY(lines.first().startsWith("Save Date and Time "));
        QCOMPARE(lines.at(4), QStringLiteral("CH00030145.0000020428308121031005.000001ABC"));
        QCOMPARE(lines.at(1), QStringLiteral("CH00000145.0000000028008080000000.000000CALL"));
        // 10 sample rows + the 20 untouched bug rows + row 4, ascending.
        QCOMPARE(std::count_if(lines.begin(), lines.end(),
                               [](const QString& l) { return l.startsWith("CH"); }),
                 31);
        QVERIFY(lines.at(lines.size() - 3).startsWith("CH1720"));
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("COMPORT12"));
        QCOMPARE(lines.last(), QStringLiteral("File End"));

        // The configuration file is a clone file; the start-up finds the port.
        QTemporaryDir dir;
        const QString ini = dir.filePath("RZ-V70_Writer.INI");
        QVERIFY(clone::WriteCloneFile(ini, data.sections).ok);
        QCOMPARE(config::readPort(ini).port, 12);
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("COMPORT12\r\nFile End\r\n"));
        QVERIFY(bytes.contains(cp932::encode(QStringLiteral("東京都消防庁指令センター本部通信"))));
        data.port = 3;
        QCOMPARE(clone::cloneLines(data.sections, {}).at(lines.size() - 2),
                 QStringLiteral("COMPORT03"));
    }

    void writerKeepsEveryLineReadable() {
        // Codes out of their tables (as a receiver record may hold them), a
        // name with a line end, and names over 32 bytes: the file still opens.
        Data data;
        ChannelRow odd = sample::makeRow({"4294.96729MHz", "", 0, 0, "Tone", 8, 0, "Off",
                                          "1234.00000MHz", false, QStringLiteral("A\r\nB")});
        odd.codes.step = 200;
        odd.codes.train = 99;
        odd.codes.rxTone = 60;
        odd.codes.dcs = 250;
        data.table.setRow(9, odd);
        data.table.setRow(10, sample::makeRow({"145.00000MHz", "FM", 0, 0, "None", 8, 0, "Off",
                                               "0.00000MHz", false, QString(20, QChar(0x3042))}));
        const QStringList lines = clone::cloneLines(data.sections, {});
        QCOMPARE(lines.at(1), QStringLiteral("CH00084294.9672900000008000000999.999990AB"));
        QCOMPARE(cp932::byteLength(lines.at(2).mid(40)), 32);

        Data opened;
        QVERIFY(opened.read(lines).ok);
        QVERIFY(opened.table.inUse(9));
        QCOMPARE(opened.table.text(9, ColName), QStringLiteral("AB"));
        QCOMPARE(opened.table.text(10, ColName), QString(16, QChar(0x3042)));
    }

    void readsTheFieldsOfAChannelLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("frequency") << goodLine() << int(ColFrequency) << "145.00000MHz";
        QTest::newRow("low frequency")
            << withField(goodLine(), 7, "0000.05000") << int(ColFrequency) << "0.05000MHz";
        QTest::newRow("mode NFM") << withField(goodLine(), 17, "2") << int(ColMode) << "NFM";
        QTest::newRow("mode CW") << withField(goodLine(), 17, "6") << int(ColMode) << "CW";
        QTest::newRow("mode 9") << withField(goodLine(), 17, "9") << int(ColMode) << "FM";
        QTest::newRow("tone type 3") << withField(goodLine(), 22, "3") << int(ColToneType) << "TSQ";
        QTest::newRow("tone type 2")
            << withField(goodLine(), 22, "2") << int(ColToneType) << "None";
        QTest::newRow("tone type 1")
            << withField(goodLine(), 22, "1") << int(ColToneType) << "Train";
        QTest::newRow("shift 2") << withField(goodLine(), 30, "2") << int(ColShift) << "-";
        QTest::newRow("shift 7") << withField(goodLine(), 30, "7") << int(ColShift) << "Off";
        QTest::newRow("offset") << withField(goodLine(), 31, "005.00000") << int(ColOffset)
                                << "5.00000MHz";
        QTest::newRow("skip") << withField(goodLine(), 40, "1") << int(ColSkip) << "*";
        QTest::newRow("skip x") << withField(goodLine(), 40, "x") << int(ColSkip) << "";
        QTest::newRow("tx tone") << withField(goodLine(), 23, "38") << int(ColTxTone) << "250.3Hz";
        QTest::newRow("CTCSS") << withField(goodLine(), 25, "00") << int(ColRxTone) << "67.0Hz";
        QTest::newRow("DCS") << withField(goodLine(), 27, "103") << int(ColDcs) << "754";
        QTest::newRow("train") << withField(goodLine(), 20, "00") << int(ColTrain) << "300Hz";
        QTest::newRow("no name") << goodLine() << int(ColName) << "";
        QTest::newRow("name") << goodLine() + " 漢字 " << int(ColName) << " 漢字 ";
        // The step is tested against both fractions: 12.5 kHz does not fit.
        QTest::newRow("step kept") << withField(goodLine(), 18, "04") << int(ColStep) << "12.5KHz";
        QTest::newRow("step to 5k")
            << withField(withField(goodLine(), 18, "04"), 12, "00500") << int(ColStep) << "5KHz";
        QTest::newRow("step to 6.25k")
            << withField(withField(goodLine(), 18, "04"), 12, "00625") << int(ColStep) << "6.25KHz";
        QTest::newRow("step to 50Hz")
            << withField(withField(goodLine(), 18, "04"), 12, "00010") << int(ColStep) << "50Hz";
        QTest::newRow("offset decides")
            << withField(withField(goodLine(), 18, "05"), 35, "00500") << int(ColStep) << "5KHz";
    }

    void readsTheFieldsOfAChannelLine() {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QString, text);
        Data data;
        const FileOutcome outcome = data.read({"header", line});
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(data.table.text(6, column), text);
        QVERIFY(data.table.inUse(6));
        const int step = tables::stepTexts().indexOf(data.table.text(6, ColStep));
        QCOMPARE(int(data.table.codes(6).step), step);
    }

    void aFailingLineChangesNothing_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("why");
        QTest::newRow("39 characters") << goodLine().left(39) << "40 characters";
        QTest::newRow("entry 1721") << withField(goodLine(), 3, "1721") << "entry";
        QTest::newRow("entry -001") << withField(goodLine(), 3, "-001") << "entry";
        QTest::newRow("step 18") << withField(goodLine(), 18, "18") << "step";
        QTest::newRow("train 29") << withField(goodLine(), 20, "29") << "train";
        QTest::newRow("tx tone 39") << withField(goodLine(), 23, "39") << "transmit";
        QTest::newRow("CTCSS 39") << withField(goodLine(), 25, "39") << "CTCSS";
        QTest::newRow("DCS 104") << withField(goodLine(), 27, "104") << "DCS";
        QTest::newRow("fraction") << withField(goodLine(), 12, "0x000") << "frequency";
        QTest::newRow("offset") << withField(goodLine(), 31, " 5") << "offset";
    }

    void aFailingLineChangesNothing() {
        QFETCH(QString, line);
        QFETCH(QString, why);
        Data data;
        sample::fill(data.table);
        Data before;
        sample::fill(before.table);
        // A good line before the bad one is not applied either, and no entry
        // is cleared.
        const FileOutcome outcome = data.read({"header", goodLine(), "BK0100", line, "File End"});
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.line, 4);
        QCOMPARE(outcome.title, QStringLiteral("Error"));
        QVERIFY2(outcome.reason.contains(why), qPrintable(outcome.reason));
        QVERIFY(outcome.message.startsWith("Line 4: "));
        for (int r = 1; r <= ChannelTable::RowCount; ++r) {
            QCOMPARE(data.table.inUse(r), before.table.inUse(r));
            compareRows(data.table, before.table, r);
        }
    }

    void anOpenClearsEntriesBelow1700Only() {
        Data data;
        sample::fill(data.table);
        // The first line is skipped even when it is a channel line; unknown
        // and foreign lines are skipped.
        const FileOutcome outcome =
            data.read({withField(goodLine(), 3, "0000"), "COMPORT05", "XX", "CH", "TITLEabc",
                       withField(goodLine(), 3, "1720"), "File End"});
        QVERIFY(!outcome.ok); // the bare "CH" line is too short
        QVERIFY(data.table.inUse(1));

        QVERIFY(data.read({withField(goodLine(), 3, "0000"), "COMPORT05", "XX", "TITLEabc",
                           withField(goodLine(), 3, "1720") + "BUG"})
                    .ok);
        for (int r = 1; r <= 1700; ++r)
            QVERIFY2(!data.table.inUse(r) && data.table.text(r, ColFrequency).isEmpty() &&
                         data.table.codes(r) == ChannelCodes::afterClear(),
                     qPrintable(QString::number(r)));
        QCOMPARE(data.table.text(1705, ColName), QStringLiteral("虫")); // bug rows kept
        QCOMPARE(data.table.text(1721, ColName), QStringLiteral("BUG"));
        QCOMPARE(data.table.text(1702, ColFrequency), QStringLiteral("399.45500MHz"));
    }

    void nameLimitIs32BytesInTheCodePage() {
        Data data;
        const QString line16 = withField(goodLine(), 3, "0001") + QString(16, QChar(0x3042));
        const QString line17 = withField(goodLine(), 3, "0002") + QString(17, QChar(0x3042));
        const QString ascii32 = withField(goodLine(), 3, "0003") + QString(32, QChar('x'));
        const QString bug = withField(goodLine(), 3, "1701") + QString(33, QChar('x'));
        const FileOutcome outcome = data.read({"header", line16, line17, ascii32, bug});
        QVERIFY(outcome.ok);
        QCOMPARE(data.table.text(2, ColName), QString(16, QChar(0x3042)));
        QVERIFY(data.table.inUse(2));
        QVERIFY(!data.table.inUse(3)); // 34 bytes: fields taken, not in use
        QCOMPARE(data.table.text(3, ColName), QString());
        QCOMPARE(data.table.text(3, ColFrequency), QStringLiteral("145.00000MHz"));
        QVERIFY(data.table.inUse(4));
        QVERIFY(data.table.inUse(1702)); // a bug row keeps its flag
        QCOMPARE(data.table.text(1702, ColName), QString());
        QCOMPARE(outcome.notices.size(), 2);
        QCOMPARE(outcome.notices.first().line, 3);
    }

    void fileNamesAndFailures() {
        QTemporaryDir dir;
        Data data;
        sample::fill(data.table);
        QVERIFY(clone::WriteCloneFile(dir.filePath("a.V70"), data.sections).ok);
        QFile::copy(dir.filePath("a.V70"), dir.filePath("a.txt"));

        Data other;
        FileOutcome outcome = clone::ReadCloneFile(dir.filePath("a.txt"), other.sections);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message, QStringLiteral("Can't open the file."));
        QCOMPARE(outcome.title, QStringLiteral("Error"));
        QVERIFY(!other.table.inUse(1));
        QVERIFY(!clone::ReadCloneFile(dir.filePath("missing.V70"), other.sections).ok);
        QVERIFY(!other.read({}).ok); // an empty file is no clone file
        QVERIFY(clone::ReadCloneFile(dir.filePath("a.V70"), other.sections).ok);
        QVERIFY(other.table.inUse(1));

        outcome = clone::WriteCloneFile(dir.filePath("no/such/dir/x.V70"), data.sections);
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.reason.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCloneFile)
#include "tst_clone_file.moc"
