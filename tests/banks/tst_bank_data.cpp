// The bank layout, its row labels, the receiver's bank-size and bank-link
// areas byte for byte, and the one-touch keys that hold bank numbers.
#include "banks/bank_area.h"
#include "banks/bank_layout.h"
#include "banks/bank_link_area.h"
#include "banks/bank_link_table.h"
#include "banks/one_touch.h"
#include "banks/one_touch_area.h"
#include "link/frames.h"
#include "model/channel_table.h"

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

// Bank sizes, 0 but for the given banks.
std::array<int, BankLayout::BankCount> sizesOf(std::initializer_list<std::pair<int, int>> banks) {
    std::array<int, BankLayout::BankCount> sizes{};
    for (const auto& [bank, size] : banks)
        sizes[size_t(bank)] = size;
    return sizes;
}

// Banks 0, 3 and 7 hold channels: 5, 1000 and 195.
void useBanks037(BankLayout& layout) {
    layout.setSizes(sizesOf({{0, 5}, {3, 1000}, {7, 195}}));
}

} // namespace

class TestBankData : public QObject {
    Q_OBJECT
private slots:
    void rowLabelsFollowTheLayoutOnlyWhenItTotals1200() {
        BankLayout layout;
        ChannelTable table;
        RefreshBankRowLabels(layout, table);
        const std::pair<int, const char*> labels[] = {
            {1, "Bank00-000"},     {100, "Bank00-099"}, {101, "Bank01-000"}, {1200, "Bank11-099"},
            {1201, "PRG - 0A"},    {1216, "PRG - 7B"},  {1300, "PRG - 49B"}, {1301, "Dual0(Main) "},
            {1308, "Dual3(Sub) "}, {1501, "PRIO - 0"},  {1700, "PASS - 99"}, {1721, "BUG - 20"}};
        for (const auto& [row, label] : labels)
            QCOMPARE(table.text(row, ColLabel), QString(label));

        layout.setSizes(sizesOf({{33, 1200}}));
        RefreshBankRowLabels(layout, table);
        QCOMPARE(table.text(1200, ColLabel), QStringLiteral("Bank33-1199"));

        // A total other than 1200 leaves the labels alone and is never sent.
        layout.setSize(33, 1199);
        QVERIFY(!layout.isConsistent());
        ChannelTable fresh;
        RefreshBankRowLabels(layout, fresh);
        QCOMPARE(fresh.text(1, ColLabel), QStringLiteral("0"));
        QVERIFY(bankarea::encodeBlock(layout, 0).isEmpty());
        QVERIFY(bankarea::encodeBlock(layout, 1).isEmpty());
    }

    void sizeBlocksEncodeTheBanksAndTheGroupConstants() {
        BankLayout layout;
        QCOMPARE(bankarea::BlockAddress[0], 0x00200u);
        QCOMPARE(bankarea::BlockAddress[1], 0x00240u);
        // Banks 0..11 of 100 (0x0064); banks 32..49 empty, then from 0x00264
        // the group sizes 100, 200, 100, 0, 100, 0, 21 and 14 zero bytes.
        QCOMPARE(bankarea::encodeBlock(layout, 0), hex("6400").repeated(12) + zeros(64 - 24));
        QCOMPARE(bankarea::encodeBlock(layout, 1),
                 zeros(36) + hex("6400c80064000000640000001500") + zeros(14));
        layout.setSizes(sizesOf({{33, 1200}}));
        QCOMPARE(bankarea::encodeBlock(layout, 0), zeros(64));
        QCOMPARE(bankarea::encodeBlock(layout, 1).left(4), hex("0000b004"));
        QVERIFY(bankarea::encodeBlock(layout, 2).isEmpty());

        // Sizes across the byte boundary come back as written.
        layout.setSizes(sizesOf({{0, 256}, {17, 255}, {31, 1}, {32, 300}, {49, 388}}));
        BankLayout read;
        for (int block = 0; block < bankarea::BlockCount; ++block)
            QVERIFY(bankarea::decodeBlock(bankarea::encodeBlock(layout, block), block, read));
        QCOMPARE(read.sizes(), layout.sizes());
    }

    void sizeBlocksDecodeTwelveBitsAndTakeTheTotalAsRead() {
        BankLayout layout;
        QSignalSpy changed(&layout, &BankLayout::changed);
        // Bank 0 = 0x04B0 with a stray high nibble (1200), bank 1 = 0x0FFF
        // (kept within range), bank 2 = 0x1064 (100), bank 31 = 1.
        QVERIFY(bankarea::decodeBlock(hex("b0f4ff0f6410") + zeros(56) + hex("0100"), 0, layout));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(layout.size(0), 1200);
        QCOMPARE(layout.size(1), 1200);
        QCOMPARE(layout.size(2), 100);
        QCOMPARE(layout.size(31), 1);
        // Block 1 sets banks 32..49 only; the group sizes are never read.
        QVERIFY(bankarea::decodeBlock(hex("0300") + zeros(32) + hex("0200ffffffff") + zeros(24), 1,
                                      layout));
        QCOMPARE(layout.size(32), 3);
        QCOMPARE(layout.size(49), 2);
        QCOMPARE(layout.total(), 1200 + 1200 + 100 + 1 + 3 + 2);

        // A short or unknown block changes nothing.
        changed.clear();
        QVERIFY(!bankarea::decodeBlock(zeros(63), 0, layout));
        QVERIFY(!bankarea::decodeBlock(zeros(64), 2, layout));
        QCOMPARE(changed.count(), 0);
    }

    void linkFramesPutBankEightKPlusJAtBitSevenMinusJ() {
        BankLinkTable table;
        table.setEntry(0, 0, BankLinkTable::Linked);
        table.setEntry(0, 9, BankLinkTable::Linked);
        table.setEntry(10, 49, BankLinkTable::Linked);
        const QByteArray first =
            frames::blockWrite(banklinkarea::BlockAddress[0], banklinkarea::encodeBlock(table, 0));
        QCOMPARE(first, "ZT~F00100W8040" + QByteArray(92, '0') + "\r");
        QCOMPARE(frames::writeReplyLength(banklinkarea::BlockBytes[0]), 113);
        // Bank 49 alone in group 10: data byte 38 of the second frame.
        const QByteArray second =
            frames::blockWrite(banklinkarea::BlockAddress[1], banklinkarea::encodeBlock(table, 1));
        QCOMPARE(second, "ZT~F00130W" + QByteArray(76, '0') + "4000\r");
        QCOMPARE(frames::writeReplyLength(banklinkarea::BlockBytes[1]), 97);

        BankLinkTable all; // group 6 opens the second block
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
        QVERIFY(table.emptyFlag(3) && !table.emptyFlag(4) && table.emptyFlag(49));
        QCOMPARE(table.entry(2, 3), 0);
        QCOMPARE(table.entry(2, 4), 1);
        table.toggle(0, 3); // a click on an empty bank changes nothing
        QCOMPARE(table.entry(0, 3), 0);
        // Set from a file on a flagged bank, it is still sent as a non-member:
        // group 2 is bytes 16..23, bank 4 is bit 3 of byte 0.
        table.setEntry(2, 3, BankLinkTable::Linked);
        QVERIFY(!table.isMember(2, 3));
        QCOMPARE(banklinkarea::encodeBlock(table, 0).mid(16, 8), hex("0800000000000000"));
        // Only 0, 1 and 2 are kept; any value other than 0 toggles to 0.
        table.setEntry(5, 5, 7);
        QCOMPARE(table.entry(5, 5), 0);
        table.setEntry(5, 5, BankLinkTable::EmptyBank);
        QVERIFY(!table.isMember(5, 5));
        table.toggle(5, 5);
        QCOMPARE(table.entry(5, 5), 0);
        table.clear();
        QCOMPARE(table.entry(2, 4), 0);
        QVERIFY(table.emptyFlag(3)); // "Clear" leaves the flags
    }

    void linkReadsIgnoreBitsOfNoBankAndMarkEmptyBanks() {
        BankLinkTable table;
        table.setEmptyFlag(9, true);
        QSignalSpy changed(&table, &BankLinkTable::changed);
        // Group 0: banks 0 and 9 (flagged empty); byte 6 sets only bits of no
        // bank, byte 7 is not 0. Group 5: bank 15. The rest is not looked at.
        const QByteArray first = hex("8040000000003fff") + zeros(32) + hex("0001000000000000") +
                                 QByteArray(16, char(0xEE));
        QVERIFY(banklinkarea::decodeBlock(first, 0, table));
        QCOMPARE(changed.count(), 1);
        // Group, bank, entry; every entry of the empty bank 9 is 2.
        const int entries[][3] = {{0, 0, 1},  {0, 1, 0},  {0, 9, 2}, {0, 48, 0},
                                  {0, 49, 0}, {5, 15, 1}, {1, 9, 2}};
        for (const auto& [group, bank, entry] : entries)
            QCOMPARE(table.entry(group, bank), entry);
        // Group 6 from the start of the second read, group 10 at byte 32.
        QVERIFY(banklinkarea::decodeBlock(
            hex("00000000000080") + zeros(25) + hex("00000000000040") + zeros(25), 1, table));
        QCOMPARE(table.entry(6, 48), 1);
        QCOMPARE(table.entry(10, 49), 1);
        QCOMPARE(table.entry(10, 48), 0);
        QCOMPARE(table.entry(0, 0), 1); // the first read's groups stay
        // Written back without the bank that is empty here.
        QCOMPARE(banklinkarea::encodeBlock(table, 0).left(8), hex("8000000000000000"));

        changed.clear();
        QVERIFY(!banklinkarea::decodeBlock(zeros(47), 0, table));
        QVERIFY(!banklinkarea::decodeBlock(zeros(39), 1, table));
        QVERIFY(!banklinkarea::decodeBlock(zeros(64), 2, table));
        QCOMPARE(changed.count(), 0);
    }

    void startUpAndEncoding() {
        OneTouchMemories keys;
        QCOMPARE(keys.key(8), (OneTouchKey{0, 0, true}));
        QCOMPARE(onetouch::Address, 0x00180u);
        QCOMPARE(onetouch::encode(keys), hex("ff0000").repeated(9));

        // Default layout: bank 5, channel 42 is 05 2A 00; "No Setting" keeps
        // the channel the selector shows.
        keys.setKey(0, {5, 42, false});
        keys.setKey(1, {0, 0, true});
        keys.setKey(8, {11, 7, true});
        QCOMPARE(onetouch::encode(keys),
                 hex("052a00ff0000") + hex("ff0000").repeated(6) + hex("ff0700"));
        QCOMPARE(keys.fileBankValue(0), 5);
        QCOMPARE(keys.fileChannelValue(0), 42);
        QCOMPARE(keys.fileBankValue(8), 255);
        QCOMPARE(keys.fileChannelValue(8), 7);

        // Keys that could not fit their three bytes are never stored.
        keys.setKey(2, {50, 256, false});
        QCOMPARE(keys.key(2), (OneTouchKey{OneTouchKey::NoBank, 0, false}));
        QCOMPARE(onetouch::encode(keys).mid(6, 3), hex("ff0000"));
        QCOMPARE(keys.fileBankValue(2), 255);
    }

    void selectorContents() {
        BankLayout layout;
        useBanks037(layout);
        QCOMPARE(oneTouchBankItems(layout), (QStringList{"0", "3", "7"}));
        QCOMPARE(oneTouchChannelItems(0, layout), (QStringList{"0", "1", "2", "3", "4"}));
        QVERIFY(oneTouchChannelItems(1, layout).isEmpty());
        QVERIFY(oneTouchChannelItems(OneTouchKey::NoBank, layout).isEmpty());
        // One byte holds the position: a bank of 1000 offers 0..255.
        const QStringList big = oneTouchChannelItems(3, layout);
        QCOMPARE(big.size(), 256);
        QCOMPARE(big.last(), QStringLiteral("255"));
        QCOMPARE(oneTouchBankPosition({7, 0, false}, layout), 2);
        QCOMPARE(oneTouchBankPosition({5, 0, false}, layout), -1);
        QCOMPARE(firstListedBank(layout), 0);
    }

    void decoding() {
        BankLayout layout;
        useBanks037(layout);
        OneTouchMemories keys;
        QSignalSpy changed(&keys, &OneTouchMemories::changed);
        QByteArray area = hex("070100" // bank 7, channel 1
                              "050000" // bank 5 is empty
                              "ff0900" // "No Setting"
                              "000400" // channel 4 of bank 0's 5
                              "000500" // channel 5 lies beyond bank 0
                              "03ff00" // channel 255 of bank 3's 1000
                              "320000" // banks 50, 100 and 254 do not exist
                              "640300"
                              "fe0200");
        area += QByteArray(64 - 27, char(0x55)); // the rest of the block is not looked at
        QVERIFY(onetouch::decode(area, layout, keys));
        QCOMPARE(changed.count(), 1);
        const OneTouchKey decoded[] = {{7, 1, false}, {0, 0, false}, {0, 0, true},
                                       {0, 4, false}, {0, 0, false}, {3, 255, false},
                                       {0, 0, false}, {0, 0, false}, {0, 0, false}};
        for (int k = 0; k < 9; ++k)
            QCOMPARE(keys.key(k), decoded[k]);

        // Too little data changes nothing.
        QVERIFY(!onetouch::decode(area.left(26), layout, keys));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(keys.key(0), (OneTouchKey{7, 1, false}));

        // With every bank empty no key can name a bank.
        layout.setSizes({});
        QVERIFY(onetouch::decode(area, layout, keys));
        QCOMPARE(keys.key(0), (OneTouchKey{OneTouchKey::NoBank, 0, false}));
        QCOMPARE(onetouch::encode(keys).left(3), hex("ff0000"));
    }

    void rebuildFollowsTheBankLayout() {
        BankLayout layout; // banks 0..11 of 100
        OneTouchMemories keys;
        keys.setKey(0, {3, 42, false});
        keys.setKey(1, {3, 10, true});
        keys.setKey(2, {5, 42, false});
        keys.setKey(3, {5, 10, false});
        keys.setKey(4, {11, 99, false});

        // The Bank tab empties bank 3 and shrinks bank 5 to 20.
        std::array<int, BankLayout::BankCount> sizes = layout.sizes();
        sizes[2] += sizes[3] + 80;
        sizes[3] = 0;
        sizes[5] = 20;
        layout.setSizes(sizes);
        keys.rebuild(layout);
        QCOMPARE(keys.key(0), (OneTouchKey{0, 0, false}));
        QCOMPARE(keys.key(1), (OneTouchKey{0, 0, true}));
        QCOMPARE(keys.key(2), (OneTouchKey{5, 0, false}));
        QCOMPARE(keys.key(3), (OneTouchKey{5, 10, false}));
        QCOMPARE(keys.key(4), (OneTouchKey{11, 99, false}));

        // With bank 0 empty the first listed bank is bank 1.
        sizes[1] += sizes[0];
        sizes[0] = 0;
        layout.setSizes(sizes);
        keys.rebuild(layout);
        QCOMPARE(keys.key(0), (OneTouchKey{1, 0, false}));

        // "Reset" marks all nine keys "No Setting" on the first listed bank.
        keys.reset(layout);
        for (const OneTouchKey& key : keys.keys())
            QCOMPARE(key, (OneTouchKey{1, 0, true}));

        // No bank left: the keys name none.
        layout.setSizes({});
        keys.setKey(0, {4, 3, false});
        keys.rebuild(layout);
        QCOMPARE(keys.key(0), (OneTouchKey{OneTouchKey::NoBank, 0, false}));
    }

    void selectorsAndCloneFileValuesKeepTheChannelInsideItsBank() {
        BankLayout layout;
        useBanks037(layout);
        OneTouchMemories keys;
        QSignalSpy changed(&keys, &OneTouchMemories::changed);
        keys.setKey(0, {3, 42, false});
        keys.selectBank(0, 7); // a new bank starts at channel 0
        QCOMPARE(keys.key(0), (OneTouchKey{7, 0, false}));
        keys.selectChannel(0, 9);
        keys.setNoSetting(0, true);
        keys.setNoSetting(0, true); // no change, no signal
        QCOMPARE(keys.key(0), (OneTouchKey{7, 9, true}));
        QCOMPARE(changed.count(), 4);

        // From a file: a listed bank is taken and "No Setting" cleared; the
        // channel that follows is checked against that bank.
        keys.setKey(1, {3, 150, true});
        QVERIFY(keys.applyFileBankValue(1, 7, layout));
        QCOMPARE(keys.key(1), (OneTouchKey{7, 150, false}));
        QVERIFY(!keys.applyFileChannelValue(1, 195, layout));
        QCOMPARE(keys.key(1).channel, 0);
        QVERIFY(keys.applyFileChannelValue(1, 194, layout));
        QVERIFY(keys.applyFileBankValue(1, 0, layout)); // a smaller bank
        QCOMPARE(keys.key(1), (OneTouchKey{0, 0, false}));
        // An unknown bank keeps the key's bank.
        keys.setKey(2, {3, 20, true});
        QVERIFY(!keys.applyFileBankValue(2, 999, layout));
        QCOMPARE(keys.key(2), (OneTouchKey{3, 20, false}));
        QVERIFY(!keys.applyFileChannelValue(2, -1, layout));
        QCOMPARE(keys.key(2).channel, 0);
    }
};

QTEST_GUILESS_MAIN(TestBankData)
#include "tst_bank_data.moc"
