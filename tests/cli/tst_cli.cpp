// The command-line tool, run as a program against the simulated receiver.
#include "link/port_names.h"
#include "support/radio_support.h"

#include <QProcess>
#include <QtTest>

using namespace rz;

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatusOutputAndFrames_data();
    void exitStatusOutputAndFrames();
    void comNamesStandForTheDevicesFound();
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
