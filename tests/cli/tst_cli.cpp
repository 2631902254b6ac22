// The command-line tool, run as a program against the simulated receiver.
#include "link/port_names.h"
#include "support/radio_support.h"

#include <QProcess>
#include <QtTest>

using namespace rz;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList& arguments) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/rz-v70", arguments);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

int lines(const QString& text) {
    return int(text.count('\n'));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void identifyAndResetAgainstTheReceiver();
    void exitStatusAndOneLineErrors();
    void comNamesStandForTheDevicesFound();
};

void TestCli::initTestCase() {
    QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + "/rz-v70"),
             "build the rz-v70 target first");
}

void TestCli::identifyAndResetAgainstTheReceiver() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    Run r = runTool({"--port", sim.device(), "identify"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(test::framesWithoutCr(*sim), QList<QByteArray>{"ZT~RZ-V70E"}); // E by default

    sim->clearLog();
    sim->setRegion(Region::T);
    r = runTool({"--region", "T", "--port", sim.device(), "identify"});
    QCOMPARE(r.status, 0);
    QCOMPARE(test::framesWithoutCr(*sim), QList<QByteArray>{"ZT~RZ-V70T"});

    // A receiver of another region: receiver error after three attempts.
    sim->clearLog();
    r = runTool({"-r", "J", "-p", sim.device(), "identify"});
    QCOMPARE(r.status, 1);
    QCOMPARE(lines(r.err), 1);
    QVERIFY(r.err.startsWith("rz-v70: Error"));
    QCOMPARE(sim->receivedCount(), 3);

    sim->clearLog();
    r = runTool({"--port", sim.device(), "reset"});
    QCOMPARE(r.status, 0);
    QVERIFY(sim->waitForFrames(1, 10000));
    QCOMPARE(test::framesWithoutCr(*sim), QList<QByteArray>{"ZT~RESET"});
}

void TestCli::exitStatusAndOneLineErrors() {
    Run r = runTool({"--port", "/dev/rz-v70-no-such-port", "identify"});
    QCOMPARE(r.status, 2);
    QCOMPARE(lines(r.err), 1);
    QVERIFY(r.err.contains("Port Error"));
    QVERIFY(r.err.contains("/dev/rz-v70-no-such-port: no such device"));

    r = runTool({"--port", "/dev/rz-v70-no-such-port", "reset"});
    QCOMPARE(r.status, 2);
    QCOMPARE(lines(r.err), 1);

    const QList<QStringList> usageErrors = {
        {},
        {"identify"},                   // no port
        {"--port", "/dev/null", "fly"}, // no such command
        {"--region", "X", "identify"},  // no such region
        {"--bogus"},                    // no such option
        {"--port"},                     // option without its value
    };
    for (const QStringList& args : usageErrors) {
        r = runTool(args);
        QCOMPARE(r.status, 64);
        QCOMPARE(lines(r.err), 1);
        QVERIFY(r.out.isEmpty());
    }

    r = runTool({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("identify"));
    QVERIFY(r.out.contains("reset"));
    QVERIFY(r.out.contains("--region"));
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

    // The system's own list: USB adapters first, then in natural order.
    const QList<SerialDevice> devices = serialDevices();
    for (int i = 1; i < devices.size(); ++i)
        QVERIFY(devices.at(i - 1).usb || !devices.at(i).usb);

    // A COM number beyond the devices found is a port error.
    const Run r = runTool({"--port", "COM99", "identify"});
    QCOMPARE(r.status, 2);
    QCOMPARE(lines(r.err), 1);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
