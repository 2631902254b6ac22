// Reading the port from the configuration file, and the Port menu's devices.
#include "files/config_file.h"
#include "link/serial_port_list.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void readsThePortLine_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("checked");
        QTest::newRow("missing") << QByteArray() << 1 << 0;
        QTest::newRow("COMPORT07") << QByteArray("COMPORT07\r\nEND\r\n") << 7 << 7;
        QTest::newRow("COMPORT16") << QByteArray("COMPORT16\r\n") << 16 << 16;
        QTest::newRow("COMPORT7") << QByteArray("COMPORT7\r\n") << 1 << 1;
        QTest::newRow("COMPORT00") << QByteArray("COMPORT00\r\n") << 1 << 1;
        QTest::newRow("above 16") << QByteArray("COMPORT17\r\n") << 1 << 1;
        QTest::newRow("not a number") << QByteArray("COMPORTxx\r\n") << 1 << 1;
        QTest::newRow("no port line") << QByteArray("Bank00,100\r\nEND\r\n") << 1 << 0;
        QTest::newRow("first CO line counts")
            << QByteArray("ch,145.00000MHz\r\nCOMPORT03\r\nCOMPORT09\r\n") << 3 << 3;
        QTest::newRow("LF only, last line") << QByteArray("x\nCOMPORT12") << 12 << 12;
        QTest::newRow("other CO line") << QByteArray("COMMENT12\r\n") << 12 << 12;
    }

    void readsThePortLine() {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QFETCH(int, checked);
        QTemporaryDir dir;
        const QString path = dir.filePath("RZ-V70_Writer.INI");
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const config::PortSetting setting = config::readPort(path);
        QCOMPARE(setting.fileRead, !content.isNull());
        QCOMPARE(setting.port, port);
        QCOMPARE(setting.checkedItem, checked);
    }

    void portLineAndPath() {
        QCOMPARE(config::portLine(7), QStringLiteral("COMPORT07"));
        QCOMPARE(config::portLine(12), QStringLiteral("COMPORT12"));
        qputenv("RZ_V70_CONFIG", "/tmp/elsewhere.INI");
        QCOMPARE(config::defaultPath(), QStringLiteral("/tmp/elsewhere.INI"));
        qunsetenv("RZ_V70_CONFIG");
        QVERIFY(config::defaultPath().endsWith("/RZ-V70_Writer.INI"));
    }

    // Run from an install prefix (a package, "cmake --install"), the
    // program never writes beside itself, even where it could (as root).
    void installedProgramWritesInTheUsersFolders() {
        qunsetenv("RZ_V70_CONFIG");
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(!config::isInstalledLayout(bin));
        QCOMPARE(config::defaultPath(bin),
                 bin + "/RZ-V70_Writer.INI"); // a build or portable folder
        QCOMPARE(config::startFolder(bin), bin);

        QVERIFY(QDir().mkpath(prefix.filePath("share/applications")));
        QFile entry(prefix.filePath("share/applications/org.rzv70.Writer.desktop"));
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
