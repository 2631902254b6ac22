// The Memory Setting dialog through its controls: names and captions of
// both sets, the typing filters, the offset leave rule, "Clear", region
// dependence, and what "OK" and "Cancel" leave behind.
#include "memory/ui/channel_set_editor.h"
#include "memory/ui/memory_setting_dialog.h"
#include "model/value_tables.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rz;

namespace {

template <typename T> T* child(const QWidget& parent, const QString& name) {
    T* c = parent.findChild<T*>(name);
    if (!c)
        qWarning("no %s", qPrintable(name));
    return c;
}

QLineEdit* box(const QWidget& parent, const char* name) {
    return child<QLineEdit>(parent, QLatin1String(name));
}

// Types text as key presses carrying that text (any script).
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

ChannelForm example() {
    ChannelForm f;
    f.frequencyMhz = "439";
    f.frequencyFraction = "00000";
    f.name = "Repeater";
    f.skip = true;
    f.mode = 3;
    f.shift = 2;
    f.offsetMhz = "5";
    f.offsetFraction = "00000";
    f.toneType = 3;
    f.txTone = 10;
    f.rxTone = 11;
    f.dcs = 12;
    f.train = 13;
    f.step = 7;
    return f;
}

} // namespace

class TestMemorySetting : public QObject {
    Q_OBJECT
private slots:
    void controlsOfBothSets() {
        MemorySettingDialog d(Region::J);
        QCOMPARE(d.objectName(), QStringLiteral("Form2"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Memory Setting"));
        const std::pair<const char*, const char*> buttons[] = {
            {"DETAIL_ENTER", "OK"}, {"DETAIL_CANCEL", "Cancel"}, {"cmdBack", "<<BACK"},
            {"cmdNext", "NEXT>>"},  {"DETAIL_CLEAR", "Clear"},   {"DETAIL_CLEAR_2", "Clear"}};
        for (const auto& [name, caption] : buttons)
            QCOMPARE(child<QPushButton>(d, name)->text(), QLatin1String(caption));

        for (const QString suffix : {"", "_2"}) {
            const bool sub = !suffix.isEmpty();
            const auto option = [&](const char* base, int i) {
                return d.findChild<QRadioButton*>(
                    QStringLiteral("%1%2(%3)").arg(base, suffix).arg(i));
            };
            for (const char* name : {"DETAIL_FREQ_1", "DETAIL_FREQ_2", "DETAIL_NAME",
                                     "DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2"})
                QVERIFY(child<QLineEdit>(d, name + suffix));
            QCOMPARE(child<QCheckBox>(d, "DETAIL_SKIP" + suffix)->text(), QStringLiteral("Skip"));
            const int modes = sub ? 4 : 7, steps = sub ? 16 : 18;
            for (int i = 0; i < modes; ++i)
                QCOMPARE(option("DETAIL_MODE", i)->text(), tables::modeTexts()[i]);
            QVERIFY(!option("DETAIL_MODE", modes));
            for (int i = 0; i < steps; ++i)
                QCOMPARE(option("DETAIL_STEP", i)->text(), tables::stepTexts()[i]);
            QVERIFY(!option("DETAIL_STEP", steps));
            const QStringList shifts = {"Off", QStringLiteral("＋"), QStringLiteral("－")};
            for (int i = 0; i < 3; ++i)
                QCOMPARE(option("DETAIL_SHIFT", i)->text(), shifts[i]);
            const QStringList types = {"None", "Train", "Tone", "TSQ", "SQ", "DCS"};
            for (int i = 0; i < 6; ++i)
                QCOMPARE(option("PALSE_TYPE", i)->text(), types[i]);
            const std::pair<const char*, int> lists[] = {{"TX_TONE_COMBO", 39},
                                                         {"RX_TONE_COMBO", 39},
                                                         {"DCS_COMBO", 104},
                                                         {"TRAIN_COMBO", 29}};
            for (const auto& [name, count] : lists) {
                QComboBox* combo = child<QComboBox>(d, name + suffix);
                QCOMPARE(combo->count(), count);
                QVERIFY(!combo->isEditable());
            }
        }
        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>())
            labels << l->text();
        for (const char* text : {"Memory", "Memory 2", "Freqency", "．", "ＭＨｚ", "ＮＡＭＥ",
                                 "MHz", "Offset Freqency", "Tx-Tone", "Rx-Tone", "DCS-No", "Train"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    }

    void digitBoxes() {
        MemorySettingDialog d(Region::E);
        d.loadSub("Dual0(Sub) ", ChannelForm());
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
        }
    }

    void nameLimitsAndPaste() {
        MemorySettingDialog d(Region::E);
        QLineEdit* name = box(d, "DETAIL_NAME");
        type(name, QString(15, 'a'));
        type(name, QStringLiteral("あ")); // two bytes do not fit after 15
        QCOMPARE(name->text(), QString(15, 'a'));
        type(name, "bc");
        QCOMPARE(name->text(), QString(15, 'a') + "b");
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Backspace);
        type(name, QStringLiteral("あい"));
        QCOMPARE(name->text(), QString(14, 'a') + QStringLiteral("あ"));

        // An input method's text counts the same way.
        d.loadSub("Dual0(Sub) ", ChannelForm());
        QLineEdit* second = box(d, "DETAIL_NAME_2");
        second->setText(QString(14, 'x'));
        QInputMethodEvent tooLong(QString(), {});
        tooLong.setCommitString(QStringLiteral("東京"));
        QApplication::sendEvent(second, &tooLong);
        QCOMPARE(second->text(), QString(14, 'x'));
        QInputMethodEvent fits(QString(), {});
        fits.setCommitString(QStringLiteral("東"));
        QApplication::sendEvent(second, &fits);
        QCOMPARE(second->text(), QString(14, 'x') + QStringLiteral("東"));

        // Paste is refused, where a plain box takes it.
        QApplication::clipboard()->setText("XYZ");
        QLineEdit plain;
        QTest::keySequence(&plain, QKeySequence::Paste);
        if (plain.text() != "XYZ")
            QSKIP("no clipboard on this platform");
        name->clear();
        QTest::keySequence(name, QKeySequence::Paste);
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(name->text(), QString());
        QLineEdit* mhz = box(d, "DETAIL_FREQ_1");
        QApplication::clipboard()->setText("145");
        QTest::keySequence(mhz, QKeySequence::Paste);
        QCOMPARE(mhz->text(), QString());
    }

    void offsetBoxesOnLeavingThem() {
        MemorySettingDialog d(Region::E);
        d.loadSub("Dual0(Sub) ", ChannelForm());
        d.show();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        const auto leave = [&](const char* mhzName, const char* fractionName, const char* mhz,
                               const char* fraction) {
            QLineEdit* m = box(d, mhzName);
            QLineEdit* f = box(d, fractionName);
            m->setText(QLatin1String(mhz));
            f->setFocus();
            f->setText(QLatin1String(fraction));
            box(d, "DETAIL_NAME")->setFocus();
            return f->text();
        };
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "999", "99999"),
                 QStringLiteral("99995"));
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "0", "5"),
                 QStringLiteral("50000"));
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1_2", "DETAIL_SHIFT_FREQ_2_2", "999", "999"),
                 QStringLiteral("995"));
        QCOMPARE(leave("DETAIL_SHIFT_FREQ_1_2", "DETAIL_SHIFT_FREQ_2_2", "1", "5"),
                 QStringLiteral("500"));
        // The MHz box only loses what is not a digit.
        QLineEdit* mhz = box(d, "DETAIL_SHIFT_FREQ_1");
        mhz->setFocus();
        mhz->setText("1x2");
        box(d, "DETAIL_NAME")->setFocus();
        QCOMPARE(mhz->text(), QStringLiteral("12"));
    }

    void clearAndRegion() {
        MemorySettingDialog j(Region::J);
        j.load("Bank00-000", example());
        j.loadSub("Dual0(Sub) ", example());
        QCOMPARE(j.firstSet()->form(), example());
        QTest::mouseClick(child<QPushButton>(j, "DETAIL_CLEAR"), Qt::LeftButton);
        QCOMPARE(j.firstSet()->form(), ChannelForm());
        QCOMPARE(j.secondSet()->form(), example()); // the other set stays
        QVERIFY(child<QRadioButton>(j, "DETAIL_MODE(0)")->isChecked());
        QCOMPARE(child<QComboBox>(j, "TRAIN_COMBO")->currentText(), QStringLiteral("JR"));
        QCOMPARE(child<QComboBox>(j, "RX_TONE_COMBO")->currentText(), QStringLiteral("88.5Hz"));
        QVERIFY(box(j, "DETAIL_FREQ_1")->text().isEmpty());
        for (const char* name :
             {"PALSE_TYPE(1)", "TRAIN_COMBO", "lblTrain", "PALSE_TYPE_2(1)", "TRAIN_COMBO_2"})
            QVERIFY2(!j.findChild<QWidget*>(name)->isHidden(), name);

        for (Region region : {Region::E, Region::T}) {
            MemorySettingDialog d(region);
            for (const char* name : {"PALSE_TYPE(1)", "TRAIN_COMBO", "lblTrain", "PALSE_TYPE_2(1)",
                                     "TRAIN_COMBO_2", "lblTrain_2"})
                QVERIFY2(d.findChild<QWidget*>(name)->isHidden(), name);
            QVERIFY(!d.findChild<QWidget*>("PALSE_TYPE(0)")->isHidden());
        }
    }

    void okAndCancel() {
        MemorySettingDialog cancelled(Region::E);
        cancelled.load("Bank00-000", example());
        cancelled.show();
        QTest::mouseClick(child<QPushButton>(cancelled, "DETAIL_CANCEL"), Qt::LeftButton);
        QVERIFY(!cancelled.outcome());
        QVERIFY(!cancelled.isVisible());

        MemorySettingDialog d(Region::E);
        ChannelForm f = example();
        f.frequencyFraction = "21500"; // does not fit the 25 kHz step
        d.load("Bank00-000", f);
        QVERIFY(!d.isDualPair());
        QVERIFY(!d.secondSet()->isEnabled());
        d.show();
        QTest::mouseClick(child<QPushButton>(d, "cmdNext"), Qt::LeftButton);
        QVERIFY(d.outcome());
        const DialogResult& r = d.outcome()->result;
        QCOMPARE(r.action, int(DialogResult::SinglePresent));
        QCOMPARE(r.navigation, int(DialogResult::Next));
        QCOMPARE(r.first.frequencyText, QStringLiteral("439.21500"));
        QCOMPARE(r.first.offsetText, QStringLiteral("5.00000"));
        QCOMPARE(r.first.stepText, QStringLiteral("5KHz"));
        QVERIFY(child<QRadioButton>(d, "DETAIL_STEP(0)")->isChecked()); // the fitted step
        QCOMPARE(r.first.mode, 3);
        QCOMPARE(r.first.dcsText, tables::dcsText(12));
        QCOMPARE(r.first.name, QStringLiteral("Repeater"));
        QVERIFY(d.outcome()->firstInUse);

        // A Sub channel whose mode and step have no option keeps them.
        MemorySettingDialog pair(Region::E);
        ChannelForm sub = example();
        sub.mode = 5;  // USB
        sub.step = 17; // 100Hz
        pair.load("Dual0(Main) ", example());
        pair.loadSub("Dual0(Sub) ", sub);
        QVERIFY(pair.secondSet()->isEnabled());
        QCOMPARE(pair.secondSet()->form().mode, 5);
        QTest::mouseClick(child<QPushButton>(pair, "DETAIL_ENTER"), Qt::LeftButton);
        QCOMPARE(pair.outcome()->result.action, int(DialogResult::BothPresent));
        QCOMPARE(pair.outcome()->result.second.step, 17);
        QCOMPARE(pair.outcome()->result.second.mode, 5);
    }
};

QTEST_MAIN(TestMemorySetting)
#include "tst_memory_setting.moc"
