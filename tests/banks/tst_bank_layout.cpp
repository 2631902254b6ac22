#include "banks/bank_layout.h"
#include "model/channel_table.h"

#include <QtTest>

using namespace rz;

class TestBankLayout : public QObject {
    Q_OBJECT
private slots:
    void defaultLayoutLabels() {
        BankLayout layout;
        ChannelTable table;
        QCOMPARE(layout.total(), 1200);
        RefreshBankRowLabels(layout, table);
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("Bank00-000"));
        QCOMPARE(table.text(100, ColLabel), QStringLiteral("Bank00-099"));
        QCOMPARE(table.text(101, ColLabel), QStringLiteral("Bank01-000"));
        QCOMPARE(table.text(1200, ColLabel), QStringLiteral("Bank11-099"));
        QCOMPARE(table.text(1201, ColLabel), QStringLiteral("PRG - 0A"));
        QCOMPARE(table.text(1216, ColLabel), QStringLiteral("PRG - 7B"));
        QCOMPARE(table.text(1300, ColLabel), QStringLiteral("PRG - 49B"));
        QCOMPARE(table.text(1301, ColLabel), QStringLiteral("Dual0(Main) "));
        QCOMPARE(table.text(1308, ColLabel), QStringLiteral("Dual3(Sub) "));
        QCOMPARE(table.text(1501, ColLabel), QStringLiteral("PRIO - 0"));
        QCOMPARE(table.text(1700, ColLabel), QStringLiteral("PASS - 99"));
        QCOMPARE(table.text(1721, ColLabel), QStringLiteral("BUG - 20"));
    }

    void oneBigBankAndInconsistentTotals() {
        BankLayout layout;
        ChannelTable table;
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[1] = 1200;
        layout.setSizes(sizes);
        RefreshBankRowLabels(layout, table);
        QCOMPARE(table.text(1, ColLabel), QStringLiteral("Bank01-000"));
        QCOMPARE(table.text(1200, ColLabel), QStringLiteral("Bank01-1199"));

        // A total other than 1200 leaves the labels alone.
        layout.setSize(1, 1199);
        QVERIFY(!layout.isConsistent());
        layout.setSize(2, 5000); // kept within the slider's range
        QCOMPARE(layout.size(2), 1200);
        layout.setSize(2, 0);
        ChannelTable fresh;
        RefreshBankRowLabels(layout, fresh);
        QCOMPARE(fresh.text(1, ColLabel), QStringLiteral("0"));
        layout.loadDefault();
        QVERIFY(layout.isConsistent());
    }
};

QTEST_GUILESS_MAIN(TestBankLayout)
#include "tst_bank_layout.moc"
