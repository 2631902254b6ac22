#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;
using namespace rz::settings;

namespace {
QByteArray readReply(const QByteArray& digits) {
    return QByteArray("ZT~F001A0R\r\r\n") + digits.leftJustified(128, '0') + "\r\n";
}
} // namespace

class TestSettingsImage : public QObject {
    Q_OBJECT
private slots:
    void resetGivesTheResetPositionsAndKeepsTheImage() {
        SettingsImage settings;
        QVERIFY(settings.storeBlock(1, QByteArray(64, '\x05')));
        QVERIFY(!settings.storeBlock(3, QByteArray(64, '\x05')));
        QVERIFY(!settings.storeBlock(0, QByteArray(63, '\x05')));
        settings.setTitle(QStringLiteral("HELLO"));
        QVERIFY(settings.setPosition({Group::Misc, 1}, 30));
        settings.reset();
        QCOMPARE(settings.position(OperationStatus), 2);
        QCOMPARE(settings.position({Group::Misc, 1}), 10);
        QCOMPARE(settings.position({Group::Misc, 4}), 3);
        QCOMPARE(settings.position({Group::Misc, 15}), 1);
        QCOMPARE(settings.position({Group::Misc, 16}), 1);
        QCOMPARE(settings.position(WildKey), 7);
        QCOMPARE(settings.position(MoniKey), 8);
        QCOMPARE(settings.position({Group::Key, 0}), 4);
        QCOMPARE(settings.position({Group::Display, 3}), 5);
        QCOMPARE(settings.position({Group::Power, 1}), 3);
        QCOMPARE(settings.position(RemoteKeyA), 0);
        QVERIFY(settings.title().isEmpty());
        QCOMPARE(settings.byte(64), quint8(5));
        QCOMPARE(settings.byte(0), quint8(0));
    }

    void positionsOutsideTheEntriesAreRefused() {
        SettingsImage settings;
        QVERIFY(!settings.setPosition({Group::Misc, 1}, 31));
        QVERIFY(!settings.setPosition({Group::Misc, 1}, -1));
        QVERIFY(!settings.setPosition({Group::Misc, 17}, 0)); // pairs 17..23 have no list
        Positions p = settings.positions();
        p[size_t(flatIndex(LanguageList))] = 1;
        p[size_t(flatIndex(WildKey))] = 41;
        QVERIFY(!settings.setPositions(p)); // nothing of it applied
        QCOMPARE(settings.position(LanguageList), 0);
        QCOMPARE(settings.vocabulary(), Language::English);
    }

    void theLanguageListSwitchesTheVocabularyOnce() {
        SettingsImage settings;
        QSignalSpy spy(&settings, &SettingsImage::vocabularyChanged);
        QVERIFY(settings.setPosition(LanguageList, 1));
        QVERIFY(settings.setPosition(LanguageList, 1));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(settings.vocabulary(), Language::Japanese);
        settings.reset();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(settings.vocabulary(), Language::English);

        // A receiver whose language is Japanese switches on reading; the
        // positions stay as decoded.
        QByteArray image(SettingsImage::Size, '\0');
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            encodeBlock(resetPositions(), image, b);
        image[64] = 1;
        image[4] = 7;
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            settings.storeBlock(b, image.mid(b * 64, 64));
        QVERIFY(DecodeSettings(settings).empty());
        QCOMPARE(settings.vocabulary(), Language::Japanese);
        QCOMPARE(settings.position({Group::Misc, 3}), 7);
        QCOMPARE(spy.count(), 3);
    }

    void detAndIqAreNeverBothOffered() {
        SettingsImage settings;
        QVERIFY(settings.setPosition(DetOutput, 1));
        QVERIFY(settings.isEnabled(IqOutput)); // only leaving the list decides
        settings.leaveList(DetOutput);
        QVERIFY(!settings.isEnabled(IqOutput));
        QVERIFY(settings.setPosition(DetOutput, 0));
        settings.leaveList(DetOutput);
        QVERIFY(settings.isEnabled(IqOutput));

        // A file that sets both: both go back to "Disable" and stay offered.
        QVERIFY(settings.setPosition(DetOutput, 1));
        QVERIFY(settings.setPosition(IqOutput, 1));
        settings.settleDetAndIq();
        QCOMPARE(settings.position(DetOutput), 0);
        QCOMPARE(settings.position(IqOutput), 0);
        QVERIFY(settings.isEnabled(DetOutput) && settings.isEnabled(IqOutput));
        QVERIFY(settings.setPosition(IqOutput, 1));
        settings.settleDetAndIq();
        QVERIFY(!settings.isEnabled(DetOutput) && settings.isEnabled(IqOutput));
    }

    void openingMessageFrameAndReply() {
        // "ABC", "Slide": three slots, thirteen empty ones, style 01, then 00.
        const QByteArray frame = opening::writeFrame(QStringLiteral("ABC"), opening::StyleSlide);
        QCOMPARE(frame, QByteArray("ZT~F001A0W410042004300") + QByteArray(52, '0') + "0100\r");
        QCOMPARE(frame.size(), opening::WriteFrameLength);
        // A double-byte character: lead byte high, trail byte low ("日" is 0x93FA).
        QVERIFY(opening::writeFrame(QStringLiteral("日"), 0).startsWith("ZT~F001A0WFA93"));

        const QString title = QStringLiteral("A日 Z");
        QByteArray digits = frame.mid(10, 68);
        digits.replace(0, 64, opening::writeFrame(title, 0).mid(10, 64));
        opening::Read read = opening::decodeReply(readReply(digits));
        QCOMPARE(read.text, title);
        QCOMPARE(read.style, opening::StyleSlide);
        for (const char digit : {'2', 'X', '\0'}) {
            digits[65] = digit;
            QCOMPARE(opening::decodeReply(readReply(digits)).style, opening::StyleDisable);
        }
        digits[65] = '0';
        QCOMPARE(opening::decodeReply(readReply(digits)).style, opening::StyleStill);
        QCOMPARE(opening::decodeReply(QByteArray("ZT~F001A0R")).style, opening::StyleDisable);
    }

    void theMessageKeepsSixteenCharacters() {
        SettingsImage settings;
        settings.setTitle(QStringLiteral("0123456789ABCDEFGH"));
        QCOMPARE(settings.title(), QStringLiteral("0123456789ABCDEF"));
        // A character outside the basic plane counts as one character.
        const QString wide = QString(15, QLatin1Char('x')) + QString::fromUcs4(U"\U0001F600y");
        settings.setTitle(wide);
        QCOMPARE(settings.title(), wide.chopped(1));
        QCOMPARE(opening::slotBytes(wide).size(), opening::SlotBytes);
        QCOMPARE(opening::slotBytes(wide).at(30), '?'); // not in the code page
    }
};

QTEST_GUILESS_MAIN(TestSettingsImage)
#include "tst_settings_image.moc"
