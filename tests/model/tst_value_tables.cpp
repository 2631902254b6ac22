#include "model/region.h"
#include "model/value_tables.h"

#include <QtTest>

using namespace rz::tables;
using rz::parseRegion;
using rz::Region;
using rz::regionName;

namespace {

// The tables as the receiver numbers them, written out here on their own so
// that a mistyped entry anywhere in the program's copy shows.
constexpr const char* Ctcss =
    "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
    "118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 162.2 167.9 173.8 179.9 186.2 192.8 "
    "203.5 210.7 218.1 225.7 233.6 241.8 250.3";
constexpr const char* Dcs =
    "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 131 132 "
    "134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 255 261 "
    "263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 423 431 "
    "432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 532 546 565 606 612 624 627 631 "
    "632 654 662 664 703 712 723 731 732 734 743 754";
constexpr const char* Steps = "5KHz 500 6.25KHz 625 8.33KHz 833 10KHz 1000 12.5KHz 1250 15KHz 1500 "
                              "20KHz 2000 25KHz 2500 30KHz 3000 50KHz 5000 100KHz 10000 125KHz "
                              "12500 150KHz 15000 200KHz 20000 500KHz 50000 1MHz 100000 50Hz 5 "
                              "100Hz 10";
constexpr const char* BugPresets =
    "398.60500 399.45500 139.97000 399.03000 400.00000 397.25000 140.00000 399.60500 398.64000 "
    "134.00000 399.25000 399.00000 134.90000 139.96000 139.60000 149.00000 361.82500 320.23500 "
    "320.67500 321.13500 139.94000";

QStringList words(const char* text, const char* suffix = "") {
    QStringList out;
    for (const QString& word : QString::fromLatin1(text).split(' '))
        out << word + QLatin1String(suffix);
    return out;
}

} // namespace

class TestValueTables : public QObject {
    Q_OBJECT
private slots:
    void regionSpellings() {
        const QPair<const char*, Region> taken[] = {{"J", Region::J},
                                                    {"e", Region::E},
                                                    {"E/EGR", Region::E},
                                                    {"e/egr", Region::E},
                                                    {"t", Region::T}};
        for (const auto& [text, region] : taken)
            QCOMPARE(parseRegion(text), std::optional<Region>(region));
        for (const char* refused : {"", "X", "EGR", "E/", " J", "JE"})
            QVERIFY2(!parseRegion(refused), refused);
        QCOMPARE(regionName(Region::E), QString("E/EGR"));
    }

    void tablesAsTheReceiverNumbersThem() {
        QCOMPARE(ctcssTexts(), words(Ctcss, "Hz"));
        QCOMPARE(dcsTexts(), words(Dcs));
        QCOMPARE(bugPresetFrequencies(), words(BugPresets, "MHz"));
        const QStringList steps = words(Steps);
        QCOMPARE(stepTexts().size(), steps.size() / 2);
        for (int i = 0; i < StepCount; ++i) {
            QCOMPARE(stepTexts().at(i), steps.at(2 * i));
            QCOMPARE(stepSize(i), steps.at(2 * i + 1).toInt());
        }
        QCOMPARE(trainTexts().size(), TrainCount);
        for (int k = 0; k < 28; ++k)
            QCOMPARE(trainText(k), QStringLiteral("%1Hz").arg(300 + 100 * k));
        QCOMPARE(trainText(28), QStringLiteral("JR"));
        QCOMPARE(ctcssText(39), QString());
        QCOMPARE(gridHeadings().mid(1),
                 QStringList({"Freqency", "mode", "step", "Carrier", "Subtone", "---", "TSQ", "DCS",
                              "Shift", "Shift-Freq", "Skip", "Name"}));
    }

    void recordCodes() {
        // NFM has no code of its own and reads back as FM.
        QCOMPARE(modeCodeForText("NFM"), 0);
        QCOMPARE(modeCodeForText("CW"), 5);
        QCOMPARE(modeTextForCode(6), QString());
        QCOMPARE(ctcssRecordCode(0), 0);
        QCOMPARE(ctcssRecordCode(1), 2);
        QCOMPARE(ctcssRecordCode(38), 39);
        QCOMPARE(ctcssIndexForCode(1), 0);
        for (int k = 0; k < CtcssCount; ++k)
            QCOMPARE(ctcssIndexForCode(ctcssRecordCode(k)), k);
        QCOMPARE(toneTypeGridText(2), QString());
        QCOMPARE(toneTypeCodeForText("Tone"), 0);
        QCOMPARE(toneTypeCodeForText("DCS"), 5);
        QCOMPARE(toneTypeCodeForText("bogus"), 0);
        QCOMPARE(shiftGridText(7), QStringLiteral("Off"));
    }

    // A step that does not fit the frequency's fraction and the offset
    // falls back to 5 kHz, then 6.25 kHz, then 50 Hz.
    void stepFallback() {
        const struct {
            int fraction, offset, chosen, expected;
        } cases[] = {
            {15000, 0, 5, 5},   // 145.150 keeps 15 kHz
            {21500, 0, 5, 0},   // 145.215: 15 kHz -> 5 kHz
            {21500, 0, 7, 0},   // 25 kHz -> 5 kHz
            {19375, 0, 4, 1},   // 145.19375 -> 6.25 kHz
            {12345, 0, 0, 16},  // fits neither -> 50 Hz
            {15000, 625, 5, 1}, // the offset decides too
            {833 * 3, 0, 2, 2}, // 8.33 kHz exact
        };
        for (const auto& c : cases)
            QVERIFY2(
                fittedStep(c.fraction, c.offset, c.chosen) == c.expected,
                qPrintable(QStringLiteral("%1 %2 %3").arg(c.fraction).arg(c.offset).arg(c.chosen)));
    }
};

QTEST_APPLESS_MAIN(TestValueTables)
#include "tst_value_tables.moc"
