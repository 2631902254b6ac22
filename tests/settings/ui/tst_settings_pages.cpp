// The Setting and Set mode tabs in the real main window, worked through
// their object names, against the simulated receiver.
#include "app/sim_window.h"
#include "gui/radio_facade.h"
#include "gui/recording_dialogs.h"
#include "settings/opening_message.h"
#include "support/radio_support.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace rz;
using namespace rz::settings;

namespace {

struct Window : test::SimWindow {
    Window() {
        sim->setImage(sim::sampleImage());
        w->switchTab(MainWindow::SetModeTab);
    }
    QComboBox* list(const QString& name) const { return find<QComboBox>(name); }
    QString label(const QString& name) const { return find<QLabel>(name)->text(); }
};

} // namespace

class TestSettingsPages : public QObject {
    Q_OBJECT
private slots:
    void aJapaneseReceiverSwitchesBothTabsAndResetSwitchesBack() {
        Window win;
        win.click("Set_Mode_Read");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));

        // Japanese everywhere, each list at the receiver's position.
        QCOMPARE(win.find<QGroupBox>("Frame14")->title(), QStringLiteral("≪受信設定≫"));
        QCOMPARE(win.label("Label25(6)"), QStringLiteral("WILDｷｰ割当"));
        QCOMPARE(win.label("Label_misc(0)"), QStringLiteral("運用状態"));
        QCOMPARE(win.list("Set_Mode_Key(6)")->currentIndex(), 27);
        QCOMPARE(win.list("Set_Mode_Key(6)")->currentText(), QStringLiteral("ｽｷｬﾝﾀｲﾌﾟ"));
        QCOMPARE(win.list("Setting_misc(0)")->currentText(), QStringLiteral("ﾃﾞｭｱﾙ/SUB"));
        QCOMPARE(win.list("Setting_misc(1)")->currentText(), QStringLiteral("14"));
        QCOMPARE(win.list("Set_Mode_Display(0)")->currentText(), QStringLiteral("日本語"));
        QCOMPARE(win.list("Set_Mode_Display(5)")->currentText(), QStringLiteral("ｽﾗｲﾄﾞ"));
        QCOMPARE(win.list("Set_Mode_Mem(0)")->currentText(), QStringLiteral("有効"));
        QCOMPARE(win.list("Set_Mode_Key(5)")->currentText(), QStringLiteral("Squelch:↑　Freq:↓"));
        QCOMPARE(win.find<QLineEdit>("TITLE_TEXT")->text(), QStringLiteral("ﾖｳｺｿ RZ-V70"));

        // The Setting tab's "Reset" resets both tabs, in English again.
        win.w->switchTab(MainWindow::SettingTab);
        win.click("SETTING_RESET");
        QCOMPARE(win.label("Label25(6)"), QStringLiteral("Wild key assign"));
        QCOMPARE(win.find<QGroupBox>("Frame14")->title(), QStringLiteral("<RECEIVER>"));
        QCOMPARE(win.find<QGroupBox>("Frame9")->title(), QStringLiteral("<POWER && BATT.>"));
        QCOMPARE(win.list("Set_Mode_Key(6)")->currentText(), QStringLiteral("language"));
        QCOMPARE(win.list("Setting_misc(0)")->currentText(), QStringLiteral("dual/MAIN"));
        QCOMPARE(win.list("Setting_misc(1)")->currentText(), QStringLiteral("10"));
        QVERIFY(win.find<QLineEdit>("TITLE_TEXT")->text().isEmpty());
    }

    void choosingJapaneseTwiceRebuildsOnceAndKeepsPositions() {
        Window win;
        QComboBox* wild = win.list("Set_Mode_Key(6)");
        QComboBox* language = win.list("Set_Mode_Display(0)");
        QTest::keyClick(wild, Qt::Key_Down); // arrows still work where typing does not
        QCOMPARE(wild->currentIndex(), 8);
        QCOMPARE(win.data.settings.position(WildKey), 8);
        QSignalSpy refills(wild->model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy fixedRefills(win.list("Set_Mode_Key(5)")->model(),
                                &QAbstractItemModel::rowsRemoved);

        QTest::keyClick(language, Qt::Key_Down);
        QCOMPARE(refills.count(), 1);
        QCOMPARE(wild->currentText(), QStringLiteral("照明設定"));
        emit language->activated(1); // chosen again
        QCOMPARE(refills.count(), 1);
        QCOMPARE(fixedRefills.count(), 0);
        QCOMPARE(wild->currentIndex(), 8);
        QCOMPARE(win.label("Label_misc(9)"), QStringLiteral("ｱｯﾃﾈｰﾀｰ"));
        QVERIFY(win.label("Label_misc(17)").isEmpty());
    }

    void typingIsThrownAwayAndDetOutAndIqOutputExcludeEachOtherOnLeaving() {
        Window win;
        QComboBox* speed = win.list("Set_Mode_Scan(4)");
        QTest::keyClicks(speed, "F");
        QCOMPARE(speed->currentIndex(), 1);
        // Nor in the open list: Enter takes the entry the arrows reached.
        speed->showPopup();
        QTest::keyClicks(speed->view(), "F");
        QTest::keyClick(speed->view(), Qt::Key_Return);
        QCOMPARE(speed->currentIndex(), 1);
        QComboBox* remote = win.list("Set_Mode_Remocon(0)");
        QTest::keyClicks(remote, "V");
        QCOMPARE(remote->currentText(), QStringLiteral("V/P/M key"));
        QCOMPARE(win.data.settings.position(RemoteKeyA), 6);
        win.w->switchTab(MainWindow::SettingTab);
        QComboBox* attenuator = win.list("Setting_misc(9)");
        QTest::keyClicks(attenuator, "H");
        QCOMPARE(attenuator->currentText(), QStringLiteral("High"));
        win.w->switchTab(MainWindow::SetModeTab);

        // DET OUT and IQ output: only leaving a list decides.
        QComboBox* det = win.list("Set_Mode_Recv(3)");
        QComboBox* iq = win.list("Set_Mode_Recv(4)");
        QTest::keyClick(det, Qt::Key_Down);
        QVERIFY(iq->isEnabled());
        QFocusEvent opening(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(det, &opening);
        QVERIFY(iq->isEnabled());
        QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(det, &leaving);
        QVERIFY(!iq->isEnabled());
        // A read does not change it.
        win.click("Set_Mode_Read");
        QVERIFY(win.finished());
        QVERIFY(!iq->isEnabled());
        QTest::keyClick(det, Qt::Key_Up);
        QApplication::sendEvent(det, &leaving);
        QVERIFY(iq->isEnabled());
    }

    void theOpeningMessageBoxAndTheWriteButton() {
        Window win;
        auto* title = win.find<QLineEdit>("TITLE_TEXT");
        QTest::keyClicks(title, "ABCDEFGHIJKLMNOPQR");
        QCOMPARE(title->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
        QCOMPARE(win.data.settings.title(), title->text());
        title->clear();
        title->insert(QStringLiteral("日本\u00E9x")); // é: not in the code page
        QVERIFY(title->text().isEmpty());
        title->insert(QStringLiteral("ﾃｽﾄ 日本"));
        QCOMPARE(title->text(), QStringLiteral("ﾃｽﾄ 日本"));
        // A message read with a character the code page lacks stays editable.
        win.data.settings.setTitle(QStringLiteral("A\uFFFDB"));
        QTest::keyClick(title, Qt::Key_End);
        title->insert(QStringLiteral("\u00E9"));
        QTest::keyClicks(title, "C");
        QCOMPARE(title->text(), QStringLiteral("A\uFFFDBC"));

        auto* write = win.find<QPushButton>("Set_Mode_Write");
        QCOMPARE(write->palette().color(QPalette::Button), QColor(100, 100, 0));
        win.data.settings.setTitle(QStringLiteral("ABC"));
        QVERIFY(win.data.settings.setPosition(WelcomeStyle, opening::StyleSlide));
        QCOMPARE(title->text(), QStringLiteral("ABC"));
        win.click("Set_Mode_Write");
        QVERIFY(win.finished());
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));
        QCOMPARE(win.sim->memory(0x1A0, opening::AreaBytes),
                 opening::areaBytes(QStringLiteral("ABC"), opening::StyleSlide));
    }

    void writesFromTheirOwnButtonsReportPortErrors() {
        Window win;
        win.w->usePortDevice("/dev/rz-v70-no-such-device");
        for (const char* name : {"SETTING_READ", "SETTING_RESET", "Set_Mode_Read"})
            win.find<QPushButton>(name)->setEnabled(false);
        win.click("Set_Mode_Write");
        QVERIFY(win.finished());
        win.click("SETTING_WRITE");
        QVERIFY(win.finished(2));
        QCOMPARE(win.messageTexts(), QStringList(2, "Port Error"));
        // The end of the operation turns the buttons of both tabs back on.
        for (const char* name : {"SETTING_READ", "SETTING_RESET", "Set_Mode_Read"})
            QVERIFY2(win.find<QPushButton>(name)->isEnabled(), name);
    }
};

QTEST_MAIN(TestSettingsPages)
#include "tst_settings_pages.moc"
