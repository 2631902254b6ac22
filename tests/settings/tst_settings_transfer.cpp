// The settings transfers against the simulated receiver, applied to a data
// set through the store sink as the window and the command-line tool do.
#include "link/sink_relays.h"
#include "model/data_set.h"
#include "model/memory_map.h"
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_transfer.h"
#include "support/radio_support.h"
#include "transfer/data_set_sink.h"

#include <QtTest>

using namespace rz;
using namespace rz::settings;
using rz::sim::Fault;

namespace {

const ListId VolumeMain{Group::Misc, 1};
const ListId MainGain{Group::Misc, 7};

// A simulated receiver, a data set and the sinks a transfer reports to.
struct Bench {
    test::SimLink t;
    DataSet data;
    DataSetSink store{data};
    SinkFan sinks{&store, &t.sink};

    Bench() { t.sim->setImage(sim::sampleImage()); }
    Outcome read(OpeningMessage message = OpeningMessage::With) {
        return ReadSettings(Region::E, message).run(t.link, sinks);
    }
    Outcome write(OpeningMessage message = OpeningMessage::With) {
        return WriteSettings(Region::E, settingsToWrite(data.settings), message).run(t.link, sinks);
    }
    QByteArray area() { return t.sim->memory(memmap::SettingsBlock0, SettingsImage::Size); }
    int byte(int index) { return quint8(area()[index]); }
};

// The lists a settings image shows, from reset positions.
Positions decoded(const QByteArray& area) {
    Positions p = resetPositions();
    decodePositions(area, p);
    return p;
}

bool sameUnownedBytes(const QByteArray& a, const QByteArray& b) {
    for (int i = 0; i < SettingsImage::Size; ++i)
        if ((i <= 1 || (i >= 8 && i <= 31) || (i >= 102 && i <= 120)) && a[i] != b[i])
            return false;
    return true;
}

} // namespace

class TestSettingsTransfer : public QObject {
    Q_OBJECT
private slots:
    void readShowsTheReceiverInItsLanguage() {
        Bench b;
        const Outcome o = b.read();
        QCOMPARE(o.kind, Outcome::Success);
        QVERIFY(o.showMessage);
        QVERIFY(o.detail.isEmpty());
        QCOMPARE(test::framesWithoutCr(*b.t.sim),
                 (QList<QByteArray>{"ZT~RZ-V70E", "ZT~F00000R", "ZT~F00040R", "ZT~F00080R",
                                    "ZT~F1FE01R", "ZT~RZ-V70E", "ZT~F001A0R"}));
        QCOMPARE(b.t.sink.texts, (QStringList{"10%", "20%", "35%", "50%", "50%", "100%"}));
        QCOMPARE(b.t.sink.maximums, QList<int>{100});

        const SettingsImage& s = b.data.settings;
        QCOMPARE(s.bytes(), b.area());
        QCOMPARE(s.vocabulary(), Language::Japanese);
        Positions expected = decoded(b.area());
        expected[size_t(flatIndex(Overwrite))] = 1;
        expected[size_t(flatIndex(WelcomeStyle))] = opening::StyleSlide;
        QVERIFY(s.positions() == expected);
        QVERIFY(s.positions() != resetPositions());
        QCOMPARE(s.title(), QString::fromUtf8("ﾖｳｺｿ RZ-V70"));

        // The Setting tab's read leaves the message alone.
        Bench without;
        QCOMPARE(without.read(OpeningMessage::Without).kind, Outcome::Success);
        QCOMPARE(without.t.sim->receivedCount(), 5);
        QVERIFY(without.data.settings.title().isEmpty());
    }

    void writeKeepsTheBytesNoListOwnsAndSendsTheMessage() {
        Bench b;
        const QByteArray before = b.area();
        SettingsImage& s = b.data.settings;
        QVERIFY(s.setPosition(VolumeMain, 30));
        QVERIFY(s.setPosition(DialRing, 1));
        QVERIFY(s.setPosition(WildKey, 40));
        QVERIFY(s.setPosition(WelcomeStyle, opening::StyleSlide));
        s.setTitle(QStringLiteral("ABC"));

        const Outcome o = b.write();
        QCOMPARE(o.kind, Outcome::Success);
        const QList<QByteArray> wire = b.t.sim->receivedFrames();
        QCOMPARE(wire.size(), 9);
        QCOMPARE(wire.mid(1, 3),
                 (QList<QByteArray>{"ZT~F00000R\r", "ZT~F00040R\r", "ZT~F00080R\r"}));
        QVERIFY(wire[4].startsWith("ZT~F00000W") && wire[5].startsWith("ZT~F00040W") &&
                wire[6].startsWith("ZT~F00080W"));
        QCOMPARE(wire[7], QByteArray("ZT~RZ-V70E\r"));
        QCOMPARE(wire[8], opening::writeFrame(QStringLiteral("ABC"), opening::StyleSlide));
        QCOMPARE(b.t.sink.texts,
                 (QStringList{"10%", "20%", "35%", "50%", "65%", "80%", "50%", "100%"}));

        // Every list as the user left it; every other byte as the receiver had it.
        const QByteArray after = b.area();
        QVERIFY(sameUnownedBytes(after, before));
        QVERIFY(after != before);
        const Positions shown = decoded(after);
        for (ListId id : allLists())
            if (id != Overwrite && id != WelcomeStyle)
                QCOMPARE(shown[size_t(flatIndex(id))], s.position(id));
        QCOMPARE(b.t.sim->memory(memmap::OpeningMessage, opening::AreaBytes),
                 opening::areaBytes(QStringLiteral("ABC"), opening::StyleSlide));
        // The re-read went into the image; the lists did not move.
        QCOMPARE(s.bytes(), before);
        QCOMPARE(s.position(VolumeMain), 30);
    }

    void everyStepGivesUpAfterThreeAttempts_data() {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<int>("skip");
        QTest::addColumn<QString>("where");
        const auto row = [](const char* name, bool writing, const char* prefix, int skip,
                            const char* where) {
            QTest::newRow(name) << writing << QByteArray(prefix) << skip << QString(where);
        };
        row("read: block 2", false, "ZT~F00080R", 0, "settings block 2");
        row("read: write protection", false, "ZT~F1FE01R", 0, "the write-protection byte");
        row("read: message identification", false, "ZT~RZ", 1, "the identification");
        row("read: message", false, "ZT~F001A0R", 0, "the opening message");
        row("write: re-read", true, "ZT~F00040R", 0, "settings block 1");
        row("write: block 0", true, "ZT~F00000W", 0, "settings block 0");
        row("write: block 1", true, "ZT~F00040W", 0, "settings block 1");
        row("write: block 2", true, "ZT~F00080W", 0, "settings block 2");
        row("write: message identification", true, "ZT~RZ", 1, "the identification");
        row("write: message", true, "ZT~F001A0W", 0, "the opening message");
    }
    void everyStepGivesUpAfterThreeAttempts() {
        QFETCH(bool, writing);
        QFETCH(QByteArray, prefix);
        QFETCH(int, skip);
        QFETCH(QString, where);
        const Fault fault = prefix.endsWith('R') ? Fault::SwapEnding : Fault::NoOk;
        for (int failures : {2, 3}) {
            Bench b;
            b.t.sim->addFault({fault, prefix, skip, failures, 0});
            QVERIFY(b.data.settings.setPosition(VolumeMain, 25));
            const Outcome o = writing ? b.write() : b.read();
            if (failures == 2) {
                QCOMPARE(o.kind, Outcome::Success);
                QCOMPARE(b.t.sim->receivedCount(), (writing ? 9 : 7) + 2);
                continue;
            }
            QCOMPARE(o.message, QString("Error"));
            QCOMPARE(o.failureCounter, 3);
            QCOMPARE(o.where, where);
            QVERIFY(b.t.sim->receivedFrames().last().startsWith(prefix));
        }
    }

    void blocksDoneBeforeAFailureStay() {
        // A failed block-1 write: block 0 is in the receiver, block 2 is not.
        Bench w;
        w.t.sim->addFault({Fault::NoOk, "ZT~F00040W", 0, 3, 0});
        QVERIFY(w.data.settings.setPosition(VolumeMain, 30));     // block 0
        QVERIFY(w.data.settings.setPosition(RemoteKeyA, 22));     // block 1
        QVERIFY(w.data.settings.setPosition({Group::Mem, 1}, 0)); // block 2
        QCOMPARE(w.write().kind, Outcome::Error);
        QCOMPARE(w.byte(2), 30);
        QCOMPARE(w.byte(137), 2);

        // A failed block-2 read: blocks 0 and 1 are in the image, the lists
        // are not decoded.
        Bench r;
        r.t.sim->addFault({Fault::OneShort, "ZT~F00080R", 0, 3, 0});
        QCOMPARE(r.read().kind, Outcome::Error);
        QCOMPARE(r.data.settings.bytes().left(128), r.area().left(128));
        QCOMPARE(r.data.settings.bytes().mid(128), QByteArray(64, '\0'));
        QVERIFY(r.data.settings.positions() == resetPositions());

        // A failed write-protection read: the lists are decoded already.
        Bench p;
        p.t.sim->addFault({Fault::SwapEnding, "ZT~F1FE01R", 0, 3, 0});
        QCOMPARE(p.read().kind, Outcome::Error);
        QCOMPARE(p.data.settings.vocabulary(), Language::Japanese);
        QCOMPARE(p.data.settings.position(VolumeMain),
                 decoded(p.area())[size_t(flatIndex(VolumeMain))]);
    }

    void aByteOutsideItsListIsReportedAndKeptUntilTheListChanges() {
        Bench b;
        b.t.sim->setMemory(2, QByteArray(1, char(40)));   // volume "40"
        b.t.sim->setMemory(93, QByteArray(1, char(0)));   // gain is kept + 1
        b.t.sim->setMemory(memmap::WriteProtect, "\x0A"); // low digit "A"
        SettingsImage& s = b.data.settings;
        const Outcome o = b.read(OpeningMessage::Without);
        QCOMPARE(o.kind, Outcome::Success);
        QVERIFY(o.showMessage);
        QCOMPARE(o.detail, QString("Out of range, left as they were: Volume(MAIN) "
                                   "(Setting_misc(1)), Main band gain (Setting_misc(7)), "
                                   "Overwrite (Set_Mode_Mem(0))"));
        QVERIFY(o.explanation().contains(o.detail));
        QCOMPARE(s.position(VolumeMain), resetPosition(VolumeMain));
        QCOMPARE(s.position(Overwrite), resetPosition(Overwrite));
        QCOMPARE(int(s.byte(2)), 40);
        QCOMPARE(s.position({Group::Misc, 2}), 8); // the others are read

        // The receiver moves on meanwhile; the write gives back what it re-reads.
        b.t.sim->setMemory(2, QByteArray(1, char(41)));
        QVERIFY(s.setPosition(VolumeMain, resetPosition(VolumeMain))); // not a change
        QCOMPARE(b.write(OpeningMessage::Without).kind, Outcome::Success);
        QCOMPARE(b.byte(2), 41);
        QCOMPARE(b.byte(93), 0);

        // Once the user has chosen a gain, that is written; the volume stays.
        QVERIFY(s.setPosition(MainGain, 4));
        QCOMPARE(b.write(OpeningMessage::Without).kind, Outcome::Success);
        QCOMPARE(b.byte(93), 5);
        QCOMPARE(b.byte(2), 41);
        // "Reset" is a change of every list.
        s.reset();
        QCOMPARE(b.write(OpeningMessage::Without).kind, Outcome::Success);
        QCOMPARE(b.byte(2), 10);

        // A read that finds everything in range says nothing more.
        b.t.sim->setMemory(memmap::WriteProtect, "\x02");
        const Outcome clean = b.read(OpeningMessage::Without);
        QVERIFY(clean.detail.isEmpty());
        QVERIFY(s.keptLists().empty());
    }

    void theOpeningMessageOnItsOwnAndAsAQuietStep() {
        Bench b;
        WriteOpeningMessage write(Region::E, QStringLiteral("日本"), opening::StyleStill);
        QCOMPARE(write.run(b.t.link, b.sinks).kind, Outcome::Success);
        QCOMPARE(b.t.sim->receivedCount(), 2);
        Session session(b.t.link, b.sinks, Timeouts(), false);
        const Outcome o = ReadOpeningMessage(Region::E).runStep(session);
        QVERIFY(o.kind == Outcome::Success && !o.showMessage);
        QCOMPARE(b.data.settings.title(), QStringLiteral("日本"));
        QCOMPARE(b.data.settings.position(WelcomeStyle), opening::StyleStill);
    }
};

QTEST_GUILESS_MAIN(TestSettingsTransfer)
#include "tst_settings_transfer.moc"
