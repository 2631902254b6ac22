#include "font/font_store.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;

namespace {

FontChar withDots(std::initializer_list<std::pair<int, int>> dots) {
    FontChar character;
    for (const auto& [row, column] : dots)
        character.setDot(row, column, true);
    return character;
}

QByteArray bytesWith(std::initializer_list<std::pair<int, quint8>> values) {
    QByteArray bytes(FontChar::Bytes, '\0');
    for (const auto& [index, value] : values)
        bytes[index] = char(value);
    return bytes;
}

} // namespace

class TestFontStore : public QObject {
    Q_OBJECT
private slots:
    // Bytes worked out by hand from the receiver's column layout.
    void receiverLayout_data() {
        QTest::addColumn<FontChar>("character");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("top left") << withDots({{0, 0}}) << bytesWith({{0, 0x01}});
        QTest::newRow("top right") << withDots({{0, 15}}) << bytesWith({{15, 0x01}});
        QTest::newRow("bottom left") << withDots({{15, 0}}) << bytesWith({{16, 0x80}});
        QTest::newRow("bottom right") << withDots({{15, 15}}) << bytesWith({{31, 0x80}});
        QTest::newRow("rows 7 and 8 of column 3")
            << withDots({{7, 3}, {8, 3}}) << bytesWith({{3, 0x80}, {19, 0x01}});
        FontChar column5;
        FontChar diagonal;
        for (int r = 0; r < 16; ++r) {
            column5.setDot(r, 5, true);
            diagonal.setDot(r, r, true);
        }
        QTest::newRow("column 5") << column5 << bytesWith({{5, 0xFF}, {21, 0xFF}});
        QByteArray diagonalBytes(32, '\0');
        for (int c = 0; c < 8; ++c) {
            diagonalBytes[c] = char(1 << c);
            diagonalBytes[24 + c] = char(1 << c);
        }
        QTest::newRow("diagonal") << diagonal << diagonalBytes;
    }
    void receiverLayout() {
        QFETCH(FontChar, character);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeFontChar(character), bytes);
        QCOMPARE(decodeFontChar(bytes), character);
    }

    void editing() {
        FontStore store;
        QSignalSpy changed(&store, &FontStore::changed);
        store.fillRect(1, 9, 12, 2, 4, true); // dragged from bottom right to top left
        FontStore other;
        other.fillRect(1, 2, 4, 9, 12, true);
        QCOMPARE(store.character(1), other.character(1));
        QVERIFY(store.dot(1, 2, 4) && store.dot(1, 9, 12) && !store.dot(1, 1, 4) &&
                !store.dot(1, 2, 13));
        QVERIFY(store.character(0).isBlank());
        QCOMPARE(changed.count(), 1);

        store.fillRect(1, 3, 5, 8, 11, false);
        QVERIFY(store.dot(1, 2, 4) && !store.dot(1, 3, 5) && !store.dot(1, 8, 11));
        store.fillRect(0, -5, -5, 40, 40, true); // clipped to the field
        QVERIFY(store.dot(0, 0, 0) && store.dot(0, 15, 15));

        store.toggleDot(0, 4, 4);
        QVERIFY(!store.dot(0, 4, 4));
        changed.clear();
        store.setDot(0, 0, 0, true); // unchanged: no signal
        store.setDot(8, 0, 0, true); // no such character
        store.setDot(0, 16, 0, true);
        QCOMPARE(changed.count(), 0);

        store.clearCharacter(0);
        QVERIFY(store.character(0).isBlank());
        QVERIFY(!store.character(1).isBlank());
        store.clearAll();
        for (const FontChar& character : store.characters())
            QVERIFY(character.isBlank());
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestFontStore)
#include "tst_font_store.moc"
