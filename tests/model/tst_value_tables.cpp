#include "model/region.h"
#include "model/value_tables.h"

#include <QtTest>

using namespace rz::tables;
using rz::parseRegion;
using rz::Region;
using rz::regionName;

class TestValueTables : public QObject {
    Q_OBJECT
private slots:
    void regionSpellings() {
        QCOMPARE(parseRegion("J"), std::optional<Region>(Region::J));
        QCOMPARE(parseRegion("e"), std::optional<Region>(Region::E));
        QCOMPARE(parseRegion("E/EGR"), std::optional<Region>(Region::E));
        QCOMPARE(parseRegion("e/egr"), std::optional<Region>(Region::E));
        QCOMPARE(parseRegion("t"), std::optional<Region>(Region::T));
        for (const char* refused : {"", "X", "EGR", "E/", " J", "JE"})
            QVERIFY2(!parseRegion(refused), refused);
        for (Region r : {Region::J, Region::E, Region::T})
            QCOMPARE(parseRegion(regionName(r)), std::optional<Region>(r));
        QCOMPARE(regionName(Region::E), QString("E/EGR"));
    }
    void tablesAsTheReceiverNumbersThem() {
        QCOMPARE(stepTexts().size(), StepCount);
        QCOMPARE(ctcssTexts().size(), CtcssCount);
        QCOMPARE(dcsTexts().size(), DcsCount);
        // The sub-kilohertz steps come last, after 1 MHz.
        QCOMPARE(stepTexts().mid(15), QStringList({"1MHz", "50Hz", "100Hz"}));
        QCOMPARE(stepSize(16), 5);
        QCOMPARE(trainTexts().mid(6, 2), QStringList({"900Hz", "1000Hz"}));
        QCOMPARE(trainTexts().mid(27), QStringList({"3000Hz", "JR"}));
        QCOMPARE(dcsText(103), QStringLiteral("754"));
        QCOMPARE(ctcssText(39), QString());
        QCOMPARE(gridHeadings().mid(1, 3), QStringList({"Freqency", "mode", "step"}));
    }

    void recordCodes() {
        // NFM has no code of its own and reads back as FM.
        QCOMPARE(modeCodeForText(modeTexts()[ModeNfm]), 0);
        QCOMPARE(modeCodeForText("NFM"), 0);
        QCOMPARE(modeCodeForText("CW"), 5);
        QCOMPARE(modeTextForCode(6), QString());
        QCOMPARE(ctcssRecordCode(0), 0);
        QCOMPARE(ctcssRecordCode(1), 2);
        QCOMPARE(ctcssRecordCode(38), 39);
        QCOMPARE(ctcssIndexForCode(0), 0);
        QCOMPARE(ctcssIndexForCode(1), 0);
        QCOMPARE(ctcssIndexForCode(2), 1);
        for (int k = 0; k < CtcssCount; ++k)
            QCOMPARE(ctcssIndexForCode(ctcssRecordCode(k)), k);
        QCOMPARE(toneTypeGridText(2), QString());
        QCOMPARE(toneTypeCodeForText("Tone"), 0);
        QCOMPARE(toneTypeCodeForText("DCS"), 5);
        QCOMPARE(toneTypeCodeForText("bogus"), 0);
        QCOMPARE(shiftGridText(7), QStringLiteral("Off"));
    }

    void stepFallback_data() {
        QTest::addColumn<int>("fraction");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("expected");
        QTest::newRow("145.150 keeps 15k") << 15000 << 0 << 5 << 5;
        QTest::newRow("145.215 15k -> 5k") << 21500 << 0 << 5 << 0;
        QTest::newRow("145.215 25k -> 5k") << 21500 << 0 << 7 << 0;
        QTest::newRow("145.19375 -> 6.25k") << 19375 << 0 << 4 << 1;
        QTest::newRow("fits neither -> 50Hz") << 12345 << 0 << 0 << 16;
        QTest::newRow("offset decides too") << 15000 << 625 << 5 << 1;
        QTest::newRow("8.33k exact") << 833 * 3 << 0 << 2 << 2;
    }

    void stepFallback() {
        QFETCH(int, fraction);
        QFETCH(int, offset);
        QFETCH(int, chosen);
        QFETCH(int, expected);
        QCOMPARE(fittedStep(fraction, offset, chosen), expected);
    }
};

QTEST_APPLESS_MAIN(TestValueTables)
#include "tst_value_tables.moc"
