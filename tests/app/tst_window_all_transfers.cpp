// "Read all" and "Write all" from the COMM menu of the real main window,
// against the simulator: the messages the user sees and their order, the
// region options held still, the bank-total question, closing the window
// while a step's message is up.
#include "app/main_window.h"
#include "app/radio_facade.h"
#include "app/recording_dialogs.h"
#include "link/operation_runner.h"
#include "model/memory_map.h"
#include "support/radio_support.h"

#include <QAction>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

// Closes the window while the message with the given text is up.
class ClosingDialogs : public RecordingDialogs {
public:
    QWidget* window = nullptr;
    QString closeOn;
    void message(const QString& text, const QString& title, const QString& detail) override {
        RecordingDialogs::message(text, title, detail);
        if (text == closeOn)
            window->close();
    }
};

struct Window {
    QTemporaryDir dir;
    test::RunningSimulator sim;
    ClosingDialogs* dialogs = nullptr;
    DataSet data;
    std::unique_ptr<MainWindow> w;

    Window() {
        MainWindow::Options options;
        options.configPath = dir.filePath("RZ-V70_Writer.INI");
        options.ports = SerialPortList({sim.device()});
        w = std::make_unique<MainWindow>(data, options);
        auto recording = std::make_unique<ClosingDialogs>();
        dialogs = recording.get();
        dialogs->window = w.get();
        w->setUserDialogs(std::move(recording));
        w->show();
    }
    void trigger(const char* name) { w->findChild<QAction*>(QLatin1String(name))->trigger(); }
    bool regionOptionsEnabled() const {
        for (int i = 0; i < 3; ++i)
            if (!w->findChild<QRadioButton*>(QStringLiteral("optRegion(%1)").arg(i))->isEnabled())
                return false;
        return true;
    }
    bool idle() {
        return QTest::qWaitFor([&] { return !w->radio().runner().isRunning(); }, 60000);
    }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : dialogs->messages)
            out << m.text;
        return out;
    }
};

} // namespace

class TestWindowAllTransfers : public QObject {
    Q_OBJECT
private slots:
    void readAllFillsEveryAreaWithOneSummary() {
        Window win;
        QVERIFY(win.sim.ok());
        win.sim->setImage(sim::sampleImage());
        win.trigger("ALL_READ");
        QVERIFY(!win.regionOptionsEnabled());
        QCOMPARE(win.w->linkState().readAllMode(), LinkState::ReadAllRunning);
        win.trigger("ALL_WRITE"); // ignored while Read all runs
        QVERIFY(win.idle());
        QCOMPARE(win.messages(), QStringList{"Success ALL DATA READ"});
        QCOMPARE(win.dialogs->messages[0].title, QString(" Finish"));
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win.w->linkState().readAllMode(), LinkState::ReadAllOff);
        QVERIFY(!win.w->linkState().isBusy());
        QVERIFY(win.data.channels.inUse(1));
        QVERIFY(!win.data.settings.title().isEmpty());
        QVERIFY(win.data.bankLinks.isMember(0, 1));
        QVERIFY(win.data.font.character(2) != FontChar());
        QVERIFY(win.dialogs->questions.isEmpty());
    }

    void writeAllShowsTheFontAndBankLinkMessagesThenTheSummary() {
        Window win;
        QVERIFY(win.sim.ok());
        win.data.channels.setText(3, ColFrequency, "145.50000MHz");
        win.data.font.clearAll(); // edited: the font goes too
        win.trigger("ALL_WRITE");
        QVERIFY(!win.regionOptionsEnabled());
        QVERIFY(win.idle());
        QCOMPARE(win.messages(), (QStringList{"All Font Data Write", "Success Group Data Write",
                                              "Success ALL DATA WRITE"}));
        QVERIFY(win.regionOptionsEnabled());
    }

    void aBankTotalOtherThan1200IsAskedAboutBeforeAnythingIsSent() {
        Window win;
        QVERIFY(win.sim.ok());
        win.data.banks.setSize(0, 7);
        win.dialogs->answerOk = false;
        win.trigger("ALL_WRITE");
        QCOMPARE(win.dialogs->questions.size(), 1);
        QCOMPARE(win.dialogs->questions[0].text, QString("Bank Total Error. Init Data?"));
        QCOMPARE(win.dialogs->questions[0].title, QString("Caution"));
        QVERIFY(!win.w->linkState().isBusy());
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win.data.banks.size(0), 7);

        win.dialogs->answerOk = true;
        win.trigger("ALL_WRITE");
        QCOMPARE(win.data.banks.size(0), 100); // the default layout
        QVERIFY(win.idle());
        QCOMPARE(win.messages(),
                 (QStringList{"Success Group Data Write", "Success ALL DATA WRITE"}));
        QCOMPARE(win.sim->memory(memmap::BanksFirst, 2), QByteArray("\x64\x00", 2));
    }

    void closingWhileAStepMessageIsUpEndsWithoutAnotherMessage() {
        Window win;
        QVERIFY(win.sim.ok());
        win.data.font.clearAll();
        win.dialogs->closeOn = "All Font Data Write";
        win.trigger("ALL_WRITE");
        QVERIFY(win.idle());
        QCOMPARE(win.messages(), QStringList{"All Font Data Write"});
        // Nothing was sent after the font step.
        QVERIFY(!win.sim->receivedFrames().last().startsWith("ZT~F00100W"));
    }

    void aSilentReceiverGivesOneErrorAndTheRegionOptionsComeBack() {
        Window win;
        QVERIFY(win.sim.ok());
        win.w->radio().setTimeouts(test::shortTimeouts(40));
        win.sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});
        win.trigger("ALL_READ");
        QVERIFY(win.idle());
        QCOMPARE(win.messages(), QStringList{"Error"});
        QVERIFY(win.regionOptionsEnabled());
        QCOMPARE(win.w->linkState().readAllMode(), LinkState::ReadAllOff);
    }
};

QTEST_MAIN(TestWindowAllTransfers)
#include "tst_window_all_transfers.moc"
