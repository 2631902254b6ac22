// The Memory Setting dialog's rules without the dialog: filling a set from a
// grid row, typing limits, the offset leave rule and "OK".
#include "memory/channel_form.h"
#include "memory/dialog_ok.h"
#include "model/value_tables.h"

#include <QtTest>

using namespace rz;
using memory::confirmDialog;

namespace {

ChannelForm frequency(const QString& mhz, const QString& fraction) {
    ChannelForm f;
    f.frequencyMhz = mhz;
    f.frequencyFraction = fraction;
    return f;
}

const ChannelForm NoSecond;

} // namespace

class TestDialogOk : public QObject {
    Q_OBJECT
private slots:
    void splitsGridFrequencyByLength() {
        const struct {
            const char *text, *mhz, *fraction;
        } cases[] = {{"1234.56789MHz", "1234", "56789"},
                     {"145.00000MHz", "145", "00000"},
                     {"76.50000MHz", "76", "50000"},
                     {"7.05000MHz", "7", "05000"},
                     {"Off", "", ""},
                     {"", "", ""},
                     {"12345.00000MHz", "", ""}};
        for (const auto& c : cases) {
            QString mhz = "x", fraction = "x";
            form::splitFrequency(QLatin1String(c.text), mhz, fraction);
            QCOMPARE(mhz, QLatin1String(c.mhz));
            QCOMPARE(fraction, QLatin1String(c.fraction));
        }
    }

    void fillsFromRow() {
        ChannelRow row;
        row.cells = {"Bank00-000", "439.00000MHz", "NFM", "12.5KHz",    "JR", "TSQ",     "88.5Hz",
                     "100.0Hz",    "023",          "-",   "5.00000MHz", "*",  "Repeater"};
        row.codes = {8, 12, 7, 3, 4, 1};
        const ChannelForm f = form::fromRow(row);
        QCOMPARE(f.frequencyMhz, QStringLiteral("439"));
        QCOMPARE(f.frequencyFraction, QStringLiteral("00000"));
        QCOMPARE(f.mode, tables::ModeNfm);
        QCOMPARE(f.step, 4);
        QCOMPARE(f.train, 3);
        QCOMPARE(f.toneType, 3);
        QCOMPARE(f.rxTone, 12);
        QCOMPARE(f.dcs, 7);
        QCOMPARE(f.shift, 2);
        QCOMPARE(f.offsetMhz, QStringLiteral("5"));
        QCOMPARE(f.offsetFraction, QStringLiteral("00000"));
        QVERIFY(f.skip);
        QCOMPARE(f.name, QStringLiteral("Repeater"));

        // The Sub set shows its offset in kilohertz when nothing is lost.
        QCOMPARE(form::fromRow(row, FormLimits::subSet()).offsetFraction, QStringLiteral("000"));
        row.cells[ColOffset] = "0.00625MHz";
        QCOMPARE(form::fromRow(row, FormLimits::subSet()).offsetFraction, QStringLiteral("00625"));

        // Texts that match no option: "ERROR" type and unknown shift.
        row.cells[ColToneType] = "ERROR";
        row.cells[ColShift] = "ERROR";
        QCOMPARE(form::fromRow(row).toneType, 0);
        QCOMPARE(form::fromRow(row).shift, 0);
    }

    void digitAndNameTyping() {
        QVERIFY(form::acceptsDigitKey("123", '4', 4));
        QVERIFY(!form::acceptsDigitKey("1234", '5', 4));
        QVERIFY(form::acceptsDigitKey("1234", '\b', 4));
        QVERIFY(!form::acceptsDigitKey("", 'a', 4));
        QVERIFY(!form::acceptsDigitKey("", '.', 4));

        const QString fifteen(15, 'a');
        QVERIFY(form::acceptsNameText(fifteen, "b"));
        QVERIFY(!form::acceptsNameText(fifteen, QStringLiteral("あ")));
        QVERIFY(form::acceptsNameText(QString(14, 'a'), QStringLiteral("あ")));
        QVERIFY(!form::acceptsNameText(QString(16, 'a'), "b"));
        // Seven double-byte characters take 14 bytes: one more still fits.
        QVERIFY(form::acceptsNameText(QString(7, QChar(0x3042)), QStringLiteral("い")));
        QVERIFY(!form::acceptsNameText(QString(8, QChar(0x3042)), "b"));
        // Half-width katakana is a single byte in the code page.
        QVERIFY(form::acceptsNameText(fifteen, QStringLiteral("ｱ")));
        QVERIFY(!form::acceptsNameText("abc", QString(QChar(0x16)))); // Ctrl+V
        QVERIFY(!form::acceptsNameText(QString(14, 'a'), "bcd"));
    }

    void offsetLeaveRule() {
        QCOMPARE(form::offsetFractionOnLeave("999", "99999", 5), QStringLiteral("99995"));
        QCOMPARE(form::offsetFractionOnLeave("999", "99996", 5), QStringLiteral("99995"));
        QCOMPARE(form::offsetFractionOnLeave("999", "99995", 5), QStringLiteral("99995"));
        QCOMPARE(form::offsetFractionOnLeave("998", "99999", 5), QStringLiteral("99999"));
        QCOMPARE(form::offsetFractionOnLeave("0", "5", 5), QStringLiteral("50000"));
        QCOMPARE(form::offsetFractionOnLeave("0", "", 5), QStringLiteral("00000"));
        QCOMPARE(form::offsetFractionOnLeave("0", "1a2", 5), QStringLiteral("12000"));
        // The kilohertz box of the Sub set.
        QCOMPARE(form::offsetFractionOnLeave("999", "997", 3), QStringLiteral("995"));
        QCOMPARE(form::offsetFractionOnLeave("999", "99", 3), QStringLiteral("990"));
        QCOMPARE(form::offsetFractionOnLeave("0", "6", 3), QStringLiteral("600"));
        QCOMPARE(form::offsetFractionOnLeave("999", "01000", 3), QStringLiteral("01000"));
    }

    void okNormalisesTheFrequency() {
        const struct {
            const char *mhz, *fraction, *text, *mhzBox, *fractionBox;
        } cases[] = {
            {"1300", "", "145.00000", "145", "00000"}, // out of range: the default band
            {"9999", "12345", "145.12345", "145", "12345"},
            {"145", "5", "145.50000", "145", "50000"},
            {"0145", "05", "145.05000", "145", "05000"},
            {"0", "05000", "0.05000", "0", "05000"}, // the lowest frequency
            {"0", "04999", "", "", ""},
            {"0", "0", "", "", ""},
            {"", "", "", "", ""},
            {"", "10000", "0.10000", "0", "10000"},
            {"1299", "99995", "1299.99995", "1299", "99995"},
            {"1299", "99996", "", "", ""},
        };
        for (const auto& c : cases) {
            const auto out = confirmDialog(frequency(c.mhz, c.fraction), NoSecond, false);
            QCOMPARE(out.result.first.frequencyText, QLatin1String(c.text));
            QCOMPARE(out.first.frequencyMhz, QLatin1String(c.mhzBox));
            QCOMPARE(out.first.frequencyFraction, QLatin1String(c.fractionBox));
            const bool present = *c.text != 0;
            QCOMPARE(out.firstInUse, present);
            // A single channel without frequency stores nothing.
            QCOMPARE(out.result.action,
                     present ? int(DialogResult::SinglePresent) : int(DialogResult::Nothing));
        }
    }

    void okNormalisesTheOffset() {
        ChannelForm f = frequency("145", "00000");
        const struct {
            const char *mhz, *fraction, *text;
        } cases[] = {{"", "", "0.00000"},
                     {"5", "", "5.00000"},
                     {"0", "6", "0.60000"},
                     {"999", "99999", "999.99995"},
                     {"1000", "0", "0.00000"}};
        for (const auto& c : cases) {
            f.offsetMhz = QLatin1String(c.mhz);
            f.offsetFraction = QLatin1String(c.fraction);
            QCOMPARE(confirmDialog(f, NoSecond, false).result.first.offsetText,
                     QLatin1String(c.text));
        }
    }

    void okFitsTheStep() {
        const struct {
            const char* fraction;
            const char* offsetFraction;
            int chosen, fitted;
        } cases[] = {
            {"15000", "00000", 5, 5},  // 145.150 with 15 kHz keeps its step
            {"21500", "00000", 5, 0},  // 145.215 with 15 kHz: only the fraction counts
            {"21500", "00000", 7, 0},  // 25 kHz
            {"19375", "00000", 0, 1},  // a multiple of 625 but not of 500
            {"19380", "00000", 0, 16}, // neither
            {"15000", "00625", 5, 1},  // the offset counts as well
        };
        for (const auto& c : cases) {
            ChannelForm f = frequency("145", c.fraction);
            f.offsetMhz = "0";
            f.offsetFraction = QLatin1String(c.offsetFraction);
            f.step = c.chosen;
            const auto out = confirmDialog(f, NoSecond, false);
            QCOMPARE(out.result.first.step, c.fitted);
            QCOMPARE(out.first.step, c.fitted);
            QCOMPARE(out.result.first.stepText, tables::stepText(c.fitted));
        }
    }

    void dualPairActions() {
        const ChannelForm present = frequency("145", "00000");
        const ChannelForm empty;
        const struct {
            bool main, sub;
            int action;
        } cases[] = {{true, true, DialogResult::BothPresent},
                     {true, false, DialogResult::FirstPresentSecondEmpty},
                     {false, true, DialogResult::FirstEmptySecondPresent},
                     {false, false, DialogResult::BothEmpty}};
        for (const auto& c : cases) {
            const auto out = confirmDialog(c.main ? present : empty, c.sub ? present : empty, true);
            QCOMPARE(out.result.action, c.action);
            QCOMPARE(out.firstInUse, c.main);
            QCOMPARE(out.secondInUse, c.sub);
        }
    }

    void subSetRules() {
        ChannelForm sub = frequency("145", "99996"); // at most 99995 in the Sub set
        sub.offsetMhz = "0";
        sub.offsetFraction = "6"; // kilohertz: 0.600 MHz
        sub.step = 5;             // no step fit for the Sub channel
        const auto out = confirmDialog(frequency("145", "00000"), sub, true);
        QCOMPARE(out.result.second.frequencyText, QStringLiteral("145.00000"));
        QCOMPARE(out.result.second.offsetText, QStringLiteral("0.60000"));
        QCOMPARE(out.second.offsetFraction, QStringLiteral("600"));
        QCOMPARE(out.result.second.step, 5);
        QCOMPARE(out.result.second.stepText, QStringLiteral("15KHz"));

        sub.offsetMhz = "999";
        sub.offsetFraction = "999";
        QCOMPARE(confirmDialog(ChannelForm(), sub, true).result.second.offsetText,
                 QStringLiteral("999.99500"));
    }
};

QTEST_GUILESS_MAIN(TestDialogOk)
#include "tst_dialog_ok.moc"
