// The command-line tool, run as a program against the simulated receiver:
// exit statuses, the one line of errors, the frames sent, the files it
// converts, and read-all and write-all from one receiver to another.
#include "files/backup_folder.h"
#include "files/config_file.h"
#include "files/data_set_sections.h"
#include "files/sample_table.h"
#include "link/port_names.h"
#include "model/memory_map.h"
#include "support/radio_support.h"
#include "support/run_program.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;
using rz::test::runTool;

namespace {

// The start-up data set with the sample channels, saved as a clone file.
bool saveSample(const QString& path) {
    DataSet data;
    clone::loadStartUpState(data);
    sample::fill(data.channels);
    return clone::DataSetSections(data, [] { return 1; }).save(path).ok;
}

QByteArray fontArea(const sim::Simulator& sim) {
    return sim.memory(memmap::FontBase, 8 * int(memmap::FontCharBytes));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void exitStatusOutputAndFrames_data() {
        QTest::addColumn<QStringList>("arguments"); // "SIM": the simulator's device
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // in the output; "": no output
        QTest::addColumn<QString>("err"); // in the one line of errors; "": no errors
        QTest::addColumn<QList<QByteArray>>("frames");
        const QString missing = "/dev/rz-v70-no-such-port";
        const QList<QByteArray> none;
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
                                        << missing + ": no such device" << none;
        QTest::newRow("reset, missing device") << QStringList{"--port", missing, "reset"} << 2 << ""
                                               << missing + ": no such device" << none;
        QTest::newRow("COM beyond the devices found")
            << QStringList{"--port", "COM99", "identify"} << 2 << ""
            << "Port Error" << none;
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
            {"--port"}, // option without its value
            {"identify", "--port"},
            {"--port", "SIM", "identify", "now"}, // a stray argument
            {"ports", "now"},
            {"reset", "--port", "SIM", "now"},
            {"--port", "SIM", "read-all"}, // no file to write
            {"--port", "SIM", "write-all"},
            // Names Open and write-all would refuse, refused before anything is read.
            {"--port", "SIM", "read-all", "-o", "x.txt"},
            {"--port", "SIM", "read-all", "-o", "x.V70", "--font", "x.txt"},
            {"export-csv", "in.V70"},
            {"import-csv", "-o", "out.V70"},
        };
        for (const QStringList& args : usageErrors)
            QTest::addRow("usage: %s", qPrintable(args.join(' '))) << args << 64 << ""
                                                                   << "(see rz-v70 --help)" << none;
        QTest::newRow("help") << QStringList{"--help"} << 0 << "identify"
                              << "" << none;
        QTest::newRow("help of a command") << QStringList{"reset", "--help"} << 0 << "--region"
                                           << "" << none;
    }

    void exitStatusOutputAndFrames() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QList<QByteArray>, frames);
        test::RunningSimulator sim;
        arguments.replaceInStrings(QRegularExpression("^SIM$"), sim.device());
        const test::ProgramRun run = runTool(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.contains(out), qPrintable(run.out));
        if (err.isEmpty())
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        else
            QVERIFY2(run.err.startsWith("rz-v70: ") && run.err.contains(err) &&
                         run.err.count('\n') == 1,
                     qPrintable(run.err));
        sim->waitForFrames(int(frames.size()), 10000);
        QCOMPARE(test::framesWithoutCr(*sim), frames);
    }

    void comNamesStandForTheDevicesFound() {
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
        QCOMPARE(comNumber("COMX"), 0);
        // The system's own list: USB adapters first.
        const QList<SerialDevice> devices = serialDevices();
        for (int i = 1; i < devices.size(); ++i)
            QVERIFY(devices.at(i - 1).usb || !devices.at(i).usb);
    }

    void convertsBetweenCloneAndCsvFiles() {
        QTemporaryDir dir;
        const auto file = [&](const char* name) { return dir.filePath(name); };
        QVERIFY(saveSample(file("in.V70")));
        test::ProgramRun run = runTool({"export-csv", file("in.V70"), "-o", file("out.CSV")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty() && run.out.contains("out.CSV"), qPrintable(run.err));
        // The channels of the CSV file go into the base file's data set,
        // which keeps its other areas and its port.
        DataSet base;
        clone::loadStartUpState(base);
        base.settings.setTitle("base title");
        QVERIFY(clone::DataSetSections(base, [] { return 5; }).save(file("base.V70")).ok);
        run = runTool(
            {"import-csv", file("out.CSV"), "--base", file("base.V70"), "-o", file("back.V70")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(runTool({"import-csv", file("out.CSV"), "-o", file("fresh.V70")}).status, 0);

        DataSet original, back, fresh;
        QVERIFY(clone::DataSetSections(original, [] { return 1; }).open(file("in.V70")).ok);
        QVERIFY(clone::DataSetSections(back, [] { return 1; }).open(file("back.V70")).ok);
        QVERIFY(clone::DataSetSections(fresh, [] { return 1; }).open(file("fresh.V70")).ok);
        // (The CSV file holds no transmit tone: rows with the usual one.)
        for (int r : {1, 3, 1200, 1302, 1700})
            QCOMPARE(back.channels.row(r).cells, original.channels.row(r).cells);
        QCOMPARE(back.channels.text(2, ColName), original.channels.text(2, ColName));
        QCOMPARE(back.settings.title(), QStringLiteral("base title"));
        QCOMPARE(config::readPort(file("back.V70")).port, 5);
        // Without a base: the program's start-up data set.
        QCOMPARE(fresh.channels.row(3).cells, original.channels.row(3).cells);
        QCOMPARE(fresh.settings.title(), QString());
        QCOMPARE(config::readPort(file("fresh.V70")).port, 1);
    }

    void aFileThatCannotBeReadOrWrittenExits3() {
        QTemporaryDir dir;
        const auto file = [&](const char* name) { return dir.filePath(name); };
        QVERIFY(saveSample(file("in.V70")));
        QFile::copy(file("in.V70"), file("in.txt"));
        QCOMPARE(runTool({"export-csv", file("in.V70"), "-o", file("ok.CSV")}).status, 0);
        QFile::copy(file("ok.CSV"), file("ok.txt"));
        QVERIFY(test::writeFile(file("bad.CSV"), "\"not\",\"a heading\"\r\n"));
        const QString blocked = file("in.V70") + "/x.V70"; // its folder is a file
        const QString out = file("never.V70");
        const QList<QStringList> failures = {
            {"export-csv", file("missing.V70"), "-o", file("x.CSV")},
            {"export-csv", file("in.txt"), "-o", file("x.CSV")},
            {"export-csv", file("in.V70"), "-o", blocked},
            {"import-csv", file("ok.txt"), "-o", out}, // not a CSV name: nothing imported
            {"import-csv", file("bad.CSV"), "-o", out},
            {"import-csv", file("ok.CSV"), "--base", file("in.txt"), "-o", out},
            {"import-csv", file("ok.CSV"), "-o", blocked},
        };
        for (const QStringList& arguments : failures) {
            const test::ProgramRun run = runTool(arguments);
            QVERIFY2(run.status == 3, qPrintable(arguments.join(' ') + ": " + run.err));
            QVERIFY2(run.err.startsWith("rz-v70: ") && run.err.count('\n') == 1,
                     qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
            QVERIFY(!QFile::exists(out) && !QFile::exists(file("x.CSV")));
        }
        QVERIFY(runTool({"import-csv", file("ok.txt"), "-o", out}).err.contains("CSV File Error"));
    }

    void backupsGoWhereTheDesktopProgramKeepsThem() {
        QTemporaryDir data;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        const QString folder = data.filePath("rz-v70-writer/backups");
        // What the desktop program is given as its folder.
        QCOMPARE(backup::defaultFolder(), folder);
        test::RunningSimulator sim;
        const test::ProgramRun read =
            runTool({"--port", sim.device(), "read-all", "-o", data.filePath("all.V70")});
        const test::ProgramRun help = runTool({"read-all", "--help"});
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(read.status, 0);
        QCOMPARE(QDir(folder).entryList({"*-read.V70"}).size(), 1);
        QVERIFY2(help.out.contains(folder), qPrintable(help.out));
    }

    void readAllThenWriteAllCopiesOneReceiverToAnother() {
        QTemporaryDir dir;
        const QString clone = dir.filePath("ALL.V70"), font = dir.filePath("ALL.FK4");
        const QString backups = dir.filePath("backups");
        test::RunningSimulator from;
        from->setImage(sim::sampleImage());
        const test::ProgramRun read = runTool({"--port", from.device(), "read-all", "-o", clone,
                                               "--font", font, "--backup-dir", backups});
        QCOMPARE(read.status, 0);
        QVERIFY2(read.out.contains(clone), qPrintable(read.out));
        // One line per step on a stream that is no terminal.
        QCOMPARE(read.err, QString("channels: Success\nbanks: Success\none-touch keys: "
                                   "Success\nsettings: Success\nfont: All Font Data Read\n"
                                   "bank links: OK\n"));
        DataSet data;
        QVERIFY(clone::DataSetSections(data, [] { return 1; }).open(clone).ok);
        QVERIFY(!data.settings.title().isEmpty());

        // Without --font the receiver's font stays.
        test::RunningSimulator to;
        const QByteArray ownFont(8 * 32, '\x5A');
        to->setMemory(memmap::FontBase, ownFont);
        QCOMPARE(
            runTool({"--port", to.device(), "write-all", clone, "--backup-dir", backups}).status,
            0);
        // A backup of what was read (with its font) and of what was written.
        const QDir kept(backups);
        QCOMPARE(kept.entryList({"*-read.V70"}).size(), 1);
        QCOMPARE(kept.entryList({"*-read.FK4"}).size(), 1);
        QCOMPARE(kept.entryList({"*-write.V70"}).size(), 1);
        QCOMPARE(fontArea(*to), ownFont);
        // The same links, without the empty bank (10, in group 4).
        QByteArray links = from->memory(memmap::BankLinksFirst, 88);
        links[4 * 8 + 1] = char(links[4 * 8 + 1] & ~0x20);
        QCOMPARE(to->memory(memmap::BankLinksFirst, 88), links);
        QCOMPARE(to->memory(memmap::OpeningMessage, 34), from->memory(memmap::OpeningMessage, 34));
        const quint32 tower = memmap::channelAddress(1);
        QCOMPARE(to->memory(tower, 64), from->memory(tower, 64));

        const test::ProgramRun written = runTool(
            {"--port", to.device(), "write-all", clone, "--font", font, "--backup-dir", backups});
        QCOMPARE(written.status, 0);
        QVERIFY(written.err.contains("font: All Font Data Write\n"));
        QCOMPARE(fontArea(*to), fontArea(*from));

        // A failed read leaves the file as it was; a file that cannot be
        // read sends nothing.
        const QByteArray before = test::readFile(clone);
        from->addFault({Fault::NoOk, "ZT~RZ-V70E", 0, -1, 0});
        const test::ProgramRun failed = runTool({"--port", from.device(), "read-all", "-o", clone});
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains("rz-v70: read-all failed: Error"), qPrintable(failed.err));
        QCOMPARE(test::readFile(clone), before);
        to->clearLog();
        const test::ProgramRun refused =
            runTool({"--port", to.device(), "write-all", dir.filePath("MISSING.V70")});
        QCOMPARE(refused.status, 3);
        QVERIFY2(refused.err.contains("Can't open the file."), qPrintable(refused.err));
        QCOMPARE(to->receivedCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
