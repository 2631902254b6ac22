// The command-line tool's channel lists and comparisons, run as a program:
// export-list and import-list with their report and exit statuses, and diff
// of two clone files and of a clone file against the simulated receiver.
#include "files/data_set_sections.h"
#include "files/sample_table.h"
#include "settings/settings_lists.h"
#include "settings/vocabulary.h"
#include "support/radio_support.h"
#include "support/run_program.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace rz;
using rz::test::runTool;
using rz::test::writeFile;

namespace {

bool save(DataSet& data, const QString& path) {
    return clone::DataSetSections(data, [] { return 1; }).save(path).ok;
}

const QByteArray Heading = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                           "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip\r\n";

} // namespace

class TestCliLists : public QObject {
    Q_OBJECT

private slots:
    void listsOutAndInWithTheirReport() {
        QTemporaryDir dir;
        const auto file = [&](const char* name) { return dir.filePath(name); };
        DataSet data;
        clone::loadStartUpState(data);
        sample::fill(data.channels);
        QVERIFY(save(data, file("in.V70")));
        test::ProgramRun run = runTool({"export-list", file("in.V70"), "-o", file("list.csv")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("(30 channels)"), qPrintable(run.out));
        // Row 17's train squelch and row 1200's "SQ" squelch have no column.
        QVERIFY2(run.err.contains("list.csv:5: Bank00-016 (row 17): not in the file: squelch "
                                  "\"Train\" with train tone 3000Hz"),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("(row 1200): not in the file: squelch \"SQ\""));

        QVERIFY(writeFile(file("mixed.csv"),
                          Heading + "1,Good,145.500000,-,0.600000,TSQL,88.5,100.0,023,NN,023,"
                                    "Tone->Tone,FM,12.50,\r\n"
                                    "2,Digital,439.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,DV,"
                                    "5.00,\r\n"
                                    "3,Priority,146.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,"
                                    "FM,5.00,P\r\n"));
        run = runTool({"import-list", file("mixed.csv"), "--base", file("in.V70"), "--first-row",
                       "40", "-o", file("out.V70")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, file("mixed.csv") +
                              ":3: row 41: refused: digital mode DV is not "
                              "received\n" +
                              file("mixed.csv") +
                              ":4: row 42: changed: priority mark P: no mark\n");
        QVERIFY(run.out.contains("2 channels imported, 1 refused, 1 changed"));
        DataSet back;
        QVERIFY(clone::DataSetSections(back, [] { return 1; }).open(file("out.V70")).ok);
        QCOMPARE(back.channels.text(40, ColRxTone), QStringLiteral("100.0Hz"));
        QCOMPARE(back.channels.text(42, ColName), QStringLiteral("Priority"));
        QVERIFY(!back.channels.inUse(41));
        QCOMPARE(back.channels.row(2).cells, data.channels.row(2).cells); // from the base

        // --strict: a refused or changed line writes nothing.
        run = runTool({"import-list", file("mixed.csv"), "--strict", "-o", file("strict.V70")});
        QCOMPARE(run.status, 3);
        QVERIFY(run.err.contains("--strict: nothing written"));
        QVERIFY(!QFile::exists(file("strict.V70")));
        QCOMPARE(
            runTool({"import-list", file("list.csv"), "--strict", "-o", file("strict.V70")}).status,
            3); // the name of 32 bytes is cut
        QVERIFY(writeFile(file("clean.csv"), Heading + "1,A,145.500000,,0,,88.5,88.5,023,NN,023,"
                                                       "Tone->Tone,FM,12.50,\r\n"));
        QCOMPARE(runTool({"import-list", file("clean.csv"), "--strict", "-o", file("strict.V70")})
                     .status,
                 0);

        QVERIFY(writeFile(file("junk.csv"), "this,is,no,list\r\n1,2,3,4\r\n"));
        const QList<QPair<QStringList, int>> failures = {
            {{"import-list", file("junk.csv"), "-o", file("x.V70")}, 3},
            {{"import-list", file("missing.csv"), "-o", file("x.V70")}, 3},
            {{"import-list", file("clean.csv"), "--base", file("missing.V70"), "-o", file("x.V70")},
             3},
            {{"export-list", file("missing.V70"), "-o", file("x.csv")}, 3},
            {{"export-list", file("in.V70"), "-o", file("in.V70") + "/x.csv"}, 3},
            {{"import-list", file("clean.csv"), "--first-row", "1701", "-o", file("x.V70")}, 64},
            {{"import-list", file("clean.csv"), "--first-row", "one", "-o", file("x.V70")}, 64},
            {{"import-list", file("clean.csv")}, 64},
            {{"export-list", "-o", file("x.csv")}, 64},
        };
        for (const auto& [arguments, status] : failures) {
            run = runTool(arguments);
            QVERIFY2(run.status == status, qPrintable(arguments.join(' ') + ": " + run.err));
            QVERIFY2(run.err.startsWith("rz-v70: "), qPrintable(run.err));
            QVERIFY(!QFile::exists(file("x.V70")) && !QFile::exists(file("x.csv")));
        }
    }

    void diffNamesOneChangeInEachArea() {
        QTemporaryDir dir;
        const auto file = [&](const char* name) { return dir.filePath(name); };
        DataSet a, b;
        for (DataSet* data : {&a, &b}) {
            clone::loadStartUpState(*data);
            sample::fill(data->channels);
        }
        QVERIFY(save(a, file("a.V70")));
        QCOMPARE(runTool({"diff", file("a.V70"), file("a.V70")}).status, 0);

        b.channels.setText(3, ColName, QStringLiteral("TOWER"));
        b.channels.clearRow(1201);
        b.banks.setSize(0, b.banks.size(0) + 1);
        b.banks.setSize(1, b.banks.size(1) - 1);
        b.oneTouch.setKey(2, OneTouchKey{4, 7, false});
        b.bankLinks.setEntry(10, 49, BankLinkTable::Linked);
        const int speeds =
            int(settings::entries(settings::ScanSpeed, settings::Language::English).size());
        QVERIFY(b.settings.setPosition(settings::ScanSpeed,
                                       (a.settings.position(settings::ScanSpeed) + 1) % speeds));
        b.settings.setTitle(QStringLiteral("WELCOME"));
        QVERIFY(save(b, file("b.V70")));

        const test::ProgramRun run = runTool({"diff", file("a.V70"), file("b.V70")});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(lines.first(), QStringLiteral("channels:"));
        QVERIFY2(lines.at(1).contains("(row 3): Name \"ｴｱﾊﾞﾝﾄﾞ 管制\" -> \"TOWER\""),
                 qPrintable(run.out));
        QVERIFY(lines.at(2).endsWith("(row 1201): 80.00000MHz -> empty"));
        QCOMPARE(
            lines.mid(3, 8),
            (QStringList{"banks:", "  Bank00: 100 -> 101 channels", "  Bank01: 100 -> 99 channels",
                         "one-touch keys:", "  key 3: No Setting -> Bank04-007",
                         "bank links:", "  link 11: no bank -> banks 49", "settings:"}));
        QVERIFY2(lines.at(11).contains("(" + settings::objectName(settings::ScanSpeed) + "): "),
                 qPrintable(lines.at(11)));
        QCOMPARE(lines.mid(12), (QStringList{"opening message:", "  \"\" -> \"WELCOME\""}));

        QCOMPARE(runTool({"diff", file("a.V70"), file("missing.V70")}).status, 3);
        QCOMPARE(runTool({"diff", file("a.V70")}).status, 64);
    }

    void diffAgainstTheReceiver() {
        QTemporaryDir dir;
        const QString saved = dir.filePath("receiver.V70");
        test::RunningSimulator sim;
        sim->setImage(sim::sampleImage());
        QCOMPARE(runTool({"--port", sim.device(), "read-all", "-o", saved, "--backup-dir",
                          dir.filePath("b")})
                     .status,
                 0);
        DataSet data;
        QVERIFY(clone::DataSetSections(data, [] { return 1; }).open(saved).ok);
        data.settings.setTitle(QStringLiteral("CHANGED"));
        QVERIFY(save(data, saved));
        // Everything read is as the file says but the one change; the
        // receiver is read whole first.
        const test::ProgramRun run = runTool({"diff", saved, "--port", sim.device()});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("channels: Success\n"));
        QVERIFY2(run.out.contains("opening message:\n  \"CHANGED\" -> \""), qPrintable(run.out));
        QCOMPARE(run.out.count("\n  "), 1);
    }
};

QTEST_GUILESS_MAIN(TestCliLists)
#include "tst_cli_lists.moc"
