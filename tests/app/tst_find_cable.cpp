// "Find my cable..." in the Port menu: the device that appears while the
// dialog waits becomes the chosen port through the Port menu's own rule (the
// check mark, the configuration file); the time-out and Cancel change
// nothing; nothing happens while an operation runs.
#include "app/find_cable_dialog.h"
#include "app/sim_window.h"
#include "support/radio_support.h" // links the simulator
#include "support/test_files.h"

using namespace rz;

namespace {

QStringList devices; // the machine's serial devices, as the test changes them

struct Window : test::SimWindow {
    // What the user does in the dialog, once the runner has it.
    std::function<void(FindCableDialog&)> user;

    Window()
        : SimWindow([](SimWindow&, MainWindow::Options& options) {
              devices = QStringList{"/dev/ttyS0", "/dev/ttyUSB1"};
              options.ports = SerialPortList(devices);
              options.devices = [] { return devices; };
          }) {
        w->setDialogRunner([this](QDialog& dialog) {
            auto* find = qobject_cast<FindCableDialog*>(&dialog);
            QVERIFY(find);
            find->finder().setIntervals(5, 200);
            user(*find);
        });
    }
    QByteArray config() const { return test::readFile(dir.filePath("RZ-V70_Writer.INI")); }
};

void click(FindCableDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QLatin1String(button))->click();
}

} // namespace

class TestFindCable : public QObject {
    Q_OBJECT
private slots:
    void theCableThatIsPluggedInBecomesTheChosenPort() {
        Window w;
        QCOMPARE(w.find<QAction>("FindCable")->text(), QStringLiteral("Find my cable\u2026"));
        w.user = [&](FindCableDialog& dialog) {
            click(dialog, "FindCableNext"); // unplugged: the search starts
            devices.prepend("/dev/ttyUSB0");
            QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        };
        w.trigger("FindCable");
        QCOMPARE(w->selectedPort(), 1);
        QCOMPARE(w->selectedPortDevice(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(w.port(1)->text(), QStringLiteral("COM1 (/dev/ttyUSB0)"));
        QCOMPARE(w.port(2)->text(), QStringLiteral("COM2 (/dev/ttyS0)")); // moved down
        QCOMPARE(w.port(3)->text(), QStringLiteral("COM3 (/dev/ttyUSB1)"));
        QVERIFY(w.port(1)->isChecked());
        QVERIFY(w.config().contains("COMPORT01\r\n"));
        QVERIFY(w.dialogs->messages.isEmpty());

        // A device the menu has already keeps its number.
        w.user = [&](FindCableDialog& dialog) {
            devices.removeAll("/dev/ttyUSB1");
            click(dialog, "FindCableNext");
            devices.append("/dev/ttyUSB1");
            QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        };
        w.trigger("FindCable");
        QCOMPARE(w->selectedPort(), 3);
        QVERIFY(w.port(3)->isChecked() && !w.port(1)->isChecked());
        QVERIFY(w.config().contains("COMPORT03\r\n"));
    }

    void timeOutCancelAndABusyLinkLeaveThePort() {
        Window w;
        w.port(2)->trigger();
        const QByteArray written = w.config();
        QVERIFY(written.contains("COMPORT02"));

        w.user = [&](FindCableDialog& dialog) {
            click(dialog, "FindCableNext");
            QTRY_VERIFY(dialog.timedOut());
        };
        w.trigger("FindCable");
        QCOMPARE(w.messageTexts(), QStringList{"No new serial device appeared."});

        w.user = [&](FindCableDialog& dialog) {
            click(dialog, "FindCableNext");
            click(dialog, "FindCableCancel");
            devices.prepend("/dev/ttyUSB0"); // too late: the search is over
            QTest::qWait(30);
            QCOMPARE(dialog.device(), QString());
        };
        w.trigger("FindCable");

        // An operation started meanwhile: the choice is refused.
        devices = QStringList{"/dev/ttyS0"};
        w.user = [&](FindCableDialog& dialog) {
            click(dialog, "FindCableNext");
            devices.prepend("/dev/ttyACM0");
            QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
            w->linkState().setBusyCode(232);
        };
        w.trigger("FindCable");
        w->linkState().setBusyCode(0);

        QCOMPARE(w->selectedPort(), 2);
        QVERIFY(w.port(2)->isChecked());
        QCOMPARE(w.config(), written);
        QCOMPARE(w.dialogs->messages.size(), 1);

        // While an operation runs, the item does nothing at all.
        w->linkState().setBusyCode(232);
        w.user = [](FindCableDialog&) { QFAIL("no dialog while busy"); };
        w.trigger("FindCable");
        w->linkState().setBusyCode(0);
    }
};

QTEST_MAIN(TestFindCable)
#include "tst_find_cable.moc"
