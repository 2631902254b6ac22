#include "banks/one_touch.h"
#include "banks/one_touch_area.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

namespace {

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

// Banks 0, 3 and 7 hold channels: 5, 1000 and 195.
void useBanks037(BankLayout& layout) {
    std::array<int, BankLayout::BankCount> sizes{};
    sizes[0] = 5;
    sizes[3] = 1000;
    sizes[7] = 195;
    layout.setSizes(sizes);
}

} // namespace

class TestOneTouch : public QObject {
    Q_OBJECT
private slots:
    void startUpAndEncoding() {
        OneTouchMemories keys;
        for (const OneTouchKey& key : keys.keys())
            QCOMPARE(key, (OneTouchKey{0, 0, true}));
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
        QCOMPARE(keys.key(0), (OneTouchKey{7, 1, false}));
        QCOMPARE(keys.key(1), (OneTouchKey{0, 0, false}));
        QCOMPARE(keys.key(2), (OneTouchKey{0, 0, true}));
        QCOMPARE(keys.key(3), (OneTouchKey{0, 4, false}));
        QCOMPARE(keys.key(4), (OneTouchKey{0, 0, false}));
        QCOMPARE(keys.key(5), (OneTouchKey{3, 255, false}));
        for (int k = 6; k < 9; ++k)
            QCOMPARE(keys.key(k), (OneTouchKey{0, 0, false}));

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

    void editingLikeTheSelectors() {
        OneTouchMemories keys;
        QSignalSpy changed(&keys, &OneTouchMemories::changed);
        keys.setKey(0, {3, 42, false});
        keys.selectBank(0, 4); // a new bank starts at channel 0
        QCOMPARE(keys.key(0), (OneTouchKey{4, 0, false}));
        keys.selectChannel(0, 9);
        keys.setNoSetting(0, true);
        QCOMPARE(keys.key(0), (OneTouchKey{4, 9, true}));
        QCOMPARE(changed.count(), 4);
        keys.setNoSetting(0, true); // no change, no signal
        QCOMPARE(changed.count(), 4);
    }

    void cloneFileValues() {
        BankLayout layout;
        useBanks037(layout);
        OneTouchMemories keys;
        keys.setKey(0, {3, 150, false});

        QVERIFY(keys.applyFileBankValue(0, 255, layout));
        QCOMPARE(keys.key(0), (OneTouchKey{0, 0, true}));

        // A listed bank is taken and "No Setting" cleared; the channel that
        // follows is checked against that bank, not the one before.
        keys.setKey(1, {3, 150, true});
        QVERIFY(keys.applyFileBankValue(1, 7, layout));
        QCOMPARE(keys.key(1), (OneTouchKey{7, 150, false}));
        QVERIFY(!keys.applyFileChannelValue(1, 195, layout));
        QCOMPARE(keys.key(1).channel, 0);
        QVERIFY(keys.applyFileChannelValue(1, 194, layout));
        QCOMPARE(keys.key(1).channel, 194);
        // Moving to a smaller bank never leaves the channel beyond it.
        QVERIFY(keys.applyFileBankValue(1, 0, layout));
        QCOMPARE(keys.key(1), (OneTouchKey{0, 0, false}));

        // An empty or unknown bank keeps the key's bank; "No Setting" is cleared.
        keys.setKey(2, {3, 20, true});
        QVERIFY(!keys.applyFileBankValue(2, 5, layout));
        QVERIFY(!keys.applyFileBankValue(2, 999, layout));
        QCOMPARE(keys.key(2), (OneTouchKey{3, 20, false}));
        QVERIFY(!keys.applyFileChannelValue(2, -1, layout));
        QCOMPARE(keys.key(2).channel, 0);
    }
};

QTEST_GUILESS_MAIN(TestOneTouch)
#include "tst_one_touch.moc"
