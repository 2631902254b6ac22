#include "font/font_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

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

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestFontFile : public QObject {
    Q_OBJECT
private slots:
    void emptyFontLayout() {
        const QByteArray bytes =
            fontfile::fileBytes(FontStore::Characters{}, QStringLiteral("Save Date and Time x y"));
        QCOMPARE(bytes.count("\r\n"), 138);
        QCOMPARE(bytes.count('\n'), 138);
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        QCOMPARE(lines.size(), 138);
        QCOMPARE(lines[0], QByteArray("Save Date and Time x y\r"));
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(lines[1 + 17 * k], QByteArray::number(k) + '\r');
            for (int r = 0; r < 16; ++r)
                QCOMPARE(lines[2 + 17 * k + r], Zeros + '\r');
        }
        QCOMPARE(lines[137], QByteArray("File End"));
        const QString header = fontfile::headerLine(QDateTime::currentDateTime());
        QVERIFY(header.startsWith(QStringLiteral("Save Date and Time ")));
    }

    void roundTripThroughDisk() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glyphs.FK4"));
        FontStore saved;
        saved.setDot(0, 0, 0, true);
        saved.setDot(3, 15, 15, true);
        saved.fillRect(7, 2, 3, 11, 9, true);
        writeBytes(path, "old content");
        const fontfile::SaveResult save = fontfile::writeFontFile(path, saved.characters());
        QVERIFY2(save.ok, qPrintable(save.error));

        FontStore loaded;
        loaded.setCharacters(allLit());
        const fontfile::ReadResult read = fontfile::readFontFile(path, loaded);
        QVERIFY2(read.ok(), qPrintable(read.describe()));
        QVERIFY(loaded.characters() == saved.characters());

        const fontfile::SaveResult nowhere = fontfile::writeFontFile(
            dir.filePath(QStringLiteral("missing/glyphs.FK4")), saved.characters());
        QVERIFY(!nowhere.ok);
        QVERIFY(!nowhere.error.isEmpty());
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
        writeBytes(path, content);
        FontStore store;
        store.setCharacters(allLit());
        const fontfile::ReadResult read = fontfile::readFontFile(path, store);
        QCOMPARE(read.status, fontfile::ReadStatus::Malformed);
        QCOMPARE(read.line, line);
        QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
        QVERIFY(store.characters() == allLit());
    }

    void fileNames() {
        QTemporaryDir dir;
        const QByteArray content = fileOf(block("0", QByteArray(16, '1')));
        FontStore store;
        const QString lower = dir.filePath(QStringLiteral("glyphs.fk4"));
        writeBytes(lower, content);
        QVERIFY(fontfile::readFontFile(lower, store).ok());
        QVERIFY(store.dot(0, 0, 15));

        store.clearAll();
        const QString other = dir.filePath(QStringLiteral("glyphs.txt"));
        writeBytes(other, content);
        const fontfile::ReadResult wrong = fontfile::readFontFile(other, store);
        QCOMPARE(wrong.status, fontfile::ReadStatus::WrongExtension);
        QCOMPARE(wrong.reason, QStringLiteral("This File don't Open"));
        const fontfile::ReadResult missing =
            fontfile::readFontFile(dir.filePath(QStringLiteral("none.FK4")), store);
        QCOMPARE(missing.status, fontfile::ReadStatus::CannotOpen);
        QVERIFY(store.character(0).isBlank());
    }
};

QTEST_GUILESS_MAIN(TestFontFile)
#include "tst_font_file.moc"
