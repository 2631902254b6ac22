// The configuration file's places and the port it keeps, and the Port menu's
// devices.
#include "files/config_file.h"
#include "link/serial_port_list.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void readsThePortLine() {
        const struct {
            QByteArray content; // null: no file at all
            int port;
            int checked; // the Port menu's checked item, 0: none
        } cases[] = {
            {QByteArray(), 1, 0},
            {"COMPORT07\r\nEND\r\n", 7, 7},
            {"COMPORT16\r\n", 16, 16},
            {"COMPORT7\r\n", 1, 1},
            {"COMPORT00\r\n", 1, 1},
            {"COMPORT17\r\n", 1, 1},
            {"COMPORTxx\r\n", 1, 1},
            {"Bank00,100\r\nEND\r\n", 1, 0},                         // no port line
            {"ch,145.00000MHz\r\nCOMPORT03\r\nCOMPORT09\r\n", 3, 3}, // the first CO line counts
            {"x\nCOMPORT12", 12, 12},                                // LF only, last line
            {"COMMENT12\r\n", 12, 12},                               // any CO line
        };
        for (const auto& c : cases) {
            QTemporaryDir dir;
            const QString path = dir.filePath("RZ-V70_Writer.INI");
            QFile file(path);
            QVERIFY(c.content.isNull() ||
                    (file.open(QIODevice::WriteOnly) && file.write(c.content)));
            file.close();
            const config::PortSetting s = config::readPort(path);
            QVERIFY2(s.fileRead == !c.content.isNull() && s.port == c.port &&
                         s.checkedItem == c.checked,
                     c.content.constData());
        }
    }

    // Run from an install prefix (a package, "cmake --install"), the
    // program never writes beside itself, even where it could (as root).
    void installedProgramWritesInTheUsersFolders() {
        qunsetenv("RZ_V70_CONFIG");
        QVERIFY(config::defaultPath().endsWith("/RZ-V70_Writer.INI"));
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(!config::isInstalledLayout(bin));
        QCOMPARE(config::defaultPath(bin),
                 bin + "/RZ-V70_Writer.INI"); // a build or portable folder
        QCOMPARE(config::startFolder(bin), bin);

#ifdef Q_OS_WIN
        QFile entry(prefix.filePath("bin/uninstall.exe")); // the installer's
#else
        QVERIFY(QDir().mkpath(prefix.filePath("share/applications")));
        QFile entry(prefix.filePath("share/applications/org.rzv70.Writer.desktop"));
#endif
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        QVERIFY(config::isInstalledLayout(bin));
        const QString path = config::defaultPath(bin);
        QVERIFY(path.endsWith("/RZ-V70_Writer.INI"));
        QVERIFY2(!path.startsWith(prefix.path()), qPrintable(path));
        QVERIFY(!config::startFolder(bin).startsWith(prefix.path()));
        QVERIFY(!config::startFolder(bin).isEmpty());
        qputenv("RZ_V70_CONFIG", "/tmp/elsewhere.INI"); // still wins
        QCOMPARE(config::defaultPath(bin), QStringLiteral("/tmp/elsewhere.INI"));
        QCOMPARE(config::defaultPath(), QStringLiteral("/tmp/elsewhere.INI"));
        qunsetenv("RZ_V70_CONFIG");
    }

    void portMenuDevices() {
        SerialPortList ports(QStringList{"/dev/ttyUSB0", "/dev/ttyS0"});
        QCOMPARE(ports.caption(1), QStringLiteral("COM1 (/dev/ttyUSB0)"));
        QCOMPARE(ports.caption(3), QStringLiteral("COM3"));
        QCOMPARE(ports.assign("/dev/ttyS0"), 2);
        QCOMPARE(SerialPortList(QStringList{"COM1"}).caption(1), QStringLiteral("COM1"));
        QCOMPARE(ports.assign("com5"), 5); // a port number, as the command-line tool takes it
        QCOMPARE(ports.assign("COM17"), 0);
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QStringLiteral("/dev/ttyS%1").arg(i);
        SerialPortList full(many);
        QCOMPARE(full.device(16), QStringLiteral("/dev/ttyS15"));
        QCOMPARE(full.device(17), QString());
        QCOMPARE(full.assign("/dev/ttyUSB9"), 1); // no free number left
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_config_file.moc"
