// "Read all" and "Write all" from the COMM menu of the real main window,
// against the simulator: the messages the user sees and their order, the
// region options held still, the bank-total question, closing the window
// while a step's message is up.
#include "app/sim_window.h"
#include "link/operation_runner.h"
#include "model/memory_map.h"
#include "support/radio_support.h" // links the simulator

#include <QRadioButton>

using namespace rz;

namespace {

struct Window : test::SimWindow {
    bool regionOptionsEnabled() const {
        for (int i = 0; i < 3; ++i)
            if (!find<QRadioButton>(QStringLiteral("optRegion(%1)").arg(i))->isEnabled())
                return false;
        return true;
    }
    bool idle() const {
        return QTest::qWaitFor([&] { return !w->radio().runner().isRunning(); }, 60000);
    }
};

} // namespace

class TestWindowAllTransfers : public QObject {
    Q_OBJECT
private slots:
    void readAllFillsEveryAreaWithOneSummaryOrOneError() {
        Window win;
        win.sim->setImage(sim::sampleImage());
        win.trigger("ALL_READ");
        QVERIFY(!win.regionOptionsEnabled());
        QCOMPARE(win->linkState().readAllMode(), LinkState::ReadAllRunning);
        win.trigger("ALL_WRITE"); // ignored while Read all runs
        QVERIFY(win.idle());
        QCOMPARE(win.messageTexts(), QStringList{"Success ALL DATA READ"});
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win->linkState().readAllMode(), LinkState::ReadAllOff);
        QVERIFY(!win->linkState().isBusy());
        QVERIFY(win.data.channels.inUse(1));
        QVERIFY(!win.data.settings.title().isEmpty());
        QVERIFY(win.data.bankLinks.isMember(0, 1));
        QVERIFY(win.data.font.character(2) != FontChar());
        QVERIFY(win.dialogs->questions.isEmpty());

        // A silent receiver: one error, and the region options come back.
        win.sim->addFault({sim::Fault::Drop, QByteArray(), 0, -1, 0});
        win.trigger("ALL_READ");
        QVERIFY(win.idle());
        QCOMPARE(win.messageTexts(), (QStringList{"Success ALL DATA READ", "Error"}));
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win->linkState().readAllMode(), LinkState::ReadAllOff);
    }

    void writeAllAsksAboutTheBankTotalThenShowsEachStepsMessage() {
        Window win;
        // A bank total other than 1200 is asked about before anything is sent.
        win.data.banks.setSize(0, 7);
        win.dialogs->answerOk = false;
        win.trigger("ALL_WRITE");
        QCOMPARE(win.dialogs->questions.size(), 1);
        QCOMPARE(win.dialogs->questions[0].text, QString("Bank Total Error. Init Data?"));
        QCOMPARE(win.dialogs->questions[0].title, QString("Caution"));
        QVERIFY(!win->linkState().isBusy());
        QCOMPARE(win.sim->receivedCount(), 0);
        QCOMPARE(win.data.banks.size(0), 7);

        win.dialogs->answerOk = true;
        win.data.font.clearAll(); // edited: the font goes too
        win.trigger("ALL_WRITE");
        QCOMPARE(win.data.banks.size(0), 100); // the default layout
        QVERIFY(!win.regionOptionsEnabled());
        QVERIFY(win.idle());
        QCOMPARE(win.messageTexts(), (QStringList{"All Font Data Write", "Success Group Data Write",
                                                  "Success ALL DATA WRITE"}));
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win.sim->memory(memmap::BanksFirst, 2), QByteArray("\x64\x00", 2));
    }

    void closingWhileAStepMessageIsUpEndsWithoutAnotherMessage() {
        Window win;
        win.data.font.clearAll();            // blank as it starts: still the start-up data
        win.dialogs->chosenButton = "Write"; // written knowingly
        win.dialogs->onMessage = [&](const QString& text) {
            if (text == "All Font Data Write")
                win->close();
        };
        win.trigger("ALL_WRITE");
        QVERIFY(win.idle());
        QCOMPARE(win.messageTexts(), QStringList{"All Font Data Write"});
        // Nothing was sent after the font step.
        QVERIFY(!win.sim->receivedFrames().last().startsWith("ZT~F00100W"));
    }
};

QTEST_MAIN(TestWindowAllTransfers)
#include "tst_window_all_transfers.moc"
