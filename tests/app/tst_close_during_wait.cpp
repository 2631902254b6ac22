// Closing the main window while each radio operation of the window waits for
// a reply that never comes: the operation ends at once, with no message, and
// nothing is left running.
#include "app/main_window.h"
#include "app/radio_facade.h"
#include "app/recording_dialogs.h"
#include "link/operation_runner.h"
#include "support/radio_support.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;

class TestCloseDuringWait : public QObject {
    Q_OBJECT
private slots:
    void closingEndsEveryOperationSilently_data() {
        QTest::addColumn<QString>("control");
        // Buttons of the four tabs, then the COMM menu's sequences.
        for (const char* name :
             {"READ_Botton", "WRITE_Botton", "MEM_ONE_READ", "MEM_ONE_WRITE", "READ_BANK",
              "WRITE_BANK", "READ_ONE_TOUCH", "WRITE_ONE_TOUCH", "SETTING_READ", "SETTING_WRITE",
              "Set_Mode_Read", "Set_Mode_Write", "ALL_READ", "ALL_WRITE"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void closingEndsEveryOperationSilently() {
        QFETCH(QString, control);
        QTemporaryDir dir;
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0}); // a silent receiver
        DataSet data;
        MainWindow::Options options;
        options.configPath = dir.filePath("RZ-V70_Writer.INI");
        options.ports = SerialPortList({sim.device()});
        MainWindow w(data, options);
        auto recording = std::make_unique<RecordingDialogs>();
        RecordingDialogs* dialogs = recording.get();
        w.setUserDialogs(std::move(recording));
        w.show();

        // The program's own reply timer: the wait lasts long enough to close
        // in the middle of it.
        if (auto* button = w.findChild<QPushButton*>(control))
            button->click();
        else if (auto* action = w.findChild<QAction*>(control))
            action->trigger();
        else
            QFAIL(qPrintable("no control " + control));
        QVERIFY(w.linkState().isBusy());
        QVERIFY(sim->waitForFrames(1, 10000));
        w.close();
        QVERIFY(QTest::qWaitFor(
            [&] { return !w.radio().isBusy() && !w.radio().runner().isRunning(); }, 5000));
        QTest::qWait(20); // anything still queued arrives
        QCOMPARE(sim->receivedCount(), 1);
        QVERIFY2(dialogs->messages.isEmpty(), qPrintable(dialogs->messages.value(0).text));
        QVERIFY(w.linkState().isClosing());
    }
};

QTEST_MAIN(TestCloseDuringWait)
#include "tst_close_during_wait.moc"
