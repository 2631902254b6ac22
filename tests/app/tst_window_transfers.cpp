// The Memory tab's transfer buttons through the real main window, against
// the simulator over a pseudo-terminal: what the user sees in the grid, the
// progress display and the message boxes.
#include "app/radio_facade.h"
#include "app/recording_dialogs.h"
#include "app/sim_window.h"
#include "link/operation_runner.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/memory_page.h"
#include "model/memory_map.h"
#include "support/radio_support.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

struct Window : test::SimWindow {
    QString text(int row, int column) const { return w->data().channels.text(row, column); }
};

} // namespace

class TestWindowTransfers : public QObject {
    Q_OBJECT
private slots:
    void readFillsTheGridAndWriteSendsItBack() {
        Window win;
        QVERIFY(win.sim.ok());
        win.sim->setImage(sim::sampleImage());
        win.w->data().channels.setText(5, ColFrequency, "1.00000MHz"); // not in the receiver
        win.click("READ_Botton");
        QVERIFY(win.w->linkState().isBusy());
        win.click("WRITE_Botton"); // ignored while the read runs
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages.size(), 1);
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));
        QCOMPARE(win.dialogs->messages[0].title, QStringLiteral(" Finish"));
        // The grid shows the receiver's channels; empty ones are cleared.
        QVERIFY(win.w->data().channels.inUse(1));
        QVERIFY(!win.text(1, ColFrequency).isEmpty());
        QCOMPARE(win.text(5, ColFrequency).isEmpty(), !win.w->data().channels.inUse(5));
        // The end of the operation restores the progress display.
        QCOMPARE(win.w->findChild<QLineEdit*>("Progress")->text(), QStringLiteral("0%"));
        QCOMPARE(win.w->progressBar()->value(), 0);
        QCOMPARE(win.w->currentRow(), 1);

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
        Window win;
        QVERIFY(win.sim.ok());
        ChannelTable& table = win.w->data().channels;
        ChannelRow row;
        row.cells[ColFrequency] = "145.50000MHz";
        row.cells[ColMode] = "AM";
        row.cells[ColName] = "Dual sub";
        row.codes.inUse = 1;
        table.setRow(1302, row); // Dual0(Sub): channel 1401
        win.w->grid()->selectRows(1303, 1302);
        win.click("MEM_ONE_WRITE");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));
        QCOMPARE(win.sim->memory(memmap::channelAddress(1401), 64), table.record(1302));

        table.clearRow(1302);
        win.w->grid()->selectRows(1302, 1302);
        win.click("MEM_ONE_READ");
        QVERIFY(win.finished(2));
        QCOMPARE(table.text(1302, ColName), QStringLiteral("Dual sub"));
        QCOMPARE(table.text(1302, ColMode), QStringLiteral("AM"));
    }

    void failuresAreReported() {
        Window win;
        QVERIFY(win.sim.ok());
        // A receiver of another region answers "NG": identification fails.
        win.sim->setRegion(Region::J);
        win.click("READ_Botton");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Error"));
        QCOMPARE(win.dialogs->messages[0].title, QStringLiteral(" Error"));

        // A device that is not there: "Port Error" with the reason beneath.
        win.w->usePortDevice("/dev/rz-v70-no-such-device");
        win.click("MEM_ONE_READ");
        QVERIFY(win.finished(2));
        QCOMPARE(win.dialogs->messages[1].text, QStringLiteral("Port Error"));
        QCOMPARE(win.dialogs->messages[1].title, QStringLiteral(" Error"));
        QVERIFY(win.dialogs->messages[1].detail.contains("/dev/rz-v70-no-such-device"));
    }

    void anyClickOnTheProgressBarResetsTheReceiver() {
        Window win;
        QVERIFY(win.sim.ok());
        QTest::mouseClick(win.w->progressBar(), Qt::RightButton, Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return win.sim->receivedCount() == 1; }, 5000));
        QCOMPARE(win.sim->receivedFrames().first(), QByteArray("ZT~RESET\r"));
        QVERIFY(win.dialogs->messages.isEmpty());
    }

    void closingDuringAReadStopsWithoutAMessage() {
        Window win;
        QVERIFY(win.sim.ok());
        win.sim->setPaced(true); // slow enough to close in the middle
        win.click("READ_Botton");
        QVERIFY(QTest::qWaitFor([&] { return win.sim->receivedCount() >= 3; }, 5000));
        win.w->close();
        QVERIFY(QTest::qWaitFor([&] { return !win.w->linkState().isBusy(); }, 5000));
        QTest::qWait(50);
        QVERIFY(win.dialogs->messages.isEmpty());
    }
};

QTEST_MAIN(TestWindowTransfers)
#include "tst_window_transfers.moc"
