#include "settings/settings_codec.h"
#include "settings/settings_image.h"

#include <QtTest>

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

} // namespace

class TestSettingsCodec : public QObject {
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
        QCOMPARE(pos(p, OperationStatus), 3);
        QCOMPARE(pos(p, AudioHighCut), 0);
        QCOMPARE(pos(p, AudioLowCut), 1);
        QCOMPARE(pos(p, OperationModeMain), 1);
        QCOMPARE(pos(p, OperationModeSub), 1);
        QCOMPARE(pos(p, DialRing), 3);
        QCOMPARE(pos(p, WildKey), 7);
        QCOMPARE(pos(p, (ListId{Group::Remocon, 3})), 22);
        QCOMPARE(pos(p, (ListId{Group::Recv, 5})), 2);
        QCOMPARE(pos(p, (ListId{Group::Display, 3})), 5);
        QCOMPARE(pos(p, (ListId{Group::Misc, 7})), 9);
        QCOMPARE(pos(p, (ListId{Group::Misc, 16})), 0);
        QCOMPARE(pos(p, BarAntenna), 1);
        QCOMPARE(pos(p, Illumination), 3);
        QCOMPARE(pos(p, ScanSpeed), 2);

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
        p[size_t(flatIndex(OperationStatus))] = 1; // single/SUB
        p[size_t(flatIndex(OperationModeMain))] = 2;
        p[size_t(flatIndex(OperationModeSub))] = 1;
        p[size_t(flatIndex(AudioHighCut))] = 1;
        p[size_t(flatIndex(AudioLowCut))] = 1;
        p[size_t(flatIndex(DialRing))] = 2;
        p[size_t(flatIndex(Illumination))] = 3;
        p[size_t(flatIndex(ScanSpeed))] = 2;
        p[size_t(flatIndex(BarAntenna))] = 1;
        for (int b = 0; b < SettingsImage::BlockCount; ++b)
            encodeBlock(p, image, b);
        QCOMPARE(int(image[67]), 1);
        QCOMPARE(int(image[63]), 1);
        QCOMPARE(int(image[6]), 4); // an unshown mode stays; byte 61 takes the list
        QCOMPARE(int(image[61]), 2);
        QCOMPARE(int(image[7]), 2);
        QCOMPARE(int(image[101]), 3);
        QCOMPARE(int(image[77]), 1);
        QCOMPARE(int(image[79]), 1);
        QCOMPARE(int(image[46]), 3);
        QCOMPARE(int(image[65]), 3);
        QCOMPARE(int(image[57]), 2);
        QCOMPARE(int(image[58]), 2);
        QCOMPARE(int(image[81]), 1);
        QCOMPARE(int(image[82]), 1);
        QCOMPARE(int(quint8(image[55])), 102); // reset "language"
        QCOMPARE(int(image[80]), 24);          // reset "Illumination"
        QCOMPARE(int(image[134]), 2);          // reset tune "2"
        QCOMPARE(int(image[74]), 6);           // reset contrast " 6"

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
};

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
