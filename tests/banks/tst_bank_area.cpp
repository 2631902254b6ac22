#include "banks/bank_area.h"

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

class TestBankArea : public QObject {
    Q_OBJECT
private slots:
    void defaultLayoutBlocks() {
        BankLayout layout;
        QCOMPARE(bankarea::BlockAddress[0], 0x00200u);
        QCOMPARE(bankarea::BlockAddress[1], 0x00240u);
        // Banks 0..11 hold 100 (0x0064) channels each.
        QByteArray first;
        for (int b = 0; b < 12; ++b)
            first += hex("6400");
        first += zeros(64 - 24);
        QCOMPARE(bankarea::encodeBlock(layout, 0), first);
        // Banks 32..49 are empty; from 0x00264 the group sizes 100, 200, 100,
        // 0, 100, 0, 21, then 14 zero bytes.
        const QByteArray second = zeros(36) + hex("6400c80064000000640000001500") + zeros(14);
        QCOMPARE(bankarea::encodeBlock(layout, 1), second);
    }

    void fullBankAndInconsistentLayout() {
        BankLayout layout;
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[33] = 1200;
        layout.setSizes(sizes);
        QCOMPARE(bankarea::encodeBlock(layout, 0), zeros(64));
        QCOMPARE(bankarea::encodeBlock(layout, 1).mid(0, 4), hex("0000b004"));

        // A layout that does not add up to 1200 is never sent.
        layout.setSize(33, 1199);
        QVERIFY(bankarea::encodeBlock(layout, 0).isEmpty());
        QVERIFY(bankarea::encodeBlock(layout, 1).isEmpty());
        layout.setSize(33, 1200);
        QVERIFY(bankarea::encodeBlock(layout, 2).isEmpty());
    }

    void decodeBlocks() {
        BankLayout layout;
        QSignalSpy changed(&layout, &BankLayout::changed);
        // Block 0: bank 0 = 0x04B0 with a stray high nibble (1200), bank 1 =
        // 0x0FFF (4095, beyond any bank), bank 2 = 0x1064 (100, stray nibble),
        // bank 31 = 0x0001.
        QByteArray first = hex("b0f4ff0f6410") + zeros(56) + hex("0100");
        QVERIFY(bankarea::decodeBlock(first, 0, layout));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(layout.size(0), 1200);
        QCOMPARE(layout.size(1), 1200); // kept within the slider's range
        QCOMPARE(layout.size(2), 100);
        QCOMPARE(layout.size(31), 1);

        // Block 1 sets banks 32..49 only; the group sizes are never read.
        const QByteArray second =
            hex("0300") + zeros(32) + hex("0200") + hex("ffffffff") + zeros(24);
        QVERIFY(bankarea::decodeBlock(second, 1, layout));
        QCOMPARE(layout.size(0), 1200);
        QCOMPARE(layout.size(32), 3);
        QCOMPARE(layout.size(49), 2);
        // The total is what was read, not assumed to be 1200.
        QCOMPARE(layout.total(), 1200 + 1200 + 100 + 1 + 3 + 2);
        QVERIFY(!layout.isConsistent());

        // A short block or an unknown block changes nothing.
        changed.clear();
        QVERIFY(!bankarea::decodeBlock(zeros(63), 0, layout));
        QVERIFY(!bankarea::decodeBlock(zeros(64), 2, layout));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(layout.size(0), 1200);
    }

    void readBackWhatWasWritten() {
        BankLayout written;
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[0] = 256;
        sizes[17] = 255;
        sizes[31] = 1;
        sizes[32] = 300;
        sizes[49] = 388;
        written.setSizes(sizes);
        QVERIFY(written.isConsistent());
        BankLayout read;
        for (int block = 0; block < bankarea::BlockCount; ++block)
            QVERIFY(bankarea::decodeBlock(bankarea::encodeBlock(written, block), block, read));
        QCOMPARE(read.sizes(), written.sizes());
    }

    void nonEmptyBankList() {
        BankLayout layout;
        QCOMPARE(layout.nonEmptyBanks(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        std::array<int, BankLayout::BankCount> sizes{};
        sizes[0] = 400;
        sizes[3] = 400;
        sizes[49] = 400;
        layout.setSizes(sizes);
        QCOMPARE(layout.nonEmptyBanks(), (std::vector<int>{0, 3, 49}));
        layout.setSizes({});
        QVERIFY(layout.nonEmptyBanks().empty());
    }
};

QTEST_GUILESS_MAIN(TestBankArea)
#include "tst_bank_area.moc"
