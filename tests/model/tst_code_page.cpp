// Code page 932 as the files and channel names use it. The Linux build
// converts with ICU, the Windows build with Windows' own tables; both must
// give the same bytes and the same text, down to the characters the two
// could map differently.
#include "model/code_page.h"

#include <QCryptographicHash>
#include <QtTest>

using namespace rz;

namespace {

QString chars(std::initializer_list<char32_t> codes) {
    QString text;
    for (char32_t c : codes)
        text += QString::fromUcs4(&c, 1);
    return text;
}

} // namespace

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void charactersWithMoreThanOneCandidate() {
        // The code page's own choices where Unicode has look-alikes.
        const struct {
            char32_t character;
            QByteArray bytes;
        } cases[] = {
            {0xFF5E, "\x81\x60"}, // fullwidth tilde, the code page's wave dash
            {0x2225, "\x81\x61"}, // parallel to
            {0xFFE2, "\x81\xCA"}, // fullwidth not sign
            {0x2252, "\x81\xE0"}, // also at 0x8790: the first one is written
            {0x2170, "\xFA\x40"}, // small roman numeral one: the later block
            {0xFFE4, "\xFA\x55"}, // fullwidth broken bar
            {0x2460, "\x87\x40"}, // circled one
            {0xFF71, "\xB1"},     // halfwidth katakana: one byte
            {0x5C, "\x5C"},       // backslash stays backslash
            {0x7E, "\x7E"},       {0xE000, "\xF0\x40"}, // the first user-defined character
        };
        for (const auto& c : cases) {
            QCOMPARE(cp932::encode(chars({c.character})), c.bytes);
            QCOMPARE(cp932::decode(c.bytes), chars({c.character}));
        }
        // Read, the duplicates keep their characters.
        QCOMPARE(cp932::decode("\x87\x90"), chars({0x2252}));
        QCOMPARE(cp932::decode("\xFA\x54"), chars({0xFFE2}));
        QCOMPARE(cp932::decode("\xED\x40"), chars({0x7E8A}));
        QCOMPARE(cp932::decode("\xEE\xEF"), chars({0x2170}));
    }

    void charactersTheCodePageLacksBecomeOneQuestionMarkEach() {
        // Never fitted to a look-alike (yen to backslash, wave dash to tilde).
        QCOMPARE(cp932::encode(chars({'a', 0xA5, 0x301C, 0xE9, 0x2016, 0x203E, 'b'})),
                 QByteArray("a?????b"));
        QCOMPARE(cp932::encode(chars({0x1F600, 'x', 0x20AC})), QByteArray("?x?"));
        QCOMPARE(cp932::charCode(0x1F600), quint16('?'));
        QCOMPARE(cp932::charByteLength(0xA5), 1);
        QCOMPARE(cp932::byteLength(chars({0x4E9C, 0xA5, 0xFF71})), 4);
    }

    void bytesThatAreNoCharacter() {
        const QChar sub(0x1A);
        QCOMPARE(cp932::decode("\x81\x20"), QString(sub) + ' '); // the next byte starts over
        QCOMPARE(cp932::decode("\x85\x40"), QString(QChar::ReplacementCharacter)); // unassigned
        QCOMPARE(cp932::decode("\xEB\x40"), QString(QChar::ReplacementCharacter));
        QCOMPARE(cp932::decode("\x80"), QString(sub));
        QCOMPARE(cp932::decode("\xA0"), QString(sub));
        QCOMPARE(cp932::decode("\xFD\xFE\xFF"), QString(3, sub));
        QCOMPARE(cp932::decode("A\x81"), QStringLiteral("A")); // half a character at the end
        QCOMPARE(cp932::decode(QByteArray("\0A", 2)), QString(QChar(0)) + 'A');
        // Control characters are themselves, both ways.
        const QByteArray controls("\x1A\x1C\x7F\x01", 4);
        QCOMPARE(cp932::decode(controls), chars({0x1A, 0x1C, 0x7F, 0x01}));
        QCOMPARE(cp932::encode(chars({0x1A, 0x1C, 0x7F, 0x01})), controls);
        QCOMPARE(cp932::fromCode(0x7F), chars({0x7F}));
        QCOMPARE(cp932::fromCode(0), QString());
        QCOMPARE(cp932::fromCode(0x8540), QString(QChar::ReplacementCharacter));
        QCOMPARE(cp932::fromCode(0x80), QString(QChar::ReplacementCharacter));
        QCOMPARE(cp932::fromCode(0x889F), chars({0x4E9C}));
        QCOMPARE(cp932::charCode(0x4E9C), quint16(0x889F));
    }

    // Every one- and two-byte code, read and written again: the same text
    // and bytes on every build (the digests were taken from the Linux one).
    void theWholeCodePageReadsAndWritesAlike() {
        QByteArray all;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                all += char(lead);
                all += char(trail);
            }
        }
        for (int b = 0x20; b <= 0xFF; ++b)
            if (b != 0x7F)
                all += char(b);
        const QString text = cp932::decode(all);
        const QByteArray again = cp932::encode(text);
        const auto digest = [](const QByteArray& bytes) {
            return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
        };
        QCOMPARE(digest(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)),
                 QByteArray("f40e628309981e0a"));
        QCOMPARE(digest(again), QByteArray("8cfc6fb0914c291a"));
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
