#include "font/font_frames.h"

#include <QtTest>

using namespace rz;

namespace {

// The receiver's answer to a read of character k: echo, CR LF, 128 digits,
// CR LF.
QByteArray readReply(int k, const QByteArray& digits) {
    return fontframes::readFrame(k) + "\r\n" + digits + "\r\n";
}

QByteArray cornerDigits() {
    return "01" + QByteArray(60, '0') + "80" + QByteArray(64, 'F');
}

} // namespace

class TestFontFrames : public QObject {
    Q_OBJECT
private slots:
    void frameBytes() {
        QCOMPARE(fontframes::readFrame(0), QByteArray("ZT~F01000R\r"));
        QCOMPARE(fontframes::readFrame(3), QByteArray("ZT~F01060R\r"));
        QCOMPARE(fontframes::readFrame(7), QByteArray("ZT~F010E0R\r"));

        FontChar topLeft;
        topLeft.setDot(0, 0, true);
        const QByteArray write = fontframes::writeFrame(7, topLeft);
        QCOMPARE(write, "ZT~F010E0W01" + QByteArray(62, '0') + "\r");
        QCOMPARE(write.size(), fontframes::WriteFrameLength);
        QCOMPARE(fontframes::WriteReplyLength, 81);

        FontChar bottomRight;
        bottomRight.setDot(15, 15, true);
        QCOMPARE(fontframes::writeFrame(2, bottomRight),
                 "ZT~F01040W" + QByteArray(62, '0') + "80\r");
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

    void writeReplies() {
        const QByteArray frame = fontframes::writeFrame(1, FontChar());
        const QByteArray ok = frame + "\r\nOK\r\n";
        QCOMPARE(ok.size(), 81);
        QVERIFY(fontframes::isWriteReplyValid(ok));
        QVERIFY(!fontframes::isWriteReplyValid(frame + "\r\nNG\r\n"));
        QVERIFY(!fontframes::isWriteReplyValid(ok.left(80)));
        QVERIFY(!fontframes::isWriteReplyValid(ok + "\r"));
    }
};

QTEST_GUILESS_MAIN(TestFontFrames)
#include "tst_font_frames.moc"
