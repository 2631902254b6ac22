// The command-line tool, run as a program against the simulated receiver.
#include "files/config_file.h"
#include "files/data_set_sections.h"
#include "files/sample_table.h"
#include "link/port_names.h"
#include "support/radio_support.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

Run runTool(const QStringList& arguments) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/rz-v70", arguments);
    Run run;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = p.exitCode();
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatusOutputAndFrames_data();
    void exitStatusOutputAndFrames();
    void comNamesStandForTheDevicesFound();
    void convertsBetweenCloneAndCsvFiles();
    void aFileThatCannotBeReadOrWrittenExits3();
};

void TestCli::initTestCase() {
    QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + "/rz-v70"),
             "build the rz-v70 target first");
}

void TestCli::exitStatusOutputAndFrames_data() {
    QTest::addColumn<QStringList>("arguments"); // "SIM": the simulator's device
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // in the output; "": no output
    QTest::addColumn<QString>("err"); // in the one line of errors; "": no errors
    QTest::addColumn<QList<QByteArray>>("frames");
    const QString missing = "/dev/rz-v70-no-such-port";
    const QString usage = "(see rz-v70 --help)";

    QTest::newRow("identify, E by default")
        << QStringList{"--port", "SIM", "identify"} << 0 << "identified"
        << "" << QList<QByteArray>{"ZT~RZ-V70E"};
    QTest::newRow("another region: three attempts")
        << QStringList{"-r", "J", "-p", "SIM", "identify"} << 1 << ""
        << "rz-v70: Error: gave up at the identification after 3 failed exchanges"
        << QList<QByteArray>(3, "ZT~RZ-V70");
    QTest::newRow("reset") << QStringList{"--port", "SIM", "reset"} << 0 << "Reset sent"
                           << "" << QList<QByteArray>{"ZT~RESET"};
    QTest::newRow("missing device") << QStringList{"--port", missing, "identify"} << 2 << ""
                                    << missing + ": no such device" << QList<QByteArray>();
    QTest::newRow("COM beyond the devices found")
        << QStringList{"--port", "COM99", "identify"} << 2 << ""
        << "Port Error" << QList<QByteArray>();
    QTest::newRow("options after the command")
        << QStringList{"identify", "--region", "e/egr", "-p", "SIM"} << 0 << "region E/EGR"
        << "" << QList<QByteArray>{"ZT~RZ-V70E"};
    QTest::newRow("an option after the command wins")
        << QStringList{"-r", "J", "identify", "-r", "T", "-p", "SIM"} << 1 << ""
        << "Error" << QList<QByteArray>(3, "ZT~RZ-V70T");
    const QList<QStringList> usageErrors = {
        {},
        {"identify"},             // no port
        {"--port", "SIM", "fly"}, // no such command
        {"--region", "X", "identify"},
        {"identify", "--port", "SIM", "--region", "X"},
        {"--bogus"},
        {"identify", "--bogus"},
        {"--port"},                           // option without its value
        {"identify", "--port"},
        {"--port", "SIM", "identify", "now"}, // a stray argument
        {"ports", "now"},
        {"reset", "--port", "SIM", "now"},
    };
    for (const QStringList& args : usageErrors)
        QTest::addRow("usage: %s", qPrintable(args.join(' ')))
            << args << 64 << "" << usage << QList<QByteArray>();
    QTest::newRow("help") << QStringList{"--help"} << 0 << "identify"
                          << "" << QList<QByteArray>();
    QTest::newRow("help of a command")
        << QStringList{"reset", "--help"} << 0 << "--region" << "" << QList<QByteArray>();
}

void TestCli::exitStatusOutputAndFrames() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QList<QByteArray>, frames);
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    arguments.replaceInStrings(QRegularExpression("^SIM$"), sim.device());

    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/rz-v70", arguments);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QString stdOut = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), qPrintable(stdOut));
    if (err.isEmpty()) {
        QVERIFY2(stdErr.isEmpty(), qPrintable(stdErr));
    } else {
        QVERIFY2(stdErr.startsWith("rz-v70: ") && stdErr.contains(err), qPrintable(stdErr));
        QCOMPARE(stdErr.count('\n'), 1);
    }
    sim->waitForFrames(int(frames.size()), 10000);
    QCOMPARE(test::framesWithoutCr(*sim), frames);
}

void TestCli::comNamesStandForTheDevicesFound() {
    const QList<SerialDevice> found = {{"/dev/ttyUSB0", "adapter", true},
                                       {"/dev/ttyACM1", "modem", true},
                                       {"/dev/ttyS0", "", false}};
    QString error;
    QCOMPARE(resolvePort("COM1", found), QString("/dev/ttyUSB0"));
    QCOMPARE(resolvePort("com3", found), QString("/dev/ttyS0"));
    QCOMPARE(resolvePort("/dev/ttyS7", found), QString("/dev/ttyS7"));
    QVERIFY(resolvePort("COM4", found, &error).isEmpty());
    QVERIFY(error.contains("COM4"));
    QCOMPARE(comNumber("COM16"), 16);
    QCOMPARE(comNumber("COM0"), 0);
    QCOMPARE(comNumber("COMX"), 0);

    // The system's own list: USB adapters first.
    const QList<SerialDevice> devices = serialDevices();
    for (int i = 1; i < devices.size(); ++i)
        QVERIFY(devices.at(i - 1).usb || !devices.at(i).usb);
}

void TestCli::convertsBetweenCloneAndCsvFiles() {
    QTemporaryDir dir;
    DataSet original;
    clone::loadStartUpState(original);
    sample::fill(original.channels);
    original.settings.setTitle("base title");
    clone::DataSetSections sections(original, [] { return 5; });
    QVERIFY(sections.save(dir.filePath("in.V70")).ok);

    Run run = runTool({"export-csv", dir.filePath("in.V70"), "-o", dir.filePath("out.CSV")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QVERIFY(run.out.contains("out.CSV"));
    run = runTool({"import-csv", dir.filePath("out.CSV"), "--base", dir.filePath("in.V70"), "-o",
                   dir.filePath("back.V70")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    // The imported channels in the base file's data set, with its port.
    DataSet back;
    clone::DataSetSections opened(back, [] { return 1; });
    QVERIFY(opened.open(dir.filePath("back.V70")).ok);
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        QCOMPARE(back.channels.inUse(r), original.channels.inUse(r));
        if (original.channels.inUse(r)) {
            auto cells = original.channels.row(r).cells;
            cells[ColName].remove('"'); // a CSV field holds no quotes
            QCOMPARE(back.channels.row(r).cells, cells);
            QCOMPARE(back.channels.codes(r), original.channels.codes(r));
        }
    }
    QCOMPARE(back.settings.title(), QStringLiteral("base title"));
    QCOMPARE(config::readPort(dir.filePath("back.V70")).port, 5);

    // Without a base: the program's start-up data set.
    run = runTool({"import-csv", dir.filePath("out.CSV"), "-o", dir.filePath("fresh.V70")});
    QCOMPARE(run.status, 0);
    DataSet fresh;
    clone::DataSetSections freshSections(fresh, [] { return 1; });
    QVERIFY(freshSections.open(dir.filePath("fresh.V70")).ok);
    QCOMPARE(fresh.settings.title(), QString());
    QVERIFY(fresh.channels.inUse(1));
    QCOMPARE(config::readPort(dir.filePath("fresh.V70")).port, 1);
}

void TestCli::aFileThatCannotBeReadOrWrittenExits3() {
    QTemporaryDir dir;
    DataSet data;
    clone::loadStartUpState(data);
    sample::fill(data.channels);
    QVERIFY(clone::DataSetSections(data, [] { return 1; }).save(dir.filePath("in.V70")).ok);
    QFile::copy(dir.filePath("in.V70"), dir.filePath("in.txt"));
    QVERIFY(runTool({"export-csv", dir.filePath("in.V70"), "-o", dir.filePath("ok.CSV")}).status ==
            0);
    QFile::copy(dir.filePath("ok.CSV"), dir.filePath("ok.txt"));
    QFile bad(dir.filePath("bad.CSV"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("\"not\",\"a heading\"\r\n");
    bad.close();
    const QString blocked = dir.filePath("in.V70") + "/x.V70"; // its folder is a file
    const QString out = dir.filePath("never.V70");

    const QList<QStringList> failures = {
        {"export-csv", dir.filePath("missing.V70"), "-o", dir.filePath("x.CSV")},
        {"export-csv", dir.filePath("in.txt"), "-o", dir.filePath("x.CSV")},
        {"export-csv", dir.filePath("in.V70"), "-o", blocked},
        {"import-csv", dir.filePath("ok.txt"), "-o", out}, // not a CSV name: nothing imported
        {"import-csv", dir.filePath("bad.CSV"), "-o", out},
        {"import-csv", dir.filePath("ok.CSV"), "--base", dir.filePath("in.txt"), "-o", out},
        {"import-csv", dir.filePath("ok.CSV"), "-o", blocked},
    };
    for (const QStringList& arguments : failures) {
        const Run run = runTool(arguments);
        QVERIFY2(run.status == 3, qPrintable(arguments.join(' ') + ": " + run.err));
        QVERIFY2(run.err.startsWith("rz-v70: ") && run.err.count('\n') == 1, qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(out) && !QFile::exists(dir.filePath("x.CSV")));
    }
    QVERIFY(
        runTool({"import-csv", dir.filePath("ok.txt"), "-o", out}).err.contains("CSV File Error"));
    QCOMPARE(runTool({"export-csv", dir.filePath("in.V70")}).status, 64);
    QCOMPARE(runTool({"import-csv", "-o", out}).status, 64);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
