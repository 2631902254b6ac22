// The font's eight characters: the receiver's column layout of the dots,
// the editing commands, the frames and replies of a character, and the
// font file.
#include "font/font_file.h"
#include "font/font_frames.h"
#include "font/font_store.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
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

// The receiver's answer to a read of character k: echo, CR LF, 128 digits,
// CR LF.
QByteArray readReply(int k, const QByteArray& digits) {
    return fontframes::readFrame(k) + "\r\n" + digits + "\r\n";
}

QByteArray cornerDigits() {
    return "01" + QByteArray(60, '0') + "80" + QByteArray(64, 'F');
}

const QByteArray Zeros(16, '0');

// A file of the given lines, CR LF after each, with a header in front.
QByteArray fileOf(const QList<QByteArray>& lines) {
    QByteArray bytes = "Save Date and Time 2024/01/02 03:04\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A block line and 16 rows: the first row as given, the others dark.
QList<QByteArray> block(const QByteArray& number, const QByteArray& firstRow = Zeros) {
    QList<QByteArray> lines{number, firstRow};
    for (int r = 1; r < 16; ++r)
        lines.append(Zeros);
    return lines;
}

FontStore::Characters allLit() {
    FontStore::Characters characters;
    for (FontChar& character : characters) {
        for (int r = 0; r < 16; ++r) {
            for (int c = 0; c < 16; ++c)
                character.setDot(r, c, true);
        }
    }
    return characters;
}

} // namespace

class TestFontData : public QObject {
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

    void writeFramesAndTheirReplies() {
        const QByteArray write = fontframes::writeFrame(7, withDots({{0, 0}}));
        QCOMPARE(write, "ZT~F010E0W01" + QByteArray(62, '0') + "\r");
        QCOMPARE(write.size(), fontframes::WriteFrameLength);
        QCOMPARE(fontframes::writeFrame(2, withDots({{15, 15}})),
                 "ZT~F01040W" + QByteArray(62, '0') + "80\r");

        const QByteArray ok = write + "\r\nOK\r\n";
        QCOMPARE(ok.size(), fontframes::WriteReplyLength);
        QCOMPARE(fontframes::WriteReplyLength, 81);
        QVERIFY(fontframes::isWriteReplyValid(ok));
        QVERIFY(!fontframes::isWriteReplyValid(write + "\r\nNG\r\n"));
        QVERIFY(!fontframes::isWriteReplyValid(ok.left(80)));
        QVERIFY(!fontframes::isWriteReplyValid(ok + "\r"));
    }

    void readReplies() {
        const QByteArray good = readReply(2, cornerDigits());
        QCOMPARE(good.size(), 143);
        QVERIFY(fontframes::isReadReplyValid(good));
        const std::optional<FontChar> character = fontframes::replyCharacter(good);
        QVERIFY(character);
        QVERIFY(character->dot(0, 0) && character->dot(15, 15));
        QVERIFY(!character->dot(0, 1)); // the "FF" of the second half are ignored

        QVERIFY(!fontframes::isReadReplyValid(good.left(142)));
        QVERIFY(!fontframes::isReadReplyValid(good + 'x'));
        QByteArray swapped = good;
        swapped[141] = '\n';
        swapped[142] = '\r';
        QVERIFY(!fontframes::isReadReplyValid(swapped));

        // A garbled digit of the character is refused; one in the ignored
        // half is not.
        for (const char bad : {'a', 'G', ' ', '\0'}) {
            QByteArray garbled = good;
            garbled[13 + 63] = bad;
            QVERIFY(!fontframes::isReadReplyValid(garbled));
            QVERIFY(!fontframes::replyCharacter(garbled));
        }
        QByteArray laterHalf = good;
        laterHalf[13 + 64] = 'z';
        QVERIFY(fontframes::isReadReplyValid(laterHalf));

        // The single read takes its reply at 79 bytes: enough for the character.
        const QByteArray early = good.left(fontframes::SingleReadReplyLength);
        QCOMPARE(fontframes::replyCharacter(early), character);
        QVERIFY(!fontframes::replyCharacter(good.left(76)));
    }

    void layoutOfAnEmptyFontAndARoundTripThroughDisk() {
        const QByteArray bytes =
            fontfile::fileBytes(FontStore::Characters{}, QStringLiteral("Save Date and Time x y"));
        QCOMPARE(bytes.count('\n'), 138);
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        QCOMPARE(lines[0], QByteArray("Save Date and Time x y\r"));
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(lines[1 + 17 * k], QByteArray::number(k) + '\r');
            for (int r = 0; r < 16; ++r)
                QCOMPARE(lines[2 + 17 * k + r], Zeros + '\r');
        }
        QCOMPARE(lines[137], QByteArray("File End"));
        QVERIFY(bytes.endsWith("File End\r\n"));
        QVERIFY(
            fontfile::headerLine(QDateTime::currentDateTime()).startsWith("Save Date and Time "));

        // Saved over an old file and read back into a lit store: the same font.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glyphs.FK4"));
        FontStore saved;
        saved.setDot(0, 0, 0, true);
        saved.setDot(3, 15, 15, true);
        saved.fillRect(7, 2, 3, 11, 9, true);
        QVERIFY(test::writeFile(path, "old content"));
        QVERIFY(fontfile::writeFontFile(path, saved.characters()).ok);
        FontStore loaded;
        loaded.setCharacters(allLit());
        const fontfile::ReadResult read = fontfile::readFontFile(path, loaded);
        QVERIFY2(read.ok(), qPrintable(read.describe()));
        QVERIFY(loaded.characters() == saved.characters());
    }

    void readingRules() {
        QList<QByteArray> lines{"File End", "8", "9", ""};         // outside blocks: ignored
        lines += block("5", "1210 x" + QByteArray(10, '1'));       // fills character 0
        QList<QByteArray> second = block("x", "1111");             // a letter counts as 0
        second[2] = "\x82\xa0" + QByteArray(14, '1') + "\x82\xa0"; // 16 characters, 18 bytes
        second[3] = QByteArray(17, '0'); // seventeen characters: the row is kept too
        lines += second;
        lines += block("7", QByteArray(16, '1'));
        const QByteArray content = fileOf(lines);

        FontStore::Characters start = allLit();
        const fontfile::ParseResult parsed = fontfile::parseFontFile(content, start);
        QVERIFY2(parsed.result.ok(), qPrintable(parsed.result.describe()));
        const FontChar& first = parsed.characters[0];
        QVERIFY(first.dot(0, 0));  // "1"
        QVERIFY(first.dot(0, 1));  // "2" keeps the lit dot
        QVERIFY(!first.dot(0, 3)); // "0"
        QVERIFY(!first.dot(0, 4)); // blank
        QVERIFY(!first.dot(0, 5)); // letter
        QVERIFY(first.dot(0, 6) && !first.dot(1, 0));
        const FontChar& next = parsed.characters[1];
        QVERIFY(next.dot(0, 0) && next.dot(0, 15)); // four characters: the row is kept
        QVERIFY(!next.dot(1, 0) && next.dot(1, 1) && !next.dot(1, 15));
        QVERIFY(next.dot(2, 0) && next.dot(2, 15));
        QVERIFY(parsed.characters[2].dot(0, 9) && !parsed.characters[2].dot(1, 9));
        for (int k = 3; k < 8; ++k) // not in the file: as they were
            QVERIFY(parsed.characters[size_t(k)] == start[size_t(k)]);

        // Lines ended by LF alone read the same.
        QByteArray unixLines = content;
        unixLines.replace("\r\n", "\n");
        QVERIFY(fontfile::parseFontFile(unixLines, start).characters == parsed.characters);
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QList<QByteArray> nine;
        for (int k = 0; k < 9; ++k)
            nine += block(QByteArray::number(k % 8));
        QTest::newRow("ninth block") << fileOf(nine) << 2 + 8 * 17 << "ninth";
        QList<QByteArray> cut = block("0") + block("1");
        cut.removeLast(); // the last row of character 1 is missing
        QTest::newRow("ends inside a block") << fileOf(cut) << 1 + 33 << "ends inside";
        QTest::newRow("no block") << fileOf({"hello", "File End"}) << 0 << "no character";
        QTest::newRow("empty file") << QByteArray() << 0 << "no character";
        QTest::newRow("only the header says 0") << QByteArray("0\r\n") << 0 << "no character";
    }
    void refusedFiles() {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.FK4"));
        QVERIFY(test::writeFile(path, content));
        FontStore store;
        store.setCharacters(allLit());
        const fontfile::ReadResult read = fontfile::readFontFile(path, store);
        QCOMPARE(read.status, fontfile::ReadStatus::Malformed);
        QCOMPARE(read.line, line);
        QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
        QVERIFY(store.characters() == allLit());
    }

    void theExtensionDecidesInAnyCase() {
        QTemporaryDir dir;
        const QByteArray content = fileOf(block("0", QByteArray(16, '1')));
        FontStore store;
        QVERIFY(test::writeFile(dir.filePath("glyphs.fk4"), content));
        QVERIFY(fontfile::readFontFile(dir.filePath("glyphs.fk4"), store).ok());
        QVERIFY(store.dot(0, 0, 15));
        store.clearAll();
        QVERIFY(test::writeFile(dir.filePath("glyphs.txt"), content));
        const fontfile::ReadResult wrong =
            fontfile::readFontFile(dir.filePath("glyphs.txt"), store);
        QCOMPARE(wrong.status, fontfile::ReadStatus::WrongExtension);
        QCOMPARE(wrong.reason, QStringLiteral("This File don't Open"));
        QCOMPARE(fontfile::readFontFile(dir.filePath("none.FK4"), store).status,
                 fontfile::ReadStatus::CannotOpen);
        QVERIFY(store.character(0).isBlank());
    }
};

QTEST_GUILESS_MAIN(TestFontData)
#include "tst_font_data.moc"
