// The settings lists: their entries and captions in both languages, the
// receiver's special codings of the lists, the bytes no list owns, reset,
// refused positions and the opening message.
#include "settings/function_tables.h"
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"
#include "settings/vocabulary.h"

#include <QtTest>
#include <map>

using namespace rz;
using namespace rz::settings;

namespace {

int pos(const Positions& p, ListId id) {
    return p[size_t(flatIndex(id))];
}

// Every list at a position of its own, different from its reset position
// where the list has more than one entry.
Positions spreadPositions() {
    Positions p = resetPositions();
    int n = 0;
    for (ListId id : allLists())
        p[size_t(flatIndex(id))] = (resetPosition(id) + 1 + n++) % entryCount(id);
    return p;
}

// The bytes of a receiver whose lists are all at their reset positions.
QByteArray resetImage() {
    QByteArray image(SettingsImage::Size, '\0');
    for (int b = 0; b < SettingsImage::BlockCount; ++b)
        encodeBlock(resetPositions(), image, b);
    return image;
}

QByteArray readReply(const QByteArray& digits) {
    return QByteArray("ZT~F1FE01R\r\r\n") + digits.leftJustified(128, '0') + "\r\n";
}
QByteArray messageReply(const QByteArray& digits) {
    return QByteArray("ZT~F001A0R\r\r\n") + digits.leftJustified(128, '0') + "\r\n";
}

QString t(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

class TestSettingsLists : public QObject {
    Q_OBJECT
private slots:
    void decodesTheSpecialCodings() {
        QByteArray image = resetImage();
        image[67] = 0, image[63] = 5;  // dual/SUB
        image[101] = 2;                // high cut Off, low cut On
        image[6] = 4, image[61] = 1;   // a mode the list does not show; show "Preset"
        image[7] = 2;                  // "Memory"
        image[77] = 1, image[79] = 0;  // dial ring position 3
        image[55] = char(102);         // "language"
        image[130] = 7;                // "Carrier cancel"
        image[134] = 3, image[74] = 6; // tune "3", contrast " 6"
        image[93] = 10, image[50] = 1; // gain "10", bug sensitivity "1"
        image[82] = 1, image[81] = 0;  // bar antenna is read from byte 82
        image[46] = 3, image[65] = 7;  // illumination is read from byte 46 only
        image[57] = 2, image[58] = 0;  // scan speed from byte 57 only
        Positions p = resetPositions();
        QVERIFY(decodePositions(image, p).empty());
        const std::pair<ListId, int> shown[] = {{OperationStatus, 3},  {AudioHighCut, 0},
                                                {AudioLowCut, 1},      {OperationModeMain, 1},
                                                {OperationModeSub, 1}, {DialRing, 3},
                                                {WildKey, 7},          {{Group::Remocon, 3}, 22},
                                                {{Group::Recv, 5}, 2}, {{Group::Display, 3}, 5},
                                                {{Group::Misc, 7}, 9}, {{Group::Misc, 16}, 0},
                                                {BarAntenna, 1},       {Illumination, 3},
                                                {ScanSpeed, 2}};
        for (const auto& [id, position] : shown)
            QVERIFY2(pos(p, id) == position, qPrintable(settings::objectName(id)));

        // Single band: MAIN or SUB by byte 63; byte 6 and 61 both unshown: "VFO".
        image[67] = 9, image[63] = 0, image[61] = 3;
        image[7] = 1;
        QVERIFY(decodePositions(image, p).empty());
        QCOMPARE(pos(p, OperationStatus), 0);
        QCOMPARE(pos(p, OperationModeMain), 0);
        QCOMPARE(pos(p, OperationModeSub), 0);
    }

    void valuesTheListsDoNotShowKeepPositionsAndAreReported() {
        Positions p = resetPositions();
        p[size_t(flatIndex(AudioHighCut))] = 1;
        QByteArray image = resetImage();
        image[101] = 5;         // no such pair: both cut lists stay
        image[55] = char(200);  // no such key function: the list stays
        image[2] = 40;          // volume 40 is beyond "30"
        image[93] = 0;          // gain is stored + 1: 0 names nothing
        image[64] = char(0xFF); // language
        const std::vector<ListId> failed = decodePositions(image, p);
        QCOMPARE(pos(p, AudioHighCut), 1);
        QCOMPARE(pos(p, WildKey), resetPosition(WildKey));
        QCOMPARE(pos(p, (ListId{Group::Misc, 1})), resetPosition({Group::Misc, 1}));
        const std::vector<ListId> expected{{Group::Misc, 1}, {Group::Misc, 7}, LanguageList};
        QCOMPARE(failed.size(), expected.size());
        for (ListId id : expected)
            QVERIFY(std::find(failed.begin(), failed.end(), id) != failed.end());

        // Every byte at its largest value, and images of the wrong size: every
        // list still shows one of its entries.
        for (const QByteArray& bad :
             {QByteArray(SettingsImage::Size, char(0xFF)), QByteArray(), QByteArray(300, '\x07')}) {
            Positions q = resetPositions();
            decodePositions(bad, q);
            for (ListId id : allLists())
                QVERIFY(pos(q, id) >= 0 && pos(q, id) < entryCount(id));
        }
    }

    void encodesTheSpecialCodings() {
        QByteArray image(SettingsImage::Size, '\0');
        image[6] = 4;
        Positions p = resetPositions();
        // OperationStatus 1: single/SUB.
        const std::pair<ListId, int> set[] = {
            {OperationStatus, 1}, {OperationModeMain, 2}, {OperationModeSub, 1},
            {AudioHighCut, 1},    {AudioLowCut, 1},       {DialRing, 2},
            {Illumination, 3},    {ScanSpeed, 2},         {BarAntenna, 1}};
        for (const auto& [id, position] : set)
            p[size_t(flatIndex(id))] = position;
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            encodeBlock(p, image, b);
        // Byte 6 keeps its unshown mode and byte 61 takes the list; the rest
        // from reset positions: "language", "Illumination", tune "2", contrast " 6".
        const std::pair<int, int> bytes[] = {
            {67, 1}, {63, 1}, {6, 4},  {61, 2}, {7, 2},  {101, 3},  {77, 1},  {79, 1},  {46, 3},
            {65, 3}, {57, 2}, {58, 2}, {81, 1}, {82, 1}, {55, 102}, {80, 24}, {134, 2}, {74, 6}};
        for (const auto& [index, value] : bytes)
            QVERIFY2(quint8(image[index]) == value, qPrintable(QString::number(index)));

        // A shown mode in byte 6 takes the list there and leaves byte 61.
        image[6] = 1, image[61] = 9;
        encodeBlock(p, image, 0);
        QCOMPARE(int(image[6]), 2);
        QCOMPARE(int(image[61]), 9);
    }

    void aBlockWritesOnlyItsOwnBytes() {
        SettingsImage settings;
        const QByteArray frame = EncodeSettingsBlock(settings, 2);
        // Remote keys 1..3 "Active band" (21), tune "2", name display 1, S-meter 0.
        const QByteArray digits = QByteArray("151515") + "000000" + "02" + "0000" + "01" + "00";
        QCOMPARE(frame, QByteArray("ZT~F00080W") + digits.leftJustified(128, '0') + "\r");
        QCOMPARE(frame.size(), 139);
        QByteArray image(SettingsImage::Size, '\0');
        encodeBlock(resetPositions(), image, 2);
        QCOMPARE(image.left(128), QByteArray(128, '\0')); // remote key 0 lies in block 1

        QVERIFY(EncodeSettingsBlock(settings, 1).startsWith("ZT~F00040W"));
        QCOMPARE(settings.byte(127), quint8(21));
        QCOMPARE(settings.byte(65), quint8(1));
        QCOMPARE(settings.byte(67), quint8(0)); // dual/MAIN
        QVERIFY(EncodeSettingsBlock(settings, 3).isEmpty());
    }

    void roundTripKeepsEveryListAndEveryByteNoListOwns() {
        SettingsImage settings;
        QByteArray image(SettingsImage::Size, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(0xA0 + i % 7);
        image[6] = 0;
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            QVERIFY(settings.storeBlock(b, image.mid(b * 64, 64)));
        const Positions wanted = spreadPositions();
        QVERIFY(settings.setPositions(wanted));
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            EncodeSettingsBlock(settings, b);
        for (int i : {0, 1, 8, 20, 31, 33, 60, 62, 66, 102, 110, 120, 131, 139, 191})
            QCOMPARE(settings.byte(i), quint8(image[i]));

        settings.reset();
        QVERIFY(DecodeSettings(settings).empty());
        for (ListId id : allLists()) {
            if (id == Overwrite || id == WelcomeStyle) // not kept in the image
                continue;
            QCOMPARE(settings.position(id), pos(wanted, id));
        }
    }

    void overwriteComesFromTheWriteProtectionReply() {
        SettingsImage settings;
        QVERIFY(ApplyWriteProtection(settings, readReply("02")));
        QCOMPARE(settings.position(Overwrite), 2);
        QVERIFY(ApplyWriteProtection(settings, readReply("0 ")));
        QCOMPARE(settings.position(Overwrite), 0);
        // A digit that names no entry, and a short reply, leave the list.
        QVERIFY(!ApplyWriteProtection(settings, readReply("01").replace(14, 1, "7")));
        QVERIFY(!ApplyWriteProtection(settings, readReply("0F")));
        QVERIFY(!ApplyWriteProtection(settings, QByteArray("ZT~F1FE01R\r\r\n0")));
        QCOMPARE(settings.position(Overwrite), 0);
    }

    void resetGivesTheResetPositionsAndKeepsTheImage() {
        SettingsImage settings;
        QVERIFY(settings.storeBlock(1, QByteArray(64, '\x05')));
        QVERIFY(!settings.storeBlock(3, QByteArray(64, '\x05')));
        QVERIFY(!settings.storeBlock(0, QByteArray(63, '\x05')));
        settings.setTitle(QStringLiteral("HELLO"));
        QVERIFY(settings.setPosition({Group::Misc, 1}, 30));
        settings.reset();
        const std::pair<ListId, int> reset[] = {
            {OperationStatus, 2},   {{Group::Misc, 1}, 10}, {{Group::Misc, 4}, 3},
            {{Group::Misc, 15}, 1}, {{Group::Misc, 16}, 1}, {WildKey, 7},
            {MoniKey, 8},           {{Group::Key, 0}, 4},   {{Group::Display, 3}, 5},
            {{Group::Power, 1}, 3}, {RemoteKeyA, 0}};
        for (const auto& [id, position] : reset)
            QVERIFY2(settings.position(id) == position, qPrintable(settings::objectName(id)));
        QVERIFY(settings.title().isEmpty());
        QCOMPARE(settings.byte(64), quint8(5));

        // Positions outside the entries are refused, a set of them wholly.
        QVERIFY(!settings.setPosition({Group::Misc, 1}, 31));
        QVERIFY(!settings.setPosition({Group::Misc, 1}, -1));
        QVERIFY(!settings.setPosition({Group::Misc, 17}, 0)); // pairs 17..23 have no list
        Positions p = settings.positions();
        p[size_t(flatIndex(LanguageList))] = 1;
        p[size_t(flatIndex(WildKey))] = 41;
        QVERIFY(!settings.setPositions(p));
        QCOMPARE(settings.position(LanguageList), 0);
        QCOMPARE(settings.vocabulary(), Language::English);
    }

    void openingMessageFrameReplyAndSixteenCharacters() {
        // "ABC", "Slide": three slots, thirteen empty ones, style 01, then 00.
        const QByteArray frame = opening::writeFrame(QStringLiteral("ABC"), opening::StyleSlide);
        QCOMPARE(frame, QByteArray("ZT~F001A0W410042004300") + QByteArray(52, '0') + "0100\r");
        QCOMPARE(frame.size(), opening::WriteFrameLength);
        // A double-byte character: lead byte high, trail byte low ("日" is 0x93FA).
        QVERIFY(opening::writeFrame(QStringLiteral("日"), 0).startsWith("ZT~F001A0WFA93"));

        const QString title = QStringLiteral("A日 Z");
        QByteArray digits = frame.mid(10, 68);
        digits.replace(0, 64, opening::writeFrame(title, 0).mid(10, 64));
        const auto reply = [&] { return messageReply(digits); };
        QCOMPARE(opening::decodeReply(reply()).text, title);
        QCOMPARE(opening::decodeReply(reply()).style, opening::StyleSlide);
        for (const char digit : {'2', 'X', '\0'}) {
            digits[65] = digit;
            QCOMPARE(opening::decodeReply(reply()).style, opening::StyleDisable);
        }
        digits[65] = '0';
        QCOMPARE(opening::decodeReply(reply()).style, opening::StyleStill);
        QCOMPARE(opening::decodeReply(QByteArray("ZT~F001A0R")).style, opening::StyleDisable);

        // Sixteen characters are kept; one outside the basic plane counts as
        // one, and is sent as "?".
        SettingsImage settings;
        settings.setTitle(QStringLiteral("0123456789ABCDEFGH"));
        QCOMPARE(settings.title(), QStringLiteral("0123456789ABCDEF"));
        const QString wide = QString(15, QLatin1Char('x')) + QString::fromUcs4(U"\U0001F600y");
        settings.setTitle(wide);
        QCOMPARE(settings.title(), wide.chopped(1));
        QCOMPARE(opening::slotBytes(wide).size(), opening::SlotBytes);
        QCOMPARE(opening::slotBytes(wide).at(30), '?');
    }

    void everyListHasItsEntriesInBothLanguages() {
        QCOMPARE(int(allLists().size()), ListCount);
        QCOMPARE(ListCount, 59);
        for (ListId id : allLists()) {
            const QStringList english = entries(id, Language::English);
            const QStringList japanese = entries(id, Language::Japanese);
            QCOMPARE(english.size(), entryCount(id));
            QCOMPARE(japanese.size(), entryCount(id));
            QVERIFY(!english.contains(QString()) && !japanese.contains(QString()));
            QVERIFY(!caption(id, Language::English).isEmpty());
            QVERIFY(!caption(id, Language::Japanese).isEmpty());
            QVERIFY(resetPosition(id) < entryCount(id));
            if (isFixed(id))
                QCOMPARE(english, japanese);
            ListId found{Group::Misc, 0};
            QVERIFY(findList(settings::objectName(id), found) && found == id);
        }
        ListId none{};
        QVERIFY(!findList(QStringLiteral("Setting_misc(17)"), none));
        QVERIFY(!findList(QStringLiteral("Set_Mode_Key(6"), none));
    }

    void entriesAsTabled() {
        const QStringList scan = entries({Group::Scan, 3}, Language::English);
        QCOMPARE(scan.at(1), QStringLiteral("  1sec. timer"));
        QCOMPARE(scan.at(25), QStringLiteral(" 25sec. timer"));
        QCOMPARE(scan.at(35), QStringLiteral("1.5min. elapse"));
        QCOMPARE(entries({Group::Scan, 3}, Language::Japanese).at(1), t(" 1秒(ﾀｲﾏｰｽｷｬﾝ)"));
        QCOMPARE(entries({Group::Scan, 1}, Language::English).first(), QStringLiteral(" 5sec."));
        QCOMPARE(entries({Group::Scan, 2}, Language::Japanese).last(), t("25秒"));
        QCOMPARE(entries({Group::Display, 6}, Language::Japanese).mid(1, 1),
                 QStringList{QStringLiteral(" 10ms.")});
        QCOMPARE(entries({Group::Display, 6}, Language::English).last(), QStringLiteral("200ms."));
        QCOMPARE(entries({Group::Display, 1}, Language::Japanese).at(1), t(" 5秒"));
        QCOMPARE(entries({Group::Display, 3}, Language::English).first(), QStringLiteral(" 1"));
        QCOMPARE(entries(DialRing, Language::English).at(2),
                 QString::fromUtf8("Squelch:\u2191\u3000Freq:\u2193"));
        QCOMPARE(entries({Group::Key, 4}, Language::Japanese).first(), t("左:ﾒｲﾝ  ｻﾌﾞ:右"));
        QCOMPARE(entries({Group::Misc, 1}, Language::Japanese).last(), QStringLiteral("30"));
        QCOMPARE(entries(WildKey, Language::Japanese).at(7), t("language／言語"));
        QCOMPARE(entries(RemoteKeyA, Language::English).at(22), QStringLiteral("Carrier cancel"));
        QCOMPARE(caption({Group::Display, 2}, Language::Japanese), t("非操作側  表示サイズ"));
        QCOMPARE(caption(LanguageList, Language::English), t("language／言語"));

        // The stored function codes, by position.
        QCOMPARE(int(keyFunctions().at(7).code), 102);
        QCOMPARE(int(keyFunctions().at(8).code), 24);
        QCOMPARE(int(keyFunctions().at(40).code), 166);
        QCOMPARE(positionOfCode(remoteFunctions(), 7), 22);
        QCOMPARE(positionOfCode(keyFunctions(), 200), -1);
    }

    void applyVocabularyGivesEveryCaptionAndSwitchingList() {
        const VocabularyTexts japanese = ApplyVocabulary(1);
        QCOMPARE(japanese.language, Language::Japanese);
        QCOMPARE(ApplyVocabulary(7).language, Language::English);
        const std::map<QString, QString> captions(japanese.captions.begin(),
                                                  japanese.captions.end());
        QCOMPARE(int(captions.size()), 8 + 42 + 24 + 1);
        QCOMPARE(captions.at(QStringLiteral("Frame14")), t("≪受信設定≫"));
        QCOMPARE(captions.at(QStringLiteral("Frame1")), t("≪ﾘﾓｺﾝ設定≫"));
        QCOMPARE(captions.at(QStringLiteral("Label6")), t("キー番号"));
        QCOMPARE(captions.at(QStringLiteral("LabelRemocon(2)")), t("ﾘﾓｺﾝCﾎﾞﾀﾝ"));
        QCOMPARE(captions.at(QStringLiteral("Label_misc(16)")), t("BUGﾓｰﾄﾞの感度"));
        QVERIFY(captions.at(QStringLiteral("Label_misc(23)")).isEmpty());

        const VocabularyTexts english = ApplyVocabulary(0);
        QCOMPARE(english.captions.back().second, QStringLiteral("Key number"));
        QCOMPARE(int(english.lists.size()), ListCount - 4);
        for (const auto& [name, list] : english.lists) {
            ListId id{};
            QVERIFY(findList(name, id));
            QVERIFY(!isFixed(id));
            QCOMPARE(list, entries(id, Language::English));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsLists)
#include "tst_settings_lists.moc"
