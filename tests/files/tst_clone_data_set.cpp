// The clone file of a whole data set: every area survives a save and an
// open, the lines of each area are read or skipped as their rules say, and a
// file that fails anywhere changes no area at all.
#include "files/clone_file.h"
#include "files/config_file.h"
#include "files/data_set_sections.h"
#include "files/sample_table.h"
#include "files/text_lines.h"

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

void compareAreas(const DataSet& got, const DataSet& want) {
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        QCOMPARE(got.channels.inUse(r), want.channels.inUse(r));
        if (want.channels.inUse(r)) {
            QCOMPARE(got.channels.row(r).cells, want.channels.row(r).cells);
            QCOMPARE(got.channels.codes(r), want.channels.codes(r));
        }
    }
    QCOMPARE(got.banks.sizes(), want.banks.sizes());
    QCOMPARE(got.oneTouch.keys(), want.oneTouch.keys());
    QCOMPARE(got.settings.title(), want.settings.title());
    for (int g = 0; g < BankLinkTable::GroupCount; ++g)
        for (int b = 0; b < BankLinkTable::BankCount; ++b)
            QCOMPARE(got.bankLinks.isMember(g, b), want.bankLinks.isMember(g, b));
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        QCOMPARE(got.bankLinks.emptyFlag(b), want.bankLinks.emptyFlag(b));
    QCOMPARE(got.settings.positions(), want.settings.positions());
}

QString withField(QString line, int position, const QString& text) {
    return line.replace(position - 1, text.size(), text);
}

QString lineStarting(const QStringList& lines, const QString& tag) {
    for (const QString& line : lines)
        if (line.startsWith(tag))
            return line;
    return QString();
}

} // namespace

class TestCloneDataSet : public QObject {
    Q_OBJECT
private slots:
    void savesAndOpensEveryArea() {
        Data saved;
        vary(saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("all.v70"); // a lower-case ending opens too
        QVERIFY(saved.sections.save(path).ok);

        Data opened;
        const FileOutcome outcome = opened.sections.open(path);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(outcome.message, QStringLiteral("Read File"));
        compareAreas(opened.set, saved.set);
        // The rows are relabelled after the new bank sizes.
        QCOMPARE(opened.set.channels.text(31, ColLabel), bankRowLabel(1, 0));
        QCOMPARE(config::readPort(path).port, 12);
    }

    void writesEachAreaLine() {
        Data d;
        vary(d);
        const QStringList lines = d.lines();
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
    }

    void aBankTotalOtherThan1200OmitsBanksAndKeys() {
        Data d;
        vary(d);
        d.set.banks.setSize(0, 31);
        const QStringList lines = d.lines();
        QVERIFY(lineStarting(lines, "BK").isEmpty());
        QVERIFY(lineStarting(lines, "ON").isEmpty());
        QVERIFY(!lineStarting(lines, "TITLE").isEmpty());

        // Opening it keeps the banks and keys that were there.
        Data opened;
        const std::array<int, BankLayout::BankCount> sizes = opened.set.banks.sizes();
        const auto keys = opened.set.oneTouch.keys();
        QVERIFY(opened.read(lines).ok);
        QCOMPARE(opened.set.banks.sizes(), sizes);
        QCOMPARE(opened.set.oneTouch.keys(), keys);
        QCOMPARE(opened.set.settings.title(), d.set.settings.title());
    }

    void areaLinesReadSkipOrFail_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("changes");
        Data d;
        vary(d);
        const QStringList lines = d.lines();
        const QString bk = lineStarting(lines, "BK");
        const QString grd = lineStarting(lines, "GRD03");
        const QString sd = lineStarting(lines, "SD03");
        QTest::newRow("BK") << bk << false << true;
        QTest::newRow("BK 201") << bk.left(201) << false << false;
        QTest::newRow("BK 203") << bk + "0" << false << false;
        QTest::newRow("BK letter") << withField(bk, 7, "00x0") << true << false;
        QTest::newRow("GRD") << grd << false << true;
        QTest::newRow("GRD 54") << grd.left(54) << false << false;
        QTest::newRow("GRD 11") << withField(grd, 4, "11") << true << false;
        QTest::newRow("GRD letter") << withField(grd, 10, "y") << true << false;
        QTest::newRow("GRI 52") << lineStarting(lines, "GRI").left(52) << false << false;
        QTest::newRow("GRX") << "GRX" + grd.mid(3) << false << false;
        QTest::newRow("one-touch 39")
            << lineStarting(lines, "ONETOUCH_BANK").left(39) << false << false;
        QTest::newRow("ONETOUCH_XXXX") << "ONETOUCH_XXXX" + QString(27, '0') << false << false;
        QTest::newRow("SD03") << sd << false << true;
        QTest::newRow("SD09") << withField(sd, 3, "09") << false << false;
        QTest::newRow("SD beyond its list") << withField(sd, 5, "099") << true << false;
        QTest::newRow("SD short") << sd.left(30) << true << false;
        QTest::newRow("title 33 bytes")
            << "TITLE" + QString(16, QChar(0x3042)) + "x" << false << false;
        QTest::newRow("TITLE only") << "TITLE" << false << false;
    }

    void areaLinesReadSkipOrFail() {
        QFETCH(QString, line);
        QFETCH(bool, fails);
        QFETCH(bool, changes);
        Data saved;
        vary(saved);
        Data d;
        Data before;
        // A channel line and a good title before the line in question.
        const QString channel = saved.lines().at(1);
        const FileOutcome outcome = d.read({"header", channel, "TITLEnew", line});
        QCOMPARE(outcome.ok, !fails);
        if (fails) {
            QCOMPARE(outcome.line, 4);
            QCOMPARE(outcome.title, QStringLiteral("Error"));
            compareAreas(d.set, before.set); // nothing at all changed
            return;
        }
        QCOMPARE(d.set.settings.title(), QStringLiteral("new"));
        QVERIFY(d.set.channels.inUse(1));
        const bool changed = d.set.banks.sizes() != before.set.banks.sizes() ||
                             d.set.settings.positions() != before.set.settings.positions() ||
                             d.set.bankLinks.isMember(3, 0) != before.set.bankLinks.isMember(3, 0);
        QCOMPARE(changed, changes);
    }

    void oneTouchLinesFollowTheBanksOfTheFile() {
        Data d;
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[5] = 1100;
        sizes[7] = 100;
        const QString bk = [&] {
            QString line = "BK";
            for (int s : sizes)
                line += QString::number(s).rightJustified(4, '0');
            return line;
        }();
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
        // Root can write anywhere, so the failure comes from the path: the
        // target's folder is a file.
        QTemporaryDir dir;
        const QString blocker = dir.filePath("folder");
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old\r\n");
        file.close();
        Data d;
        vary(d);
        FileOutcome outcome = d.sections.save(blocker + "/x.V70");
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message, QStringLiteral("Can't save the file."));
        QVERIFY(!outcome.reason.isEmpty());
        outcome = config::write(blocker + "/sub/RZ-V70_Writer.INI", d.sections.sections());
        QVERIFY(!outcome.ok);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old\r\n"));
        file.close();

        // A target whose temporary file cannot be made beside it: the name
        // is as long as a name can be.
        const QString longName = dir.filePath(QString(251, 'n') + ".V70");
        QFile old(longName);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        outcome = d.sections.save(longName);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray kept = old.readAll();
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.reason.contains("too long"), qPrintable(outcome.reason));
        QCOMPARE(kept, QByteArray("old\r\n"));
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
            Data d;
            Data before;
            const FileOutcome outcome = clone::readCloneText(bytes, d.sections.sections());
            if (!outcome.ok) {
                compareAreas(d.set, before.set);
                QVERIFY(outcome.line > 0 || bytes.isEmpty());
            }
        }
    }

    void theConfigurationFileIsMadeInItsFolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath("user/config/RZ-V70_Writer.INI");
        Data d;
        d.port = 7;
        QVERIFY(config::write(path, d.sections.sections()).ok);
        QCOMPARE(config::readPort(path).port, 7);
    }
};

QTEST_GUILESS_MAIN(TestCloneDataSet)
#include "tst_clone_data_set.moc"
