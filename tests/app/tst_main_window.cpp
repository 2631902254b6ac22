// The main window through its controls: start-up state, the Port menu, tab
// switching with the bank-total check, the busy code (window and Memory tab
// commands), the Version box, the start window and the real message box.
// Reading the configuration file itself is tested on its own; here only that
// its port reaches the menu. Closing is tested with each operation's wait.
#include "app/sim_window.h"
#include "app/splash_screen.h"
#include "memory/ui/channel_grid.h"
#include "support/radio_support.h" // links the simulator

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>

using namespace rz;

namespace {

// A window over a configuration file with the given content (none when
// null) and two known serial devices.
struct Window : test::SimWindow {
    explicit Window(const char* config = nullptr)
        : SimWindow([config](SimWindow&, MainWindow::Options& options) {
              QFile file(options.configPath);
              if (config && file.open(QIODevice::WriteOnly))
                  file.write(config);
              options.ports = SerialPortList({"/dev/ttyUSB0", "/dev/ttyS0"});
          }) {}
    QTabBar* tabs() const { return find<QTabBar>("TabStrip1"); }
    // The one visible frame; -2 when several are.
    int shownFrame() const {
        int shown = -1;
        for (int i = 0; i < 4; ++i)
            if (find<QGroupBox>(QStringLiteral("A_FRAME(%1)").arg(i))->isVisible())
                shown = shown < 0 ? i : -2;
        return shown;
    }
    QList<int> checkedPorts() const {
        QList<int> checked;
        for (int n = 1; n <= 16; ++n)
            if (port(n)->isChecked())
                checked << n;
        return checked;
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpState() {
        Window w; // no configuration file
        QCOMPARE(w->selectedPort(), 1);
        QCOMPARE(w.checkedPorts(), QList<int>());
        QVERIFY(w.find<QRadioButton>("optRegion(1)")->isChecked());
        QCOMPARE(w.find<QRadioButton>("optRegion(1)")->text(), QStringLiteral("E/EGR"));
        QCOMPARE(w->region(), Region::E);
        QCOMPARE(w.shownFrame(), 0);
        QCOMPARE(w.tabs()->currentIndex(), 0);
        // Start-up applies the English vocabulary, the one-touch heading too.
        QCOMPARE(w.find<QLabel>("Label6")->text(), QStringLiteral("Key number"));

        // The rows carry the bank layout's labels (the labels themselves and
        // the table's presets are tested with the layout and the table).
        QCOMPARE(w->grid()->model()->headerData(0, Qt::Vertical).toString(),
                 QStringLiteral("Bank00-000"));
    }

    void aFileGivenAtStartOpensAndTheWindowHasTheIcon() {
        Window w;
        QVERIFY(!w->windowIcon().isNull());
        w.data.settings.setTitle("from the file");
        w.dialogs->chosenPath = w.dir.filePath("start.V70");
        w.trigger("TEST_CLICK");
        w.data.settings.setTitle("edited");
        QCoreApplication::processEvents();
        w.dialogs->chosenButton = "Cancel"; // unsaved work is not replaced unasked
        w->openFile(w.dialogs->chosenPath);
        QCOMPARE(w.data.settings.title(), QStringLiteral("edited"));
        w.dialogs->chosenButton = "Discard";
        w->openFile(w.dialogs->chosenPath);
        QCOMPARE(w.data.settings.title(), QStringLiteral("from the file"));
    }

    void choosingAPortAndWhatTheBusyCodeHolds() {
        Window w("COMPORT03\r\n");
        QCOMPARE(w.checkedPorts(), QList<int>{3});
        QSignalSpy chosen(w.w.get(), &MainWindow::portChosen);
        w.port(12)->trigger();
        QCOMPARE(w->selectedPort(), 12);
        QCOMPARE(w.checkedPorts(), QList<int>{12});
        QCOMPARE(chosen, (QList<QVariantList>{{12}}));
        w.port(12)->trigger(); // choosing the checked item again keeps its check mark
        QCOMPARE(w.checkedPorts(), QList<int>{12});
        w.port(2)->trigger();
        QCOMPARE(w->selectedPortDevice(), QStringLiteral("/dev/ttyS0"));
        w->usePortDevice("/dev/pts/7"); // --port
        QCOMPARE(w->selectedPort(), 3);
        QCOMPARE(w.port(3)->text(), QStringLiteral("COM3 (/dev/pts/7)"));
        QCOMPARE(w.checkedPorts(), QList<int>{3});

        // While busy: no tab, port, Version box or Memory tab command.
        QStringList shown;
        w->setDialogRunner([&](QDialog& box) {
            shown << box.objectName();
            // The detail a bug report needs: the version and Qt's.
            const auto* detail = box.findChild<QLabel*>("VersionDetail");
            QVERIFY(detail && detail->text().startsWith("Version 2.00, Qt 6."));
            box.show();
            QTest::mouseClick(box.findChild<QPushButton*>("Command1"), Qt::LeftButton);
            QVERIFY(box.result() == QDialog::Accepted && !box.isVisible());
        });
        w->linkState().setBusyCode(232);
        w.clickTab(2);
        QCOMPARE(w.shownFrame(), 0);
        QCOMPARE(w.tabs()->currentIndex(), 0);
        w.port(5)->trigger();
        QCOMPARE(w->selectedPort(), 3);
        QCOMPARE(w.checkedPorts(), QList<int>{3});
        w.trigger("MenuVersion");
        QTest::keyClick(w->grid(), Qt::Key_Return);
        QVERIFY(shown.isEmpty());
        for (const char* name : {"Clear_Botton", "ALL_Reset", "LIST_SET(1)"})
            QTest::mouseClick(w.find<QPushButton>(name), Qt::LeftButton);
        QTest::keyClick(w->grid(), Qt::Key_Delete);
        QCOMPARE(w.data.channels.codes(1).train, quint8(28)); // nothing cleared
        QCOMPARE(w->currentRow(), 1);

        w->linkState().setBusyCode(0);
        w.clickTab(2);
        QCOMPARE(w.shownFrame(), 1);
        w.trigger("MenuVersion"); // OK closes it
        QCOMPARE(shown, QStringList{"Form3"});
    }

    void tabSwitching() {
        Window w;
        QSignalSpy switching(w.w.get(), &MainWindow::tabSwitching);
        for (int tab : {2, 3, 4, 1}) {
            w.clickTab(tab);
            QCOMPARE(w->currentTab(), tab);
            QCOMPARE(w.shownFrame(), tab - 1);
        }
        QCOMPARE(switching.size(), 4);
        QVERIFY(w.dialogs->questions.isEmpty());

        // A bank total other than 1200: the Bank tab loads the default
        // layout without asking.
        w.data.banks.setSize(0, 50);
        w.clickTab(2);
        QVERIFY(w.dialogs->questions.isEmpty());
        QCOMPARE(w.data.banks.total(), 1200);

        // The other tabs ask; Cancel keeps the Bank frame and the layout.
        w.data.banks.setSize(0, 50);
        w.dialogs->answerOk = false;
        w.clickTab(3);
        QCOMPARE(w.dialogs->questions.size(), 1);
        QCOMPARE(w.dialogs->questions[0].text, QStringLiteral("Bank Total Error. Init Data?"));
        QCOMPARE(w.dialogs->questions[0].title, QStringLiteral("Caution"));
        QCOMPARE(w->currentTab(), 2);
        QCOMPARE(w.shownFrame(), 1);
        QCOMPARE(w.tabs()->currentIndex(), 1);
        QCOMPARE(w.data.banks.total(), 1150);
        w.clickTab(2); // the tab already shown checks nothing
        QCOMPARE(w.dialogs->questions.size(), 1);

        // OK loads the default layout and goes on.
        w.dialogs->answerOk = true;
        w.clickTab(4);
        QCOMPARE(w.dialogs->questions.size(), 2);
        QCOMPARE(w.data.banks.total(), 1200);
        QCOMPARE(w.shownFrame(), 3);

        // Switching to Memory relabels the rows from the bank layout.
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[1] = 1200;
        w.data.banks.setSizes(sizes);
        w.clickTab(1);
        QCOMPARE(w.data.channels.text(1, ColLabel), QStringLiteral("Bank01-000"));
    }

    void theGridHasTheFocusAndTabLeavesIt() {
        Window win;
        QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
        ChannelGrid* grid = win->grid();
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Down); // the arrows move between cells
        QCOMPARE(grid->currentRow(), 2);
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != grid);
        QCOMPARE(grid->currentRow(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), grid);
        QStringList reached;
        for (int i = 0; i < 40 && !reached.contains("READ_Botton"); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QVERIFY2(reached.contains("READ_Botton"), qPrintable(reached.join(' ')));
    }

    void aKeyEndsTheStartWindowAtOnce() {
        SplashScreen splash;
        QSignalSpy finished(&splash, &SplashScreen::finished);
        splash.show();
        QVERIFY(splash.timer()->isActive());
        QTest::keyClick(&splash, Qt::Key_Space); // a key opens the main window at once
        QCOMPARE(finished.size(), 1);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.timer()->isActive());
        splash.finish(); // a late tick changes nothing
        QCOMPARE(finished.size(), 1);
    }

    // The real message box: fixed text and title, an OK button, and a
    // failure never shown with the information icon.
    void messageBoxesWarnOfFailuresAndInformOfTheRest() {
        QtUserDialogs dialogs(nullptr);
        const char* const cases[][3] = {{"Error", " Error", "w"},
                                        {"Port Error", " Error", "w"},
                                        {"Read failed", "Error", "w"},
                                        {"Success", " Finish", "i"},
                                        {"Save File", "Finish", "i"}};
        for (const auto& [text, title, kind] : cases) {
            const auto box = dialogs.messageBox(text, title, "detail");
            QCOMPARE(box->text(), QLatin1String(text));
            QCOMPARE(box->windowTitle(), QLatin1String(title));
            QCOMPARE(box->informativeText(), QStringLiteral("detail"));
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            QCOMPARE(box->icon(), *kind == 'w' ? QMessageBox::Warning : QMessageBox::Information);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
