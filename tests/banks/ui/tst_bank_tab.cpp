// The Bank tab and the one-touch frame of the Setting tab through the real
// main window: the bank count rules, the total and "Bank Write", the
// one-touch lists, and their transfers against the simulator.
#include "app/sim_window.h"
#include "banks/one_touch_area.h"
#include "link/operation_runner.h"
#include "support/radio_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

using namespace rz;

namespace {

struct Window : test::SimWindow {
    QLineEdit* count(int bank) const {
        return find<QLineEdit>(QStringLiteral("Text1(%1)").arg(bank));
    }
    QSlider* slider(int bank) const {
        return find<QSlider>(QStringLiteral("Slider1(%1)").arg(bank));
    }
    QLineEdit* total() const { return find<QLineEdit>("Total_Mem"); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QComboBox* list(const char* kind, int key) const {
        return find<QComboBox>(QStringLiteral("%1(%2)").arg(kind).arg(key));
    }
    bool totalIsRed() const {
        return total()->palette().color(QPalette::Text) == QColor(255, 0, 0);
    }
    // Types into a count box from empty, then Enter or leaving the box.
    void type(int bank, const QString& keys, bool enter) const {
        QLineEdit* box = count(bank);
        box->clear();
        QTest::keyClicks(box, keys);
        if (enter) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QFocusEvent out(QEvent::FocusOut);
            QCoreApplication::sendEvent(box, &out);
        }
    }
    QStringList items(QComboBox* box) const {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
};

} // namespace

class TestBankTab : public QObject {
    Q_OBJECT
private slots:
    void countsTotalAndBankWriteRule() {
        Window win;
        win.clickTab(2);
        BankLayout& banks = win.data.banks;
        QCOMPARE(win.count(0)->text(), QStringLiteral("100"));
        QCOMPARE(win.slider(11)->value(), 100);
        QCOMPARE(win.total()->text(), QStringLiteral("1200"));
        QVERIFY(!win.totalIsRed());

        // Up and Down with no bank selected change nothing.
        win.click("BANK_UP(0)");
        win.click("BANK_UP(1)");
        QCOMPARE(banks.total(), 1200);

        // Digits and Backspace are typed, anything else dropped; Enter takes
        // the count without leading zeros.
        win.type(3, "0a9-9\b", true);
        QCOMPARE(win.count(3)->text(), QStringLiteral("9"));
        QCOMPARE(win.slider(3)->value(), 9);
        QCOMPARE(win.total()->text(), QStringLiteral("1109"));
        QVERIFY(win.totalIsRed());
        QVERIFY(!win.button("WRITE_BANK")->isEnabled());
        // Leaving a box above 1200 turns it into 100; Enter likewise.
        win.type(20, "1500", false);
        QCOMPARE(win.count(20)->text(), QStringLiteral("100"));
        QCOMPARE(banks.size(20), 100);
        win.type(21, "99999", true);
        QCOMPARE(banks.size(21), 100);
        win.type(20, "", false);
        QCOMPARE(win.count(20)->text(), QStringLiteral("0"));
        win.type(21, "90", false);
        QCOMPARE(win.total()->text(), QStringLiteral("1199"));

        // The slider last clicked is the bank Up and Down act on; one more
        // channel makes the total 1200 again.
        QTest::mouseClick(win.slider(21), Qt::LeftButton, {}, QPoint(2, 2));
        const int before = banks.size(21);
        win.click("BANK_UP(0)");
        QCOMPARE(banks.size(21), before + 1);
        QCOMPARE(win.count(21)->text(), QString::number(before + 1));
        banks.setSize(21, 91);
        QCOMPARE(win.total()->text(), QStringLiteral("1200"));
        QVERIFY(!win.totalIsRed());
        QVERIFY(win.button("WRITE_BANK")->isEnabled());
        // Up stops at 1200, Down at 0.
        std::array<int, 50> sizes{};
        sizes[21] = 1200;
        banks.setSizes(sizes);
        win.click("BANK_UP(0)");
        QCOMPARE(banks.size(21), 1200);
        banks.setSize(21, 0);
        win.click("BANK_UP(1)");
        QCOMPARE(banks.size(21), 0);

        win.click("Bank_Clear");
        QCOMPARE(win.count(11)->text(), QStringLiteral("100"));
        QCOMPARE(win.count(12)->text(), QStringLiteral("0"));
        QCOMPARE(win.total()->text(), QStringLiteral("1200"));
        QVERIFY(win.button("WRITE_BANK")->isEnabled());
    }

    void bankReadAndWriteThroughTheWindow() {
        Window win;
        win.clickTab(2);
        // The receiver: bank 0 empty, bank 1 with all channels.
        QByteArray first(64, '\0');
        first[2] = char(0xB0);
        first[3] = char(0x04);
        win.sim->setMemory(0x00200, first);
        win.sim->setMemory(0x00240, QByteArray(64, '\0'));
        win.click("READ_BANK");
        QCOMPARE(win.w->linkState().busyCode(), quint16(5));
        QVERIFY(win.finished(1));
        QCOMPARE(win.count(1)->text(), QStringLiteral("1200"));
        QCOMPARE(win.slider(0)->value(), 0);

        win.click("Bank_Clear");
        win.click("WRITE_BANK");
        QVERIFY(!win.button("WRITE_BANK")->isEnabled());
        QCOMPARE(win.w->linkState().busyCode(), quint16(8));
        QVERIFY(win.finished(2));
        QCOMPARE(win.dialogs->messages[1].text, QStringLiteral("Success"));
        QCOMPARE(win.sim->memory(0x00200, 4), QByteArray::fromHex("64006400"));
        QVERIFY(win.button("WRITE_BANK")->isEnabled());

        // Sizes that do not add up: the total is red and "Bank Write" stays
        // off after the read, and after any other operation.
        first[2] = char(200);
        first[3] = 0;
        win.sim->setMemory(0x00200, first);
        win.click("READ_BANK");
        QVERIFY(win.finished(3));
        QCOMPARE(win.total()->text(), QStringLiteral("200"));
        QVERIFY(win.totalIsRed());
        QVERIFY(!win.button("WRITE_BANK")->isEnabled());
        win.click("READ_ONE_TOUCH");
        QVERIFY(win.finished(4));
        QVERIFY(!win.button("WRITE_BANK")->isEnabled());
    }

    void aCountTypedButNotTakenCountsWhenTheTabChanges() {
        Window win;
        win.clickTab(2);
        win.count(3)->setFocus();
        win.count(3)->selectAll();
        QTest::keyClicks(win.count(3), "50"); // neither Enter nor leaving the box
        win.dialogs->answerOk = false;
        win.clickTab(1);
        QCOMPARE(win.dialogs->questions.size(), 1); // its text: the main window test
        // Cancel: the Bank tab stays, with the count as typed.
        QCOMPARE(win.w->currentTab(), int(MainWindow::BankTab));
        QVERIFY(win.find<QWidget>("A_FRAME(1)")->isVisible());
        QCOMPARE(win.count(3)->text(), QStringLiteral("50"));
        QCOMPARE(win.data.banks.size(3), 50);
    }

    void oneTouchListsFollowTheBanksOnEnteringTheSettingTab() {
        Window win;
        OneTouchMemories& keys = win.data.oneTouch;
        keys.setKey(0, {3, 42, false});
        keys.setKey(1, {5, 42, false});
        win.clickTab(2);
        win.type(3, "0", true);    // bank 3 emptied
        win.type(5, "20", true);   // bank 5 shrunk to 20
        win.type(12, "180", true); // total 1200 again
        win.clickTab(3);
        QComboBox* bank0 = win.list("COMMON_BANK", 0);
        QCOMPARE(win.items(bank0),
                 (QStringList{"0", "1", "2", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
        QCOMPARE(bank0->currentText(), QStringLiteral("0")); // bank 3 is gone
        QCOMPARE(win.list("COMMON_BANK", 1)->currentText(), QStringLiteral("5"));
        QCOMPARE(win.list("COMMON_CH", 1)->count(), 20);

        // Choosing a bank rebuilds the key's channel list, channel 0.
        QComboBox* bank2 = win.list("COMMON_BANK", 2);
        bank2->setCurrentIndex(11);
        emit bank2->activated(11);
        QCOMPARE(keys.key(2).bank, 12);
        QCOMPARE(win.list("COMMON_CH", 2)->count(), 180);
        QComboBox* channel2 = win.list("COMMON_CH", 2);
        channel2->setCurrentIndex(42);
        emit channel2->activated(42);
        win.find<QCheckBox>("NO_SET(2)")->click();
        QCOMPARE(keys.key(2), (OneTouchKey{12, 42, false}));

        win.click("WRITE_ONE_TOUCH");
        QCOMPARE(win.w->linkState().busyCode(), quint16(50));
        QVERIFY(win.finished(1));
        QCOMPARE(win.sim->memory(0x00180, 9), QByteArray::fromHex("000000"
                                                                  "050000"
                                                                  "0c2a00"));

        // "Reset" marks every key "No Setting"; "Read" brings them back.
        win.click("COMMON_ONE_TOUCH_RESET");
        for (int k = 0; k < 9; ++k)
            QVERIFY(win.find<QCheckBox>(QStringLiteral("NO_SET(%1)").arg(k))->isChecked());
        win.click("READ_ONE_TOUCH");
        QCOMPARE(win.w->linkState().busyCode(), quint16(52));
        QVERIFY(win.finished(2));
        QVERIFY(!win.find<QCheckBox>("NO_SET(2)")->isChecked());
        QCOMPARE(win.list("COMMON_BANK", 2)->currentText(), QStringLiteral("12"));
        QCOMPARE(win.list("COMMON_CH", 2)->currentText(), QStringLiteral("42"));
    }

    void theOneTouchFrameOnScreenFollowsWhatReadAllBrings() {
        Window win;
        win.sim->setImage(sim::sampleImage()); // bank 10 empty, 200 in bank 11
        win.data.oneTouch.setKey(7, {11, 0, false});
        win.clickTab(3);
        win.trigger("ALL_READ");
        QVERIFY(QTest::qWaitFor([&] { return !win.w->radio().runner().isRunning(); }, 60000));
        QCOMPARE(win.messageTexts(), QStringList{"Success ALL DATA READ"});
        // Key 8 holds position 150 of bank 11; key 9 is not set.
        QCOMPARE(win.data.oneTouch.key(7), (OneTouchKey{11, 150, false}));
        QCOMPARE(win.list("COMMON_BANK", 7)->currentText(), QStringLiteral("11"));
        QCOMPARE(win.list("COMMON_CH", 7)->currentText(), QStringLiteral("150"));
        QCOMPARE(win.items(win.list("COMMON_BANK", 0)),
                 (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "11"}));
        QVERIFY(win.find<QCheckBox>("NO_SET(8)")->isChecked());
    }
};

QTEST_MAIN(TestBankTab)
#include "tst_bank_tab.moc"
