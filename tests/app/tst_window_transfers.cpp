// The Memory tab's transfer buttons through the real main window, against
// the simulator over a pseudo-terminal: what the user sees in the grid, the
// progress display and the message boxes.
#include "app/sim_window.h"
#include "link/operation_runner.h"
#include "memory/ui/channel_grid.h"
#include "model/memory_map.h"
#include "support/radio_support.h" // links the simulator

#include <QLineEdit>
#include <QProgressBar>

using namespace rz;

class TestWindowTransfers : public QObject {
    Q_OBJECT
private slots:
    void readFillsTheGridAndWriteSendsItBack() {
        test::SimWindow win;
        ChannelTable& table = win.data.channels;
        win.sim->setImage(sim::sampleImage());
        table.setText(5, ColFrequency, "1.00000MHz"); // not in the receiver
        win.click("READ_Botton");
        QVERIFY(win->linkState().isBusy());
        win.click("WRITE_Botton"); // ignored while the read runs
        QVERIFY(win.finished());
        QCOMPARE(win.messageTexts(), QStringList{"Success"});
        // The grid shows the receiver's channels; empty ones are cleared.
        QVERIFY(table.inUse(1) && !table.text(1, ColFrequency).isEmpty());
        QCOMPARE(table.text(5, ColFrequency).isEmpty(), !table.inUse(5));
        // The end of the operation restores the progress display.
        QCOMPARE(win.find<QLineEdit>("Progress")->text(), QStringLiteral("0%"));
        QCOMPARE(win->progressBar()->value(), 0);
        QCOMPARE(win->currentRow(), 1);

        // Writing back: the receiver ends up with the same channel area.
        const QByteArray before = win.sim->image();
        win.sim->setImage(QByteArray());
        win.click("WRITE_Botton");
        QVERIFY(win.finished(2));
        QCOMPARE(win.dialogs->messages[1].text, QStringLiteral("Success"));
        QCOMPARE(win.sim->memory(memmap::ChannelBase, 64 * 1721),
                 before.mid(int(memmap::ChannelBase), 64 * 1721));
    }

    void oneMemoryWriteOfASelectionAndReadBack() {
        test::SimWindow win;
        ChannelTable& table = win.data.channels;
        ChannelRow row;
        row.cells[ColFrequency] = "145.50000MHz";
        row.cells[ColMode] = "AM";
        row.cells[ColName] = "Dual sub";
        row.codes.inUse = 1;
        table.setRow(1302, row); // Dual0(Sub): channel 1401
        win->grid()->selectRows(1303, 1302);
        win.click("MEM_ONE_WRITE");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));
        QCOMPARE(win.sim->memory(memmap::channelAddress(1401), 64), table.record(1302));

        table.clearRow(1302);
        win->grid()->selectRows(1302, 1302);
        win.click("MEM_ONE_READ");
        QVERIFY(win.finished(2));
        QCOMPARE(table.text(1302, ColName), QStringLiteral("Dual sub"));
        QCOMPARE(table.text(1302, ColMode), QStringLiteral("AM"));
    }

    void failuresAreReportedAndTheProgressBarResets() {
        test::SimWindow win;
        // Any click on the progress bar resets the receiver, with no message.
        QTest::mouseClick(win->progressBar(), Qt::RightButton, Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return win.sim->receivedCount() == 1; }, 5000));
        QCOMPARE(win.sim->receivedFrames().first(), QByteArray("ZT~RESET\r"));
        QVERIFY(win.dialogs->messages.isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !win->radio().runner().isRunning(); }, 5000));

        // A device that is not there: "Port Error" with the reason beneath.
        // (Each operation's messages for each fault are in the fault matrix.)
        win->usePortDevice("/dev/rz-v70-no-such-device");
        win.click("MEM_ONE_READ");
        QVERIFY(win.finished());
        QCOMPARE(win.lastMessage(), QStringLiteral("Port Error| Error"));
        QVERIFY(win.dialogs->messages[0].detail.contains("/dev/rz-v70-no-such-device"));

        // A Port menu item with no device behind it says so.
        win.trigger("MenuSetCom(3)");
        win.click("READ_BANK");
        QVERIFY(win.finished(2));
        QCOMPARE(win.dialogs->messages[1].text, QStringLiteral("Port Error"));
        QCOMPARE(win.dialogs->messages[1].detail,
                 QStringLiteral("COM3 stands for no serial device on this machine"));
    }

    void writingTheStartUpDataAsksFirst() {
        test::SimWindow win;
        win.dialogs->chosenButton = "Cancel";
        win.click("WRITE_Botton");
        win.trigger("ALL_WRITE");
        QCOMPARE(win.dialogs->choices.size(), 2);
        QCOMPARE(win.dialogs->choices[1].text,
                 QStringLiteral("Nothing has been read or opened: write the start-up data to the "
                                "receiver? Its channels will be erased."));
        QCOMPARE(win.dialogs->choices[1].detail, QStringLiteral("Write/[Cancel]")); // Enter cancels
        QTest::qWait(50);
        QCOMPARE(win.sim->receivedCount(), 0);
        win.dialogs->chosenButton = "Write";
        win.click("WRITE_Botton");
        QVERIFY(win.finished());
        // Once something was read (even the same data) nothing is asked.
        win.click("READ_Botton");
        QVERIFY(win.finished(2));
        win.click("WRITE_Botton");
        QVERIFY(win.finished(3));
        QCOMPARE(win.messageTexts(), QStringList(3, "Success"));
        QCOMPARE(win.dialogs->choices.size(), 3);
    }

    void closingDuringAReadStopsItBeforeAskingAboutTheChanges() {
        test::SimWindow win;
        win.sim->setImage(sim::sampleImage());
        win.sim->setPaced(true);
        win.data.channels.setText(9, ColName, "mine"); // unsaved
        QCoreApplication::processEvents();
        win.click("READ_Botton"); // "Save changes?": Discard, and the read goes on
        QVERIFY(QTest::qWaitFor([&] { return win.sim->receivedCount() >= 3; }, 5000));
        QStringList seen; // what runs while the question is up
        win.dialogs->onChoice = [&](const QString& text) {
            seen << text << QString::number(win->radio().runner().isRunning());
        };
        win.dialogs->chosenButton = "Cancel";
        QVERIFY(!win->close());
        QCOMPARE(seen, (QStringList{"Save changes?", "0"}));
        QVERIFY(win.dialogs->messages.isEmpty()); // no "Success" either
        const int sent = win.sim->receivedCount();
        QTest::qWait(100);
        QCOMPARE(win.sim->receivedCount(), sent); // the read has stopped
        // The window stays and works on.
        QVERIFY(!win->linkState().isClosing() && win.find<QPushButton>("READ_Botton")->isEnabled());
        win.click("MEM_ONE_READ");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages.last().text, QStringLiteral("Success"));
    }
};

QTEST_MAIN(TestWindowTransfers)
#include "tst_window_transfers.moc"
