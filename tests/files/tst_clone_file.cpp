// The clone file (*.V70) of the whole data set: every area survives a save
// and an open, each line is read, skipped or refused as its rules say, and a
// file that fails anywhere changes nothing at all.
#include "files/clone_file.h"
#include "files/config_file.h"
#include "files/data_set_sections.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "model/code_page.h"
#include "model/data_set_snapshot.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

// A data set with its sections, as the program starts.
struct Data {
    DataSet set;
    int port = 1;
    clone::DataSetSections sections{set, [this] { return port; }};
    Data() { clone::loadStartUpState(set); }
    FileOutcome read(const QStringList& lines) {
        return clone::readCloneText(textfile::joinLines(lines), sections.sections());
    }
    QStringList lines() const { return clone::cloneLines(sections.sections(), {}); }
};

// Every area away from its start-up state.
void vary(Data& d) {
    DataSet& s = d.set;
    sample::fill(s.channels);
    std::array<int, BankLayout::BankCount> sizes{};
    for (int b = 0; b < 40; ++b)
        sizes[size_t(b)] = 30; // banks 40..49 empty
    s.banks.setSizes(sizes);
    RefreshBankRowLabels(s.banks, s.channels);
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k)
        s.oneTouch.setKey(k,
                          k % 3 == 0 ? OneTouchKey{0, k, true} : OneTouchKey{k * 4, 29 - k, false});
    s.settings.setTitle(QStringLiteral("受信機タイトル表示"));
    for (int g = 0; g < BankLinkTable::GroupCount; ++g)
        for (int b = 0; b < BankLinkTable::BankCount; ++b)
            s.bankLinks.setEntry(g, b, (g + b) % 3 == 0 ? 1 : 0);
    for (int b = 40; b < BankLinkTable::BankCount; ++b)
        s.bankLinks.setEmptyFlag(b, true);
    settings::Positions positions{};
    for (settings::ListId id : settings::allLists())
        positions[size_t(settings::flatIndex(id))] =
            (settings::flatIndex(id) + 1) % settings::entryCount(id);
    positions[size_t(settings::flatIndex(settings::IqOutput))] = 0; // never both on
    QVERIFY(s.settings.setPositions(positions));
    d.port = 12;
}

// The areas (DataSetSnapshot flags) in which two data sets differ.
int differences(const DataSet& a, const DataSet& b) {
    return DataSetSnapshot::take(a).differences(DataSetSnapshot::take(b));
}

// What a save and an open keep: the rows in use, the bank links as members
// with their empty flags, and every other area exactly.
void compareSaved(const DataSet& got, const DataSet& want) {
    for (int r = 1; r <= ChannelTable::RowCount; ++r)
        QVERIFY2(
            got.channels.inUse(r) == want.channels.inUse(r) &&
                (!want.channels.inUse(r) || sameRow(got.channels.row(r), want.channels.row(r))),
            qPrintable(QString::number(r)));
    for (int b = 0; b < BankLinkTable::BankCount; ++b) {
        QCOMPARE(got.bankLinks.emptyFlag(b), want.bankLinks.emptyFlag(b));
        for (int g = 0; g < BankLinkTable::GroupCount; ++g)
            QCOMPARE(got.bankLinks.isMember(g, b), want.bankLinks.isMember(g, b));
    }
    QCOMPARE(differences(got, want) & ~(DataSetSnapshot::Channels | DataSetSnapshot::BankLinks), 0);
}

// A good line of entry 5 (row 6): 145.00000 MHz, FM, 5 kHz, JR, no tone. Its fields start at
// entry 3, frequency 7, mode 17, step 18, train 20, tone type 22, transmit tone 23, CTCSS 25,
// DCS 27, shift 30, offset 31, skip 40, name 41.
const QString GoodLine = QStringLiteral("CH00050145.0000000028008080000000.000000");

// The line with text put at a 1-based position (41: after the line).
QString withField(const QString& line, int position, const QString& text) {
    return line.left(position - 1) + text + line.mid(position - 1 + text.size());
}

QString lineStarting(const QStringList& lines, const QString& tag) {
    for (const QString& line : lines)
        if (line.startsWith(tag))
            return line;
    return QString();
}

enum Expect { Applied, Skipped, Refused };

} // namespace

class TestCloneFile : public QObject {
    Q_OBJECT
private slots:
    void savesAndOpensEveryArea() {
        Data saved;
        vary(saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("all.v70"); // a lower-case ending opens too
        QVERIFY(saved.sections.save(path).ok);
        const QByteArray bytes = test::readFile(path);
        QVERIFY(bytes.endsWith("\r\nCOMPORT12\r\nFile End\r\n"));
        QVERIFY(bytes.contains(cp932::encode(QStringLiteral("東京都消防庁指令センター本部通信"))));

        Data opened;
        FileOutcome outcome = opened.sections.open(path);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(outcome.message + "|" + outcome.title, QStringLiteral("Read File|Finish"));
        QVERIFY(outcome.notices.isEmpty());
        compareSaved(opened.set, saved.set);
        // The rows are relabelled after the new bank sizes.
        QCOMPARE(opened.set.channels.text(31, ColLabel), bankRowLabel(1, 0));

        // Only a ".V70" name opens; an empty file changes nothing.
        QFile::copy(path, dir.filePath("all.txt"));
        Data other;
        outcome = other.sections.open(dir.filePath("all.txt"));
        QCOMPARE(outcome.message + "|" + outcome.title,
                 QStringLiteral("Can't open the file.|Error"));
        QVERIFY(!other.read({}).ok);
        QVERIFY(!other.set.channels.inUse(1));

        // The configuration file's folder is made when missing.
        const QString ini = dir.filePath("user/config/RZ-V70_Writer.INI");
        QVERIFY(config::write(ini, saved.sections.sections()).ok);
        QCOMPARE(config::readPort(ini).port, 12);
    }

    void writesEachLineInItsPlace() {
        Data d;
        vary(d);
        d.set.channels.setRow(4, sample::makeRow({"145.00000MHz", "NFM", 4, 28, "TSQ", 12, 103, "+",
                                                  "5.00000MHz", true, QStringLiteral("ABC"), 8}));
        const QStringList lines =
            clone::cloneLines(d.sections.sections(), QDateTime(QDate(2010, 6, 1), QTime(9, 5, 7)));
        QVERIFY(lines.first().startsWith("Save Date and Time "));
        QCOMPARE(lines.at(1), QStringLiteral("CH00000145.0000000028008080000000.000000CALL"));
        QCOMPARE(lines.at(4), QStringLiteral("CH00030145.0000020428308121031005.000001ABC"));
        // 10 sample rows, the 20 untouched bug rows and row 4, ascending.
        const QStringList channels = lines.filter(QRegularExpression("^CH"));
        QCOMPARE(channels.size(), 31);
        QCOMPARE(lines.mid(1, 31), channels);
        QVERIFY(channels.last().startsWith("CH1720"));

        const QString bk = lineStarting(lines, "BK");
        QCOMPARE(bk.size(), clone::BankLineLength);
        QCOMPARE(bk.left(10), QStringLiteral("BK00300030"));
        QCOMPARE(lineStarting(lines, "ONETOUCH_BANK"),
                 QStringLiteral("ONETOUCH_BANK255004008255016020255028032"));
        QCOMPARE(lineStarting(lines, "ONETOUCH_CHDA"),
                 QStringLiteral("ONETOUCH_CHDA000028027003025024006022021"));
        QCOMPARE(lineStarting(lines, "TITLE"), QStringLiteral("TITLE受信機タイトル表示"));
        QCOMPARE(lineStarting(lines, "GRD01"),
                 QStringLiteral("GRD01") + QString("001").repeated(13) + QString(11, '0'));
        QCOMPARE(lineStarting(lines, "GRI"),
                 QStringLiteral("GRI") + QString(40, '0') + QString(10, '1'));
        QCOMPARE(lineStarting(lines, "SD02"), QStringLiteral("SD02001004001"));
        QCOMPARE(lineStarting(lines, "SD00").size(), 25);
        QCOMPARE(lineStarting(lines, "SD08").size(), 55);
        const int title = int(lines.indexOf(lineStarting(lines, "TITLE")));
        QCOMPARE(lines.mid(title, 16).last(), lineStarting(lines, "SD02"));
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"COMPORT12", "File End"}));
        d.port = 3;
        QCOMPARE(d.lines().at(lines.size() - 2), QStringLiteral("COMPORT03"));

        // A bank total other than 1200 omits the banks and keys; opening
        // such a file keeps the banks and keys that were there.
        d.set.banks.setSize(0, 31);
        const QStringList without = d.lines();
        QVERIFY(lineStarting(without, "BK").isEmpty() && lineStarting(without, "ON").isEmpty());
        Data opened;
        const Data before;
        QVERIFY(opened.read(without).ok);
        QCOMPARE(opened.set.banks.sizes(), before.set.banks.sizes());
        QCOMPARE(opened.set.oneTouch.keys(), before.set.oneTouch.keys());
        QCOMPARE(opened.set.settings.title(), d.set.settings.title());
    }

    void writerNeverWritesWhatItsReaderRefusesAndNamesStopAt32Bytes() {
        // Codes out of their tables (as a receiver record may hold them), a
        // name with a line end, and names over 32 bytes: the file still opens.
        Data data;
        ChannelRow odd = sample::makeRow({"4294.96729MHz", "", 0, 0, "Tone", 8, 0, "Off",
                                          "1234.00000MHz", false, QStringLiteral("A\r\nB")});
        odd.codes.step = 200;
        odd.codes.train = 99;
        odd.codes.rxTone = 60;
        odd.codes.dcs = 250;
        data.set.channels.setRow(9, odd);
        data.set.channels.setRow(
            10, sample::makeRow({"145.00000MHz", "FM", 0, 0, "None", 8, 0, "Off", "0.00000MHz",
                                 false, QString(20, QChar(0x3042))}));
        const QStringList lines = data.lines();
        QCOMPARE(lines.at(1), QStringLiteral("CH00084294.9672900000008000000999.999990AB"));
        QCOMPARE(cp932::byteLength(lines.at(2).mid(40)), 32);

        Data opened;
        QVERIFY(opened.read(lines).ok);
        QVERIFY(opened.set.channels.inUse(9));
        QCOMPARE(opened.set.channels.text(9, ColName), QStringLiteral("AB"));
        QCOMPARE(opened.set.channels.text(10, ColName), QString(16, QChar(0x3042)));

        // Names are read up to 32 bytes in the code page.
        const QString line16 = withField(GoodLine, 3, "0001") + QString(16, QChar(0x3042));
        const QString line17 = withField(GoodLine, 3, "0002") + QString(17, QChar(0x3042));
        const QString ascii32 = withField(GoodLine, 3, "0003") + QString(32, QChar('x'));
        const QString bug = withField(GoodLine, 3, "1701") + QString(33, QChar('x'));
        const FileOutcome outcome = opened.read({"header", line16, line17, ascii32, bug});
        QVERIFY(outcome.ok);
        const ChannelTable& table = opened.set.channels;
        QCOMPARE(table.text(2, ColName), QString(16, QChar(0x3042)));
        QVERIFY(table.inUse(2));
        QVERIFY(!table.inUse(3)); // 34 bytes: fields taken, not in use
        QCOMPARE(table.text(3, ColName), QString());
        QCOMPARE(table.text(3, ColFrequency), QStringLiteral("145.00000MHz"));
        QVERIFY(table.inUse(4));
        QVERIFY(table.inUse(1702)); // a bug row keeps its flag
        QCOMPARE(table.text(1702, ColName), QString());
        QCOMPARE(outcome.notices.size(), 2);
        QCOMPARE(outcome.notices.first().line, 3);
    }

    void readsTheFieldsOfAChannelLine() {
        struct Case {
            const char* name;
            QList<QPair<int, QString>> edits;
            int column;
            QString text;
        };
        const Case cases[] = {
            {"frequency", {}, ColFrequency, "145.00000MHz"},
            {"low frequency", {{7, "0000.05000"}}, ColFrequency, "0.05000MHz"},
            {"mode NFM", {{17, "2"}}, ColMode, "NFM"},
            {"mode CW", {{17, "6"}}, ColMode, "CW"},
            {"mode 9", {{17, "9"}}, ColMode, "FM"},
            {"tone type 3", {{22, "3"}}, ColToneType, "TSQ"},
            {"tone type 2", {{22, "2"}}, ColToneType, "None"},
            {"tone type 1", {{22, "1"}}, ColToneType, "Train"},
            {"shift 2", {{30, "2"}}, ColShift, "-"},
            {"shift 7", {{30, "7"}}, ColShift, "Off"},
            {"offset", {{31, "005.00000"}}, ColOffset, "5.00000MHz"},
            {"skip", {{40, "1"}}, ColSkip, "*"},
            {"skip x", {{40, "x"}}, ColSkip, ""},
            {"tx tone", {{23, "38"}}, ColTxTone, "250.3Hz"},
            {"CTCSS", {{25, "00"}}, ColRxTone, "67.0Hz"},
            {"DCS", {{27, "103"}}, ColDcs, "754"},
            {"train", {{20, "00"}}, ColTrain, "300Hz"},
            {"no name", {}, ColName, ""},
            {"name", {{41, " 漢字 "}}, ColName, " 漢字 "},
            // The step is tested against both fractions: 12.5 kHz does not fit.
            {"step kept", {{18, "04"}}, ColStep, "12.5KHz"},
            {"step to 5k", {{18, "04"}, {12, "00500"}}, ColStep, "5KHz"},
            {"offset decides", {{18, "05"}, {35, "00500"}}, ColStep, "5KHz"},
        };
        // One line per case, each on its own entry.
        QStringList lines{"header"};
        for (int i = 0; i < int(std::size(cases)); ++i) {
            QString line = withField(GoodLine, 3, QString::number(i).rightJustified(4, '0'));
            for (const auto& [position, text] : cases[i].edits)
                line = withField(line, position, text);
            lines << line;
        }
        Data data;
        const FileOutcome outcome = data.read(lines);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        const ChannelTable& table = data.set.channels;
        for (int i = 0; i < int(std::size(cases)); ++i) {
            const int row = i + 1;
            QVERIFY2(table.text(row, cases[i].column) == cases[i].text && table.inUse(row),
                     cases[i].name);
            const int step = int(tables::stepTexts().indexOf(table.text(row, ColStep)));
            QVERIFY2(int(table.codes(row).step) == step, cases[i].name);
        }
    }

    void linesAreReadSkippedOrRefused_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("expect");
        QTest::addColumn<QString>("why"); // in the reason of a refusal
        Data d;
        vary(d);
        const QStringList lines = d.lines();
        const QString bk = lineStarting(lines, "BK"), grd = lineStarting(lines, "GRD03"),
                      sd = lineStarting(lines, "SD03");
        const struct {
            const char* name;
            QString line;
            Expect expect;
            const char* why;
        } cases[] = {
            {"39 characters", GoodLine.left(39), Refused, "40 characters"},
            {"entry 1721", withField(GoodLine, 3, "1721"), Refused, "entry"},
            {"entry -001", withField(GoodLine, 3, "-001"), Refused, "entry"},
            {"step 18", withField(GoodLine, 18, "18"), Refused, "step"},
            {"train 29", withField(GoodLine, 20, "29"), Refused, "train"},
            {"tx tone 39", withField(GoodLine, 23, "39"), Refused, "transmit"},
            {"CTCSS 39", withField(GoodLine, 25, "39"), Refused, "CTCSS"},
            {"DCS 104", withField(GoodLine, 27, "104"), Refused, "DCS"},
            {"fraction", withField(GoodLine, 12, "0x000"), Refused, "frequency"},
            {"offset", withField(GoodLine, 31, " 5"), Refused, "offset"},
            {"BK", bk, Applied, ""},
            {"BK 201", bk.left(201), Skipped, ""},
            {"BK 203", bk + "0", Skipped, ""},
            {"BK letter", withField(bk, 7, "00x0"), Refused, ""},
            // Sizes that do not add up to 1200 would not be saved again.
            {"BK total 1201",
             withField(bk, 3, QString::number(bk.mid(2, 4).toInt() + 1).rightJustified(4, '0')),
             Skipped, ""},
            {"GRD", grd, Applied, ""},
            {"GRD 54", grd.left(54), Skipped, ""},
            {"GRD 11", withField(grd, 4, "11"), Refused, ""},
            {"GRD letter", withField(grd, 10, "y"), Refused, ""},
            {"GRI 52", lineStarting(lines, "GRI").left(52), Skipped, ""},
            {"GRX", "GRX" + grd.mid(3), Skipped, ""},
            {"one-touch 39", lineStarting(lines, "ONETOUCH_BANK").left(39), Skipped, ""},
            {"ONETOUCH_XXXX", "ONETOUCH_XXXX" + QString(27, '0'), Skipped, ""},
            {"SD03", sd, Applied, ""},
            {"SD09", withField(sd, 3, "09"), Skipped, ""},
            {"SD beyond its list", withField(sd, 5, "099"), Refused, ""},
            {"SD short", sd.left(30), Refused, ""},
            {"title 33 bytes", "TITLE" + QString(16, QChar(0x3042)) + "x", Skipped, ""},
            {"TITLE only", "TITLE", Skipped, ""},
        };
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.line << int(c.expect) << QString::fromLatin1(c.why);
    }

    void linesAreReadSkippedOrRefused() {
        QFETCH(QString, line);
        QFETCH(int, expect);
        QFETCH(QString, why);
        Data d, before;
        sample::fill(d.set.channels);
        sample::fill(before.set.channels);
        // A good channel line and title before the line in question.
        const FileOutcome outcome = d.read({"header", GoodLine, "TITLEnew", line, "File End"});
        if (expect == Refused) { // all or nothing: no entry cleared, no area changed
            QVERIFY(!outcome.ok);
            QCOMPARE(outcome.line, 4);
            QCOMPARE(outcome.title, QStringLiteral("Error"));
            QVERIFY2(outcome.reason.contains(why), qPrintable(outcome.reason));
            QVERIFY(outcome.message.startsWith("Line 4: "));
            QCOMPARE(differences(d.set, before.set), 0);
            return;
        }
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(d.set.settings.title(), QStringLiteral("new"));
        QVERIFY(d.set.channels.inUse(6) && !d.set.channels.inUse(1));
        const bool changed = d.set.banks.sizes() != before.set.banks.sizes() ||
                             d.set.settings.positions() != before.set.settings.positions() ||
                             d.set.bankLinks.isMember(3, 0) != before.set.bankLinks.isMember(3, 0);
        QCOMPARE(changed, expect == Applied);
    }

    void anOpenClearsEntriesBelow1700Only() {
        Data data;
        sample::fill(data.set.channels);
        // The first line is skipped even when it is a channel line; unknown
        // and foreign lines are skipped.
        QVERIFY(data.read({withField(GoodLine, 3, "0000"), "COMPORT05", "XX",
                           withField(GoodLine, 3, "1720") + "BUG"})
                    .ok);
        const ChannelTable& table = data.set.channels;
        for (int r = 1; r <= 1700; ++r)
            QVERIFY2(!table.inUse(r) && table.text(r, ColFrequency).isEmpty() &&
                         table.codes(r) == ChannelCodes::afterClear(),
                     qPrintable(QString::number(r)));
        QCOMPARE(table.text(1705, ColName), QStringLiteral("虫")); // bug rows kept
        QCOMPARE(table.text(1721, ColName), QStringLiteral("BUG"));
        QCOMPARE(table.text(1702, ColFrequency), QStringLiteral("399.45500MHz"));
    }

    void oneTouchLinesFollowTheBanksOfTheFile() {
        Data d;
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[5] = 1100;
        sizes[7] = 100;
        QString bk = "BK";
        for (int s : sizes)
            bk += QString::number(s).rightJustified(4, '0');
        // Key 1 on bank 7, channel 150 (beyond bank 7's size: 0); key 2 on
        // bank 11, empty in the file: its bank is kept; key 3 "No Setting"
        // on the first bank of the file.
        const FileOutcome outcome = d.read({"h", bk, "ONETOUCH_BANK007011255000000000000000000",
                                            "ONETOUCH_CHDA150003009000000000000000000"});
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.notices.size(), 2);
        QCOMPARE(d.set.banks.sizes(), sizes);
        QCOMPARE(d.set.oneTouch.key(0), (OneTouchKey{7, 0, false}));
        QCOMPARE(d.set.oneTouch.key(1).noSetting, false);
        QCOMPARE(d.set.oneTouch.key(1).bank, 0);
        QCOMPARE(d.set.oneTouch.key(2), (OneTouchKey{5, 9, true}));
        // Bank 5 holds 1100 channels but a key selects 256 positions at most.
        QVERIFY(!d.read({"h", bk, "ONETOUCH_BANK005005005005005005005005005",
                         "ONETOUCH_CHDA300000000000000000000000000"})
                     .notices.isEmpty());
        QCOMPARE(d.set.oneTouch.key(0).channel, 0);
    }

    void detAndIqAreNeverBothOnAfterAnOpen() {
        const auto recv = [](int det, int iq) {
            settings::Positions p = settings::resetPositions();
            p[size_t(settings::flatIndex(settings::DetOutput))] = det;
            p[size_t(settings::flatIndex(settings::IqOutput))] = iq;
            return clone::settingsLine(settings::Group::Recv, p);
        };
        Data d;
        QVERIFY(d.read({"h", recv(1, 1)}).ok);
        QCOMPARE(d.set.settings.position(settings::DetOutput), 0);
        QCOMPARE(d.set.settings.position(settings::IqOutput), 0);
        QVERIFY(d.set.settings.isEnabled(settings::DetOutput));
        QVERIFY(d.set.settings.isEnabled(settings::IqOutput));
        QVERIFY(d.read({"h", recv(0, 1)}).ok);
        QCOMPARE(d.set.settings.position(settings::IqOutput), 1);
        QVERIFY(!d.set.settings.isEnabled(settings::DetOutput));
    }

    void aSaveThatCannotBeWrittenKeepsTheOldFile() {
        // A target whose temporary file cannot be made beside it: the name
        // is as long as a name can be. (Failures at each step of a save, and
        // a full disk, are tested with every kind of save.)
        QTemporaryDir dir;
        const QString old = dir.filePath(QString(251, 'n') + ".V70");
        QVERIFY(test::writeFile(old, "old\r\n"));
        const FileOutcome outcome = Data().sections.save(old);
        QVERIFY(!outcome.ok);
#ifndef Q_OS_WIN // Windows gives another reason in other words
        QVERIFY2(outcome.reason.contains("too long"), qPrintable(outcome.reason));
#endif
        QCOMPARE(test::readFile(old), QByteArray("old\r\n"));
    }

    void damagedFilesChangeNothingOrReadWhatIsWhole() {
        Data saved;
        vary(saved);
        const QByteArray whole = textfile::joinLines(saved.lines());
        QList<QByteArray> damaged;
        for (int cut = 0; cut < whole.size(); cut += 89)
            damaged << whole.left(cut);
        QByteArray odd = whole;
        odd.replace("CALL", "C\x81\x20\xff"); // bytes that are no character
        damaged << odd << whole + QByteArray(5000, 'x') + "\r\n"
                << QByteArray("\r\n\r\n\r\n") << QByteArray(whole).replace("BK0030", "BK\x82\xa0");
        for (const QByteArray& bytes : damaged) {
            Data d, before;
            const FileOutcome outcome = clone::readCloneText(bytes, d.sections.sections());
            if (!outcome.ok) {
                QCOMPARE(differences(d.set, before.set), 0);
                // A line to blame, or nothing of a clone file at all.
                QVERIFY(outcome.line > 0 || bytes.isEmpty() ||
                        outcome.reason.startsWith("no line of the file"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCloneFile)
#include "tst_clone_file.moc"
