// "Find my cable...": a device pulled only after the search began, where a
// found device goes in a full Port menu, and which program holds a port that
// is in use. The search itself, its time-out and Cancel are tested through
// the main window's Port menu.
#include "link/cable_finder.h"
#include "link/port_problem.h"
#include "link/serial_port_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

class TestCableFinder : public QObject {
    Q_OBJECT
private slots:
    // The user pulled the cable only after the search began: its device
    // leaves the baseline and counts when it comes back.
    void aLateUnplugStillFindsTheCable() {
        QStringList devices{"/dev/ttyUSB0", "/dev/ttyS0"};
        CableFinder finder([&] { return devices; });
        finder.start();
        QCOMPARE(finder.check(), QString()); // nothing new yet
        devices = QStringList{"/dev/ttyS0"};
        QCOMPARE(finder.check(), QString());
        devices = QStringList{"/dev/ttyS0", "/dev/ttyUSB0"};
        QCOMPARE(finder.check(), QStringLiteral("/dev/ttyUSB0"));
    }

    // A new device becomes COM1 and the others move down, the sixteenth
    // dropping off.
    void aFoundDeviceTakesTheFirstItemOfAFullMenu() {
        QStringList sixteen;
        for (int i = 0; i < 16; ++i)
            sixteen << QStringLiteral("/dev/ttyS%1").arg(i);
        SerialPortList ports(sixteen);
        QCOMPARE(ports.putFirst("/dev/ttyS4"), 5);
        QCOMPARE(ports.putFirst("/dev/ttyUSB0"), 1);
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
        QCOMPARE(describeHolder("gpsd", 5), QStringLiteral("the GPS service (gpsd, process 5)"));
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
#endif
    }
};

QTEST_GUILESS_MAIN(TestCableFinder)
#include "tst_cable_finder.moc"
