// The Memory Setting dialog through its controls: the Sub set's shorter
// option lists, the typing filters, the offset boxes on leaving them,
// "Clear", region dependence, and what "OK" reads from both sets. The
// arithmetic of "OK" is tested without the dialog.
#include "memory/ui/channel_set_editor.h"
#include "memory/ui/memory_setting_dialog.h"
#include "model/value_tables.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rz;

namespace {

QLineEdit* box(const QWidget& parent, const char* name) {
    return parent.findChild<QLineEdit*>(QLatin1String(name));
}

void click(const QWidget& parent, const char* name) {
    QTest::mouseClick(parent.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

// Types text as key presses carrying that text (any script).
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

bool showActive(QWidget& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    return QTest::qWaitForWindowActive(&d);
}

// A channel with no field at its default.
ChannelForm example() {
    return {"439", "00000", "Repeater", true, 3, 2, "5", "00000", 3, 10, 11, 12, 13, 7};
}

} // namespace

class TestMemorySetting : public QObject {
    Q_OBJECT
private slots:
    void optionListsAndDigitBoxes() {
        MemorySettingDialog d(Region::E);
        d.loadSub("Dual0(Sub) ", ChannelForm());
        // The Sub set offers the first four modes and sixteen steps only.
        const std::pair<const char*, int> lastOptions[] = {{"DETAIL_MODE(%1)", 6},
                                                           {"DETAIL_STEP(%1)", 17},
                                                           {"DETAIL_MODE_2(%1)", 3},
                                                           {"DETAIL_STEP_2(%1)", 15}};
        for (const auto& [name, last] : lastOptions) {
            QVERIFY(d.findChild<QRadioButton*>(QString::fromLatin1(name).arg(last)));
            QVERIFY(!d.findChild<QRadioButton*>(QString::fromLatin1(name).arg(last + 1)));
        }
        QVERIFY(!d.findChild<QComboBox*>("DCS_COMBO_2")->isEditable());

        // Digits only, up to each box's length; Backspace always.
        const std::pair<const char*, const char*> cases[] = {
            {"DETAIL_FREQ_1", "1234"},      {"DETAIL_FREQ_2", "12345"},
            {"DETAIL_SHIFT_FREQ_1", "123"}, {"DETAIL_SHIFT_FREQ_2", "12345"},
            {"DETAIL_FREQ_1_2", "1234"},    {"DETAIL_SHIFT_FREQ_2_2", "123"}};
        for (const auto& [name, kept] : cases) {
            QLineEdit* b = box(d, name);
            QTest::keyClicks(b, "1a2.3-4 5678");
            QCOMPARE(b->text(), QLatin1String(kept));
            QTest::keyClick(b, Qt::Key_Backspace);
            QTest::keyClicks(b, "9");
            QCOMPARE(b->text().right(1), QStringLiteral("9"));
            // A full box takes a digit typed over its selection.
            b->selectAll();
            QTest::keyClicks(b, "7x");
            QCOMPARE(b->text(), QStringLiteral("7"));
        }
    }

    void nameLimitsAndPaste() {
        MemorySettingDialog d(Region::E);
        QLineEdit* name = box(d, "DETAIL_NAME");
        type(name, QString(15, 'a'));
        type(name, QStringLiteral("あ")); // two bytes do not fit after 15
        QCOMPARE(name->text(), QString(15, 'a'));
        type(name, QStringLiteral("ｱ")); // half-width katakana is one byte
        type(name, "b");
        QCOMPARE(name->text(), QString(15, 'a') + QStringLiteral("ｱ"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Backspace);
        type(name, QStringLiteral("あい"));
        QCOMPARE(name->text(), QString(14, 'a') + QStringLiteral("あ"));
        // Over a selection the name is judged as it would be after the key:
        // "あ" replaces one byte only when that leaves 16 bytes or fewer.
        name->setText(QString(16, 'a'));
        name->setSelection(15, 1);
        type(name, QStringLiteral("あ"));
        QCOMPARE(name->text(), QString(16, 'a'));
        name->setSelection(14, 2);
        type(name, QStringLiteral("あ"));
        QCOMPARE(name->text(), QString(14, 'a') + QStringLiteral("あ"));
        name->selectAll();
        type(name, "x");
        QCOMPARE(name->text(), QStringLiteral("x"));

        // An input method's text counts the same way, in the Sub set too.
        d.loadSub("Dual0(Sub) ", ChannelForm());
        QLineEdit* second = box(d, "DETAIL_NAME_2");
        second->setText(QString(7, QChar(0x3042))); // 14 bytes
        QInputMethodEvent tooLong(QString(), {});
        tooLong.setCommitString(QStringLiteral("東京"));
        QApplication::sendEvent(second, &tooLong);
        QCOMPARE(second->text(), QString(7, QChar(0x3042)));
        QInputMethodEvent fits(QString(), {});
        fits.setCommitString(QStringLiteral("東"));
        QApplication::sendEvent(second, &fits);
        QCOMPARE(second->text(), QString(7, QChar(0x3042)) + QStringLiteral("東"));

        // Paste is refused, where a plain box takes it.
        QApplication::clipboard()->setText("145");
        QLineEdit plain;
        QTest::keySequence(&plain, QKeySequence::Paste);
        if (plain.text() != "145")
            QSKIP("no clipboard on this platform");
        name->clear();
        QTest::keySequence(name, QKeySequence::Paste);
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(name->text(), QString());
        QLineEdit* mhz = box(d, "DETAIL_FREQ_1");
        QTest::keySequence(mhz, QKeySequence::Paste);
        QCOMPARE(mhz->text(), QString());
    }

    void offsetBoxesOnLeavingThem() {
        MemorySettingDialog d(Region::E);
        d.loadSub("Dual0(Sub) ", ChannelForm());
        QVERIFY(showActive(d));
        // Sets one box, then types into another and leaves it.
        const auto leave = [&](const char* setName, const char* leftName, const char* set,
                               const char* typed) {
            box(d, setName)->setText(QLatin1String(set));
            QLineEdit* left = box(d, leftName);
            left->setFocus();
            left->setText(QLatin1String(typed));
            box(d, "DETAIL_NAME")->setFocus();
            return left->text();
        };
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "999", "99999"),
                 QStringLiteral("99995"));
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1_2", "DETAIL_SHIFT_FREQ_2_2", "1", "5"),
                 QStringLiteral("500"));
        // The MHz box only loses what is not a digit.
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_2", "DETAIL_SHIFT_FREQ_1", "99995", "1x2"),
                 QStringLiteral("12"));

        // Tab leaves a filtered box (running the rule above) and Escape
        // closes the dialog: the filters only judge what is typed.
        QLineEdit* fraction = box(d, "DETAIL_SHIFT_FREQ_2");
        fraction->setFocus();
        fraction->setText("7");
        QTest::keyClick(fraction, Qt::Key_Tab);
        QVERIFY(!fraction->hasFocus());
        QCOMPARE(fraction->text(), QStringLiteral("70000"));
        QTest::keyClick(box(d, "DETAIL_NAME"), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }

    void tabFollowsTheScreen() {
        MemorySettingDialog d(Region::J);
        ChannelForm f = example();
        f.frequencyFraction = "50000";
        d.load("Dual0(Main) ", f);
        d.loadSub("Dual0(Sub) ", example());
        QVERIFY(showActive(d));
        // It opens in the frequency box.
        QStringList order{QApplication::focusWidget()->objectName()};
        while (order.size() < 40 && order.last() != "cmdBack") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
            if (order.size() == 2) { // Tab selects the full "50000": a digit replaces it
                QTest::keyClicks(QApplication::focusWidget(), "1");
                QCOMPARE(box(d, "DETAIL_FREQ_2")->text(), QStringLiteral("1"));
            }
        }
        // An option group is entered on its checked option.
        const QStringList first{"DETAIL_FREQ_1",       "DETAIL_FREQ_2",       "DETAIL_SKIP",
                                "DETAIL_NAME",         "DETAIL_MODE(3)",      "DETAIL_SHIFT(2)",
                                "DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "PALSE_TYPE(3)",
                                "TX_TONE_COMBO",       "RX_TONE_COMBO",       "DCS_COMBO",
                                "TRAIN_COMBO",         "DETAIL_STEP(7)",      "DETAIL_CLEAR"};
        QCOMPARE(order.mid(0, first.size()), first);
        QStringList second;
        for (const QString& name : first)
            second << (name.contains('(') ? QString(name).replace("(", "_2(") : name + "_2");
        QCOMPARE(order.mid(first.size()), second + QStringList{"cmdBack"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DETAIL_CLEAR_2"));
    }

    void enterIsOkUnlessAButtonHasTheFocus() {
        // Enter in any box or list is "OK"; a focused button acts as itself.
        for (const char* focused : {"DETAIL_FREQ_2", "DETAIL_NAME", "DCS_COMBO", "DETAIL_MODE(3)",
                                    "DETAIL_CLEAR", "DETAIL_CANCEL", "cmdNext"}) {
            MemorySettingDialog d(Region::E);
            d.load("Bank00-000", example());
            QVERIFY(showActive(d));
            auto* widget = d.findChild<QWidget*>(focused);
            widget->setFocus();
            QTest::keyClick(widget,
                            qobject_cast<QPushButton*>(widget) ? Qt::Key_Enter : Qt::Key_Return);
            const QByteArray name(focused);
            if (name == "DETAIL_CLEAR") {
                QVERIFY(d.isVisible());
                QCOMPARE(d.firstSet()->form(), ChannelForm());
                continue;
            }
            QVERIFY2(!d.isVisible(), focused);
            QCOMPARE(bool(d.outcome()), name != "DETAIL_CANCEL");
            if (d.outcome()) {
                QCOMPARE(d.outcome()->result.navigation,
                         int(name == "cmdNext" ? DialogResult::Next : DialogResult::Stay));
                QCOMPARE(d.outcome()->result.first.frequencyText, QStringLiteral("439.00000"));
            }
        }
    }

    void clearAndRegion() {
        MemorySettingDialog j(Region::J);
        j.load("Bank00-000", example());
        j.loadSub("Dual0(Sub) ", example());
        QCOMPARE(j.firstSet()->form(), example());
        click(j, "DETAIL_CLEAR");
        QCOMPARE(j.firstSet()->form(), ChannelForm()); // FM, 88.5Hz, JR, 5KHz, boxes empty
        QCOMPARE(j.secondSet()->form(), example());    // the other set stays

        const char* const trainControls[] = {"PALSE_TYPE(1)",   "TRAIN_COMBO",   "lblTrain",
                                             "PALSE_TYPE_2(1)", "TRAIN_COMBO_2", "lblTrain_2"};
        MemorySettingDialog e(Region::E), t(Region::T);
        for (const char* name : trainControls) {
            QVERIFY2(!j.findChild<QWidget*>(name)->isHidden(), name);
            QVERIFY2(e.findChild<QWidget*>(name)->isHidden(), name);
            QVERIFY2(t.findChild<QWidget*>(name)->isHidden(), name);
        }
        QVERIFY(!e.findChild<QWidget*>("PALSE_TYPE(0)")->isHidden());
    }

    void okReadsBothSets() {
        MemorySettingDialog d(Region::E);
        ChannelForm f = example();
        f.frequencyFraction = "21500"; // does not fit the 25 kHz step
        d.load("Bank00-000", f);
        QVERIFY(!d.isDualPair());
        QVERIFY(!d.secondSet()->isEnabled());
        d.show();
        click(d, "cmdNext");
        QVERIFY(d.outcome());
        const DialogResult& r = d.outcome()->result;
        QCOMPARE(r.action, int(DialogResult::SinglePresent));
        QCOMPARE(r.navigation, int(DialogResult::Next));
        QCOMPARE(r.first.frequencyText, QStringLiteral("439.21500"));
        QVERIFY(d.findChild<QRadioButton*>("DETAIL_STEP(0)")->isChecked()); // the fitted step
        QCOMPARE(r.first.mode, 3);
        QCOMPARE(r.first.dcs, 12);
        QCOMPARE(r.first.name, QStringLiteral("Repeater"));
        QVERIFY(r.first.skip);

        // A Sub channel whose mode and step have no option keeps them.
        MemorySettingDialog pair(Region::E);
        ChannelForm sub = example();
        sub.mode = 5;  // USB
        sub.step = 17; // 100Hz
        pair.load("Dual0(Main) ", example());
        pair.loadSub("Dual0(Sub) ", sub);
        QVERIFY(pair.secondSet()->isEnabled());
        click(pair, "DETAIL_ENTER");
        QCOMPARE(pair.outcome()->result.action, int(DialogResult::BothPresent));
        QCOMPARE(pair.outcome()->result.second.step, 17);
        QCOMPARE(pair.outcome()->result.second.mode, 5);
    }
};

QTEST_MAIN(TestMemorySetting)
#include "tst_memory_setting.moc"
