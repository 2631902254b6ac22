#include "banks/bank_link_area.h"
#include "banks/bank_link_table.h"
#include "link/frames.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

namespace {

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}
QByteArray zeros(int count) {
    return QByteArray(count, '\0');
}

} // namespace

class TestBankLink : public QObject {
    Q_OBJECT
private slots:
    void writeFrames() {
        BankLinkTable table;
        table.setEntry(0, 0, BankLinkTable::Linked);
        table.setEntry(0, 9, BankLinkTable::Linked);
        table.setEntry(10, 49, BankLinkTable::Linked);

        const QByteArray first =
            frames::blockWrite(banklinkarea::BlockAddress[0], banklinkarea::encodeBlock(table, 0));
        QCOMPARE(first.size(), 107);
        QCOMPARE(first, "ZT~F00100W8040" + QByteArray(92, '0') + "\r");
        QCOMPARE(frames::writeReplyLength(banklinkarea::BlockBytes[0]), 113);

        // Bank 49 alone in group 10: byte 6 of the group, data byte 38 of
        // the second frame, its 77th and 78th digits.
        const QByteArray second =
            frames::blockWrite(banklinkarea::BlockAddress[1], banklinkarea::encodeBlock(table, 1));
        QCOMPARE(second.size(), 91);
        QCOMPARE(second, "ZT~F00130W" + QByteArray(76, '0') + "40" + QByteArray(2, '0') + "\r");
        QCOMPARE(frames::writeReplyLength(banklinkarea::BlockBytes[1]), 97);

        // Every bit position: bank 8k + j at bit 7 - j of byte k, 48 and 49
        // at bits 7 and 6 of byte 6; group 6 opens the second block.
        BankLinkTable all;
        for (int b = 0; b < 50; ++b)
            all.setEntry(6, b, BankLinkTable::Linked);
        QCOMPARE(banklinkarea::encodeBlock(all, 1), hex("ffffffffffffc000") + zeros(32));
        QCOMPARE(banklinkarea::encodeBlock(all, 0), zeros(48));
        QVERIFY(banklinkarea::encodeBlock(all, 2).isEmpty());
    }

    void emptyBanksAreNeverLinked() {
        BankLayout layout;
        layout.setSize(3, 0);
        BankLinkTable table;
        table.setEntry(2, 3, BankLinkTable::Linked);
        table.setEntry(2, 4, BankLinkTable::Linked);
        table.refreshEmptyFlags(layout);
        QVERIFY(table.emptyFlag(3));
        QVERIFY(!table.emptyFlag(4));
        QVERIFY(table.emptyFlag(49));
        QCOMPARE(table.entry(2, 3), 0);
        QCOMPARE(table.entry(2, 4), 1);

        // A click on an empty bank changes nothing; elsewhere it toggles.
        table.toggle(0, 3);
        QCOMPARE(table.entry(0, 3), 0);
        table.toggle(0, 4);
        QCOMPARE(table.entry(0, 4), 1);
        table.toggle(0, 4);
        QCOMPARE(table.entry(0, 4), 0);

        // An entry set from a file on a flagged bank is still sent as a
        // non-member: group 2 is bytes 16..23, bank 4 is bit 3 of byte 0.
        table.setEntry(2, 3, BankLinkTable::Linked);
        QVERIFY(!table.isMember(2, 3));
        QCOMPARE(banklinkarea::encodeBlock(table, 0).mid(16, 8), hex("0800000000000000"));

        // Only 0, 1 and 2 are kept.
        table.setEntry(5, 5, 7);
        QCOMPARE(table.entry(5, 5), 0);
        table.setEntry(5, 5, BankLinkTable::EmptyBank);
        QCOMPARE(table.entry(5, 5), 2);
        QVERIFY(!table.isMember(5, 5));
        table.toggle(5, 5); // any value other than 0 toggles to 0
        QCOMPARE(table.entry(5, 5), 0);

        table.clear();
        for (int g = 0; g < BankLinkTable::GroupCount; ++g)
            for (int b = 0; b < BankLinkTable::BankCount; ++b)
                QCOMPARE(table.entry(g, b), 0);
        QVERIFY(table.emptyFlag(3)); // "Clear" leaves the flags
    }

    void decodeReads() {
        BankLinkTable table;
        table.setEmptyFlag(9, true);
        QSignalSpy changed(&table, &BankLinkTable::changed);

        // Group 0: banks 0 and 9 (flagged empty); byte 6 sets only bits that
        // stand for no bank, and byte 7 is not 0: both ignored. Group 5: bank
        // 15. The rest of the 64-byte read is not looked at.
        const QByteArray first = hex("8040000000003fff") + zeros(32) + hex("0001000000000000") +
                                 QByteArray(16, char(0xEE));
        QVERIFY(banklinkarea::decodeBlock(first, 0, table));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(table.entry(0, 0), 1);
        QCOMPARE(table.entry(0, 1), 0);
        QCOMPARE(table.entry(0, 9), 2);
        QCOMPARE(table.entry(0, 48), 0);
        QCOMPARE(table.entry(0, 49), 0);
        QCOMPARE(table.entry(5, 15), 1);
        QCOMPARE(table.entry(1, 9), 2); // every entry of an empty bank

        // Group 6 from the start of the second read, group 10 at byte 32.
        const QByteArray second =
            hex("00000000000080") + zeros(25) + hex("00000000000040") + zeros(64 - 39);
        QVERIFY(banklinkarea::decodeBlock(second, 1, table));
        QCOMPARE(table.entry(6, 48), 1);
        QCOMPARE(table.entry(10, 49), 1);
        QCOMPARE(table.entry(10, 48), 0);
        QCOMPARE(table.entry(0, 0), 1); // the first read's groups stay

        // A read with a bank linked that is empty here is written back
        // without it.
        QCOMPARE(banklinkarea::encodeBlock(table, 0).left(8), hex("8000000000000000"));

        // Short data changes nothing.
        changed.clear();
        QVERIFY(!banklinkarea::decodeBlock(zeros(47), 0, table));
        QVERIFY(!banklinkarea::decodeBlock(zeros(39), 1, table));
        QVERIFY(!banklinkarea::decodeBlock(zeros(64), 2, table));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(table.entry(0, 0), 1);
    }
};

QTEST_GUILESS_MAIN(TestBankLink)
#include "tst_bank_link.moc"
