// Closing the main window while each radio operation of the window waits for
// a reply that never comes: the operation ends at once, with no message, and
// nothing is left running.
#include "app/sim_window.h"
#include "link/operation_runner.h"
#include "support/radio_support.h" // links the simulator

using namespace rz;

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
        test::SimWindow win;
        win.sim->addFault({sim::Fault::Drop, QByteArray(), 0, -1, 0}); // a silent receiver
        // The program's own reply timer: the wait lasts long enough to close
        // in the middle of it.
        win->radio().setTimeouts(Timeouts());
        win.dialogs->chosenButton = "Write"; // the start-up data, knowingly
        if (auto* button = win.find<QPushButton>(control))
            button->click();
        else if (auto* action = win.find<QAction>(control))
            action->trigger();
        else
            QFAIL(qPrintable("no control " + control));
        QVERIFY(win->linkState().isBusy());
        QVERIFY(win.sim->waitForFrames(1, 10000));
        win->close();
        QVERIFY(QTest::qWaitFor(
            [&] { return !win->radio().isBusy() && !win->radio().runner().isRunning(); }, 5000));
        QTest::qWait(20); // anything still queued arrives
        QCOMPARE(win.sim->receivedCount(), 1);
        QVERIFY2(win.dialogs->messages.isEmpty(), qPrintable(win.dialogs->messages.value(0).text));
        QVERIFY(win->linkState().isClosing());
    }
};

QTEST_MAIN(TestCloseDuringWait)
#include "tst_close_during_wait.moc"
