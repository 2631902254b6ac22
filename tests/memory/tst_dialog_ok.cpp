// The Memory Setting dialog's arithmetic without the dialog: filling a set
// from a grid row, the offset leave rule and the edge cases of "OK". What
// the user types and what reaches the grid is tested through the widgets.
#include "memory/channel_form.h"
#include "memory/dialog_ok.h"
#include "model/value_tables.h"

#include <QtTest>

using namespace rz;
using memory::confirmDialog;

namespace {

ChannelForm frequency(const QString& mhz, const QString& fraction, const QString& offsetMhz = {},
                      const QString& offsetFraction = {}) {
    ChannelForm f;
    f.frequencyMhz = mhz;
    f.frequencyFraction = fraction;
    f.offsetMhz = offsetMhz;
    f.offsetFraction = offsetFraction;
    return f;
}

const ChannelForm NoSecond;

} // namespace

class TestDialogOk : public QObject {
    Q_OBJECT
private slots:
    void fillsFromRow() {
        // The grid frequency is split by the text's length.
        const char* const split[][3] = {{"1234.56789MHz", "1234", "56789"},
                                        {"76.50000MHz", "76", "50000"},
                                        {"7.05000MHz", "7", "05000"},
                                        {"Off", "", ""},
                                        {"12345.00000MHz", "", ""}};
        for (const auto& [text, mhz, fraction] : split) {
            QString m = "x", f = "x";
            form::splitFrequency(QLatin1String(text), m, f);
            QCOMPARE(m, QLatin1String(mhz));
            QCOMPARE(f, QLatin1String(fraction));
        }

        ChannelRow row;
        row.cells = {"Bank00-000", "439.00000MHz", "NFM", "12.5KHz",    "JR", "TSQ",     "88.5Hz",
                     "100.0Hz",    "023",          "-",   "5.00000MHz", "*",  "Repeater"};
        row.codes = {8, 12, 7, 3, 4, 1};
        const ChannelForm expected{
            "439", "00000", "Repeater", true, tables::ModeNfm, 2, "5", "00000", 3, 8, 12, 7, 3, 4};
        QVERIFY(form::fromRow(row) == expected);

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

    void offsetLeaveRule() {
        const char* const cases[][4] = {
            {"999", "99996", "5", "99995"}, {"999", "99995", "5", "99995"},
            {"998", "99999", "5", "99999"}, {"0", "", "5", "00000"},
            {"0", "1a2", "5", "12000"},     {"999", "997", "3", "995"}, // the Sub set's kilohertz
            {"999", "99", "3", "990"},      {"999", "01000", "3", "01000"}};
        for (const auto& [mhz, fraction, digits, result] : cases)
            QCOMPARE(form::offsetFractionOnLeave(mhz, fraction, QByteArray(digits).toInt()),
                     QLatin1String(result));
    }

    void okNormalisesTheFrequency() {
        // The widget tests cover 1300 MHz, 0.05 MHz and a one-digit fraction.
        const char* const cases[][3] = {
            {"9999", "12345", "145.12345"}, {"0145", "05", "145.05000"},     {"0", "04999", ""},
            {"", "10000", "0.10000"},       {"1299", "99995", "1299.99995"}, {"1299", "99996", ""},
        };
        for (const auto& [mhz, fraction, text] : cases) {
            const auto out = confirmDialog(frequency(mhz, fraction), NoSecond, false);
            QCOMPARE(out.result.first.frequencyText, QLatin1String(text));
            const bool present = *text != 0;
            QCOMPARE(out.firstInUse, present);
            // A single channel without frequency stores nothing.
            QCOMPARE(out.result.action,
                     present ? int(DialogResult::SinglePresent) : int(DialogResult::Nothing));
        }
    }

    void okNormalisesOffsetAndStepAndTheSubSetsRules() {
        ChannelForm f = frequency("145", "00000");
        const char* const offsets[][3] = {{"", "", "0.00000"},
                                          {"5", "", "5.00000"},
                                          {"0", "6", "0.60000"},
                                          {"999", "99999", "999.99995"},
                                          {"1000", "0", "0.00000"}};
        for (const auto& [mhz, fraction, text] : offsets) {
            f.offsetMhz = QLatin1String(mhz);
            f.offsetFraction = QLatin1String(fraction);
            QCOMPARE(confirmDialog(f, NoSecond, false).result.first.offsetText,
                     QLatin1String(text));
        }

        // The step fit looks at the two fraction boxes only.
        const struct {
            const char *fraction, *offsetFraction;
            int chosen, fitted;
        } steps[] = {
            {"15000", "00000", 5, 5}, // 145.150 with 15 kHz keeps its step
            {"21500", "00000", 5, 0}, // 145.215 with 15 kHz: only the fraction counts
            {"15000", "00625", 5, 1}, // the offset counts as well
        };
        for (const auto& c : steps) {
            f = frequency("145", c.fraction, "0", QLatin1String(c.offsetFraction));
            f.step = c.chosen;
            QCOMPARE(confirmDialog(f, NoSecond, false).result.first.step, c.fitted);
        }

        // The Sub set: at most 99995, its offset in kilohertz, no step fit.
        ChannelForm sub = frequency("145", "99996", "0", "6"); // offset 0.600 MHz
        sub.step = 5;
        const auto out = confirmDialog(frequency("145", "00000"), sub, true);
        QCOMPARE(out.result.second.frequencyText, QStringLiteral("145.00000"));
        QCOMPARE(out.result.second.offsetText, QStringLiteral("0.60000"));
        QCOMPARE(out.second.offsetFraction, QStringLiteral("600"));
        QCOMPARE(out.result.second.step, 5);
        sub.offsetMhz = "999";
        sub.offsetFraction = "999";
        QCOMPARE(confirmDialog(ChannelForm(), sub, true).result.second.offsetText,
                 QStringLiteral("999.99500"));
    }
};

QTEST_GUILESS_MAIN(TestDialogOk)
#include "tst_dialog_ok.moc"
