// The Windows desktop program: its Memory Read through the Win32 serial
// transport against the simulator behind a COM port (RZ_TEST_PORT, the
// channels the Linux tool read in RZ_TEST_EXPECTED), and its files in
// folders whose names are not ASCII, as a Japanese user name gives them.
#include "app/main_window.h"
#include "files/data_set_sections.h"
#include "gui/radio_facade.h"
#include "gui/recording_dialogs.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

class TestWinWindow : public QObject {
    Q_OBJECT
private slots:
    void memoryReadOnComPort() {
        const QString port = qEnvironmentVariable("RZ_TEST_PORT");
        if (port.isEmpty())
            QSKIP("RZ_TEST_PORT names no COM port with the simulator behind it");
        DataSet expected;
        clone::DataSetSections expectedFile(expected, [] { return 1; });
        QCOMPARE(expectedFile.open(qEnvironmentVariable("RZ_TEST_EXPECTED")).ok, true);

        QTemporaryDir dir;
        DataSet data;
        MainWindow::Options options;
        options.configPath = dir.filePath("RZ-V70_Writer.INI");
        options.ports = SerialPortList({port});
        MainWindow w(data, options);
        auto recording = std::make_unique<RecordingDialogs>();
        auto* dialogs = recording.get();
        w.setUserDialogs(std::move(recording));
        w.show();
        w.findChild<QPushButton*>("READ_Botton")->click();
        QVERIFY(QTest::qWaitFor(
            [&] { return !dialogs->messages.isEmpty() && !w.linkState().isBusy(); }, 120000));
        QCOMPARE(dialogs->messages.first().text, QStringLiteral("Success"));
        // Every channel as the Linux tool read it, in every column on screen.
        for (int row = 1; row <= ChannelTable::RowCount; ++row)
            for (int column = 1; column < GridColumnCount; ++column)
                if (column != ColTxTone)
                    QCOMPARE(data.channels.text(row, column), expected.channels.text(row, column));
    }

    void filesInJapaneseFolders() {
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("ユーザー山田"));
        QVERIFY(QDir().mkpath(folder));
        DataSet data;
        clone::DataSetSections sections(data, [] { return 3; });
        const QString path = folder + QStringLiteral("/受信機.V70");
        QCOMPARE(sections.save(path).ok, true);
        DataSet back;
        clone::DataSetSections reading(back, [] { return 3; });
        QCOMPARE(reading.open(path).ok, true);
        const QString again = folder + QStringLiteral("/もう一度.V70");
        QCOMPARE(reading.save(again).ok, true);
        const auto body = [](const QString& file) {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n').mid(1)
                                               : QList<QByteArray>();
        };
        QVERIFY(!body(path).isEmpty());
        QCOMPARE(body(again), body(path));

        // The configuration file in such a folder: choosing a port writes it.
        MainWindow::Options options;
        options.configPath = folder + QStringLiteral("/設定/RZ-V70_Writer.INI");
        QVERIFY(QDir().mkpath(QFileInfo(options.configPath).path()));
        options.ports = SerialPortList({QStringLiteral("COM1"), QStringLiteral("COM2")});
        MainWindow w(data, options);
        w.setUserDialogs(std::make_unique<RecordingDialogs>());
        w.findChild<QAction*>(QStringLiteral("MenuSetCom(2)"))->trigger();
        QVERIFY(QFileInfo::exists(options.configPath));
    }
};

QTEST_MAIN(TestWinWindow)
#include "tst_win_window.moc"
