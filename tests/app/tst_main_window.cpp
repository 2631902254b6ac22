// The main window through its controls: start-up state, the configuration
// file, the Port menu, tab switching with the bank-total check, the Version
// box, the start window and closing.
#include "app/main_window.h"
#include "app/recording_dialogs.h"
#include "app/splash_screen.h"
#include "memory/ui/channel_grid.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace rz;

namespace {

// A window over a configuration file with the given content (none when
// null) and two known serial devices.
struct Window {
    QTemporaryDir dir;
    RecordingDialogs* dialogs = nullptr;
    std::unique_ptr<MainWindow> w;

    explicit Window(const char* config = nullptr) {
        const QString path = dir.filePath("RZ-V70_Writer.INI");
        if (config) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(config);
        }
        MainWindow::Options options;
        options.configPath = path;
        options.ports = SerialPortList({"/dev/ttyUSB0", "/dev/ttyS0"});
        w = std::make_unique<MainWindow>(options);
        auto recording = std::make_unique<RecordingDialogs>();
        dialogs = recording.get();
        w->setUserDialogs(std::move(recording));
        w->show();
    }
    MainWindow* operator->() const { return w.get(); }
    template <typename T> T* find(const QString& name) const {
        T* child = w->findChild<T*>(name);
        if (!child)
            qWarning("no %s", qPrintable(name));
        return child;
    }
    QGroupBox* frame(int i) const { return find<QGroupBox>(QStringLiteral("A_FRAME(%1)").arg(i)); }
    int shownFrame() const {
        int shown = -1;
        for (int i = 0; i < 4; ++i)
            if (frame(i)->isVisible()) {
                if (shown >= 0)
                    return -2; // more than one
                shown = i;
            }
        return shown;
    }
    void clickTab(int tab) const {
        auto* bar = find<QTabBar>("TabStrip1");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
    }
    QList<int> checkedPorts() const {
        QList<int> checked;
        for (int n = 1; n <= 16; ++n)
            if (find<QAction>(QStringLiteral("MenuSetCom(%1)").arg(n))->isChecked())
                checked << n;
        return checked;
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpState() {
        Window w;
        QCOMPARE(w->objectName(), QStringLiteral("Form1"));
        QCOMPARE(w->windowTitle(), QStringLiteral("RZ-V70 Writer v.2.00"));
        QCOMPARE(w->size(), QSize(916, 542));
        QCOMPARE(w->selectedPort(), 1);
        QCOMPARE(w.checkedPorts(), QList<int>()); // no configuration file yet
        QVERIFY(w.find<QRadioButton>("optRegion(1)")->isChecked());
        QCOMPARE(w.find<QRadioButton>("optRegion(1)")->text(), QStringLiteral("E/EGR"));
        QCOMPARE(w->region(), Region::E);
        QCOMPARE(w.shownFrame(), 0);
        QCOMPARE(w.find<QTabBar>("TabStrip1")->currentIndex(), 0);
        QCOMPARE(w.find<QLineEdit>("Progress")->text(), QStringLiteral("0%"));
        QCOMPARE(w.find<QProgressBar>("ProgressBar1")->value(), 0);
        QCOMPARE(w.frame(0)->size(), QSize(881, 457));
        QCOMPARE(w.frame(1)->size(), QSize(793, 417));

        const ChannelTable& table = w->channelTable();
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("Bank00-000"));
        QCOMPARE(table.text(100, ColLabel), QStringLiteral("Bank00-099"));
        QCOMPARE(table.text(101, ColLabel), QStringLiteral("Bank01-000"));
        QCOMPARE(table.text(1200, ColLabel), QStringLiteral("Bank11-099"));
        QCOMPARE(table.text(1201, ColLabel), QStringLiteral("PRG - 0A"));
        QCOMPARE(table.text(1308, ColLabel), QStringLiteral("Dual3(Sub) "));
        QCOMPARE(table.text(1721, ColLabel), QStringLiteral("BUG - 20"));
        QCOMPARE(table.text(1701, ColFrequency), QStringLiteral("398.60500MHz"));
        QVERIFY(table.inUse(1721));
        QCOMPARE(table.codes(1).train, quint8(28));
        QCOMPARE(w->currentRow(), 1);
        QCOMPARE(w->grid()->model()->headerData(0, Qt::Vertical).toString(),
                 QStringLiteral("Bank00-000"));
    }

    void menusAndButtons() {
        Window w;
        QStringList menus;
        for (QAction* a : w->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"File(&F)", "Port(&P)", "COMM(&C)", "Help(&H)"}));
        const std::pair<const char*, const char*> items[] = {
            {"ReadFile", "Open(&O)"},
            {"TEST_CLICK", "Save(&S)"},
            {"FILE_INPORT", "Import(&I)"},
            {"FILE_EXPORT", "Export(&E)"},
            {"ALL_WRITE", "Write all(&W)"},
            {"ALL_READ", "Read all(&R)"},
            {"MenuVersion", "Version(&V)"},
            {"MenuSetCom(1)", "COM1 (/dev/ttyUSB0)"},
            {"MenuSetCom(2)", "COM2 (/dev/ttyS0)"},
            {"MenuSetCom(16)", "COM16"}};
        for (const auto& [name, caption] : items)
            QCOMPARE(w.find<QAction>(name)->text(), QString::fromUtf8(caption));
        const std::pair<const char*, const char*> buttons[] = {
            {"MEM_ONE_READ", "One Memory Read"},
            {"MEM_ONE_WRITE", "One Memory Write"},
            {"READ_Botton", "Memory Read"},
            {"WRITE_Botton", "Memory Write"},
            {"Clear_Botton", "Clear"},
            {"ALL_Reset", "All Clear"},
            {"LIST_SET(0)", "Up"},
            {"LIST_SET(1)", "Down"}};
        for (const auto& [name, caption] : buttons)
            QCOMPARE(w.find<QPushButton>(name)->text(), QString::fromUtf8(caption));
        QStringList tabs;
        auto* bar = w.find<QTabBar>("TabStrip1");
        for (int i = 0; i < bar->count(); ++i)
            tabs << bar->tabText(i);
        QCOMPARE(tabs, (QStringList{"Memory", "Bank", "Setting", "Set mode"}));
    }

    void configurationFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        QTest::addColumn<QList<int>>("checked");
        QTest::newRow("COMPORT07") << QByteArray("COMPORT07\r\nEND\r\n") << 7 << QList<int>{7};
        QTest::newRow("COMPORT7") << QByteArray("COMPORT7\r\n") << 1 << QList<int>{1};
        QTest::newRow("COMPORT00") << QByteArray("COMPORT00\r\n") << 1 << QList<int>{1};
        QTest::newRow("above 16") << QByteArray("COMPORT20\r\n") << 1 << QList<int>{1};
        QTest::newRow("no port line") << QByteArray("END\r\n") << 1 << QList<int>{};
    }

    void configurationFile() {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QFETCH(QList<int>, checked);
        Window w(content.constData());
        QCOMPARE(w->selectedPort(), port);
        QCOMPARE(w.checkedPorts(), checked);
    }

    void choosingAPort() {
        Window w("COMPORT03\r\n");
        QSignalSpy chosen(w.w.get(), &MainWindow::portChosen);
        w.find<QAction>("MenuSetCom(12)")->trigger();
        QCOMPARE(w->selectedPort(), 12);
        QCOMPARE(w.checkedPorts(), QList<int>{12});
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toInt(), 12);
        // Choosing the checked item again keeps its check mark.
        w.find<QAction>("MenuSetCom(12)")->trigger();
        QCOMPARE(w.checkedPorts(), QList<int>{12});

        w.find<QAction>("MenuSetCom(2)")->trigger();
        QCOMPARE(w->selectedPortDevice(), QStringLiteral("/dev/ttyS0"));

        w->usePortDevice("/dev/pts/7"); // --port
        QCOMPARE(w->selectedPort(), 3);
        QCOMPARE(w.find<QAction>("MenuSetCom(3)")->text(), QStringLiteral("COM3 (/dev/pts/7)"));
        QCOMPARE(w.checkedPorts(), QList<int>{3});
    }

    void tabSwitchWithConsistentBanks() {
        Window w;
        QSignalSpy switching(w.w.get(), &MainWindow::tabSwitching);
        for (int tab : {2, 3, 4, 1}) {
            w.clickTab(tab);
            QCOMPARE(w->currentTab(), tab);
            QCOMPARE(w.shownFrame(), tab - 1);
        }
        QCOMPARE(switching.size(), 4);
        QVERIFY(w.dialogs->questions.isEmpty());

        // Switching to Memory relabels the rows from the bank layout.
        w.clickTab(2);
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[1] = 1200;
        w->bankLayout().setSizes(sizes);
        w.clickTab(1);
        QCOMPARE(w->channelTable().text(1, ColLabel), QStringLiteral("Bank01-000"));
        QCOMPARE(w->channelTable().text(1200, ColLabel), QStringLiteral("Bank01-1199"));
    }

    void tabSwitchWithBadBankTotal() {
        Window w;
        w->bankLayout().setSize(0, 50); // total 1150
        // The Bank tab loads the default layout without asking.
        w.clickTab(2);
        QVERIFY(w.dialogs->questions.isEmpty());
        QCOMPARE(w->bankLayout().total(), 1200);
        QCOMPARE(w.shownFrame(), 1);

        // The other tabs ask; Cancel keeps the Bank frame and the layout.
        w->bankLayout().setSize(0, 50);
        w.dialogs->answerOk = false;
        w.clickTab(3);
        QCOMPARE(w.dialogs->questions.size(), 1);
        QCOMPARE(w.dialogs->questions[0].text, QStringLiteral("Bank Total Error. Init Data?"));
        QCOMPARE(w.dialogs->questions[0].title, QStringLiteral("Caution"));
        QCOMPARE(w->currentTab(), 2);
        QCOMPARE(w.shownFrame(), 1);
        QCOMPARE(w.find<QTabBar>("TabStrip1")->currentIndex(), 1);
        QCOMPARE(w->bankLayout().total(), 1150);

        // Clicking the tab already shown checks nothing.
        w.clickTab(2);
        QCOMPARE(w.dialogs->questions.size(), 1);

        // OK loads the default layout and goes on.
        w.dialogs->answerOk = true;
        w.clickTab(4);
        QCOMPARE(w.dialogs->questions.size(), 2);
        QCOMPARE(w->bankLayout().total(), 1200);
        QCOMPARE(w.shownFrame(), 3);
    }

    void busyWindowIgnoresCommands() {
        Window w("COMPORT03\r\n");
        int dialogsShown = 0;
        w->setDialogRunner([&](QDialog&) { ++dialogsShown; });
        w->linkState().setBusyCode(232);
        w.clickTab(2);
        QCOMPARE(w.shownFrame(), 0);
        QCOMPARE(w.find<QTabBar>("TabStrip1")->currentIndex(), 0);
        w.find<QAction>("MenuSetCom(5)")->trigger();
        QCOMPARE(w->selectedPort(), 3);
        QCOMPARE(w.checkedPorts(), QList<int>{3});
        w.find<QAction>("MenuVersion")->trigger();
        w->MSFlexGrid1_DblClick();
        QCOMPARE(dialogsShown, 0);

        w->linkState().setBusyCode(0);
        w.clickTab(2);
        QCOMPARE(w.shownFrame(), 1);
    }

    void versionBox() {
        Window w;
        QString name, title;
        bool accepted = false;
        w->setDialogRunner([&](QDialog& box) {
            name = box.objectName();
            title = box.windowTitle();
            box.show();
            auto* ok = box.findChild<QPushButton*>("Command1");
            QCOMPARE(ok->text(), QStringLiteral("OK"));
            QTest::mouseClick(ok, Qt::LeftButton);
            accepted = box.result() == QDialog::Accepted && !box.isVisible();
        });
        w.find<QAction>("MenuVersion")->trigger();
        QCOMPARE(name, QStringLiteral("Form3"));
        QCOMPARE(title, QStringLiteral("Version"));
        QVERIFY(accepted);
    }

    void splashClosesOnAKey() {
        SplashScreen splash;
        QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
        QCOMPARE(splash.timer()->interval(), 500);
        QSignalSpy finished(&splash, &SplashScreen::finished);
        splash.show();
        QVERIFY(splash.timer()->isActive());
        QTest::keyClick(&splash, Qt::Key_Space);
        QCOMPARE(finished.size(), 1);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.timer()->isActive());
        splash.finish(); // a late tick changes nothing
        QCOMPARE(finished.size(), 1);
    }

    void closingSetsTheClosingFlag() {
        Window w;
        QSignalSpy closing(w.w.get(), &MainWindow::closing);
        w->close();
        QCOMPARE(closing.size(), 1);
        QVERIFY(w->linkState().isClosing());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
