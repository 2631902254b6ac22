// "Find my cable...": the device that appears in a changing device list, the
// time-out and Cancel; where the found device goes in the Port menu; and
// which program holds a port that is in use.
#include "link/cable_finder.h"
#include "link/port_problem.h"
#include "link/serial_port_list.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

// The machine's devices as the test changes them.
struct Devices {
    QStringList now;
    CableFinder::DeviceListing listing() {
        return [this] { return now; };
    }
};

} // namespace

class TestCableFinder : public QObject {
    Q_OBJECT
private slots:
    void theDeviceThatAppearsIsFound() {
        Devices devices{{"/dev/ttyS0", "/dev/ttyUSB1"}};
        CableFinder finder(devices.listing());
        finder.setIntervals(5, 5000);
        QSignalSpy found(&finder, &CableFinder::found);
        finder.start();
        QCOMPARE(finder.check(), QString()); // nothing new yet
        devices.now = {"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyUSB1"};
        QTRY_COMPARE(found.count(), 1);
        QCOMPARE(found.at(0).at(0).toString(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(!finder.isRunning());
    }

    // The user pulled the cable only after the search began: its device
    // leaves the baseline and counts when it comes back.
    void aLateUnplugStillFindsTheCable() {
        Devices devices{{"/dev/ttyUSB0", "/dev/ttyS0"}};
        CableFinder finder(devices.listing());
        finder.start();
        devices.now = {"/dev/ttyS0"};
        QCOMPARE(finder.check(), QString());
        devices.now = {"/dev/ttyS0", "/dev/ttyUSB0"};
        QCOMPARE(finder.check(), QStringLiteral("/dev/ttyUSB0"));
    }

    void timeOutAndCancelFindNothing() {
        Devices devices{{"/dev/ttyS0"}};
        CableFinder finder(devices.listing());
        finder.setIntervals(5, 40);
        QSignalSpy found(&finder, &CableFinder::found);
        QSignalSpy timedOut(&finder, &CableFinder::timedOut);
        finder.start();
        QTRY_COMPARE(timedOut.count(), 1);
        QVERIFY(!finder.isRunning());

        finder.setIntervals(5, 5000);
        finder.start();
        finder.cancel();
        devices.now << "/dev/ttyUSB0";
        QTest::qWait(50);
        QCOMPARE(found.count(), 0);
        QCOMPARE(timedOut.count(), 1);
    }

    // A device already in the menu keeps its number; a new one becomes
    // COM1 and the others move down, the sixteenth dropping off.
    void aFoundDeviceTakesTheFirstItem() {
        QStringList sixteen;
        for (int i = 0; i < 16; ++i)
            sixteen << QStringLiteral("/dev/ttyS%1").arg(i);
        SerialPortList ports(sixteen);
        QCOMPARE(ports.putFirst("/dev/ttyS4"), 5);
        QCOMPARE(ports.putFirst("/dev/ttyUSB0"), 1);
        QCOMPARE(ports.device(1), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(ports.device(2), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(ports.device(16), QStringLiteral("/dev/ttyS14"));
        SerialPortList empty;
        QCOMPARE(empty.putFirst("/dev/ttyACM0"), 1);
        QCOMPARE(empty.device(2), QString());
    }

    void anInUsePortNamesItsHolder() {
        QCOMPARE(describeHolder("ModemManager", 812),
                 QStringLiteral("the modem manager (ModemManager, process 812)"));
        QCOMPARE(describeHolder("minicom", 9),
                 QStringLiteral("a terminal program (minicom, process 9)"));
        QCOMPARE(describeHolder("foo", 7), QStringLiteral("another program (foo, process 7)"));
#ifdef Q_OS_LINUX
        // This process holds the file open: it is found among the open files.
        QTemporaryDir dir;
        QFile held(dir.filePath("ttyFAKE"));
        QVERIFY(held.open(QIODevice::WriteOnly));
        const QString holder = portHolder(held.fileName());
        QVERIFY2(
            holder.contains(QStringLiteral("process %1").arg(QCoreApplication::applicationPid())),
            qPrintable(holder));
        held.close();
        QCOMPARE(portHolder(held.fileName()), QString());
        PortProblem problem;
        problem.cause = PortProblem::InUse;
        problem.device = "/dev/ttyUSB0";
        problem.holder = describeHolder("gpsd", 5);
        QCOMPARE(problem.detail(),
                 QStringLiteral("Cannot open /dev/ttyUSB0: it is in use by the GPS service (gpsd, "
                                "process 5)"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestCableFinder)
#include "tst_cable_finder.moc"
