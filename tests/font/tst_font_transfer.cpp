// The font window's transfers against the simulated receiver: the frames
// on the wire, the failure budget shared by the whole set, and the single
// character's exchange with its states and ticks. The messages of each line
// fault are in the fault matrix.
#include "font/font_frames.h"
#include "font/font_transfer.h"
#include "link/frames.h"
#include "link/sink_relays.h"
#include "model/data_set.h"
#include "model/memory_map.h"
#include "support/radio_support.h"
#include "transfer/data_set_sink.h"

#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

// What the window would see: states and progress, besides the store.
class WindowSink : public OperationSink {
public:
    void progressValue(int value) override { values.append(value); }
    void busyCode(quint16 code) override { states.append(code); }
    QList<int> values;
    QList<quint16> states;
};

struct Bench {
    test::RunningSimulator sim;
    Link link{sim.device()};
    DataSet data;
    DataSetSink store{data};
    WindowSink window;
    SinkFan sink{&store, &window};

    Outcome run(Operation&& op, int ms = 40) {
        op.timeouts = test::shortTimeouts(ms);
        return op.run(link, sink);
    }
    QList<QByteArray> wire() { return test::framesWithoutCr(*sim); }
};

// Character k with a diagonal and a mark k dots long in the bottom row.
FontChar sample(int k) {
    FontChar c;
    for (int i = 0; i < 16; ++i)
        c.setDot(i, i, true);
    for (int i = 0; i <= k; ++i)
        c.setDot(15, 15 - i, true);
    return c;
}

void putSamples(sim::Simulator& sim) {
    for (int k = 0; k < 8; ++k)
        sim.setMemory(fontframes::charAddress(k), encodeFontChar(sample(k)));
}

sim::FaultRule fault(Fault kind, const QByteArray& prefix, int count) {
    return {kind, prefix, 0, count, 0};
}

} // namespace

class TestFontTransfer : public QObject {
    Q_OBJECT
private slots:
    void readAllFillsTheStoreInOrder() {
        Bench b;
        putSamples(*b.sim);
        const Outcome o = b.run(FontReadAll(Region::E, true));
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(o.message, QStringLiteral("All Font Data Read"));
        QCOMPARE(o.title, QStringLiteral(" Finish"));
        QVERIFY(o.showMessage);
        QCOMPARE(b.wire(), (QList<QByteArray>{"ZT~RZ-V70E", "ZT~F01000R", "ZT~F01020R",
                                              "ZT~F01040R", "ZT~F01060R", "ZT~F01080R",
                                              "ZT~F010A0R", "ZT~F010C0R", "ZT~F010E0R"}));
        for (int k = 0; k < 8; ++k)
            QCOMPARE(b.data.font.character(k), sample(k));
        QCOMPARE(b.window.values, (QList<int>{0, 12, 24, 36, 48, 60, 72, 84, 96, 100}));

        // In read-all mode the same read ends without a message.
        QVERIFY(!b.run(FontReadAll(Region::E, false)).showMessage);
    }

    void writeAllSendsTheStore() {
        Bench b;
        b.sim->setRegion(Region::J);
        FontStore::Characters chars;
        for (int k = 0; k < 8; ++k)
            chars[size_t(k)] = sample(7 - k);
        const Outcome o = b.run(FontWriteAll(Region::J, chars, true));
        QCOMPARE(o.message, QStringLiteral("All Font Data Write"));
        const QList<QByteArray> wire = b.wire();
        QCOMPARE(wire.size(), 9);
        QCOMPARE(wire.at(0), QByteArray("ZT~RZ-V70"));
        QCOMPARE(wire.at(8).left(10), QByteArray("ZT~F010E0W"));
        for (int k = 0; k < 8; ++k)
            QCOMPARE(decodeFontChar(b.sim->memory(fontframes::charAddress(k), 32)),
                     chars[size_t(k)]);
    }

    void tenFailuresOverAllCharactersEndTheWholeSet() {
        Bench b;
        putSamples(*b.sim);
        // Nine garbled replies to character 2 are borne...
        b.sim->addFault(fault(Fault::SwapEnding, "ZT~F01040R", 9));
        QCOMPARE(b.run(FontReadAll(Region::E, true)).kind, Outcome::Success);
        QCOMPARE(b.wire().count("ZT~F01040R"), 10);

        // ...but the tenth failure of a run ends it, wherever they fell.
        b.sim->clearLog();
        b.data.font.clearAll();
        b.sim->addFault(fault(Fault::SwapEnding, "ZT~F01040R", 6));
        b.sim->addFault(fault(Fault::OneLong, "ZT~F010A0R", 4));
        const Outcome o = b.run(FontReadAll(Region::E, true));
        QCOMPARE(o.message, QStringLiteral("Error"));
        QCOMPARE(o.where, QStringLiteral("font character 5"));
        QCOMPARE(b.wire().size(), 1 + 5 + 6 + 4);
        for (int k = 0; k < 5; ++k) // the characters read so far stay
            QCOMPARE(b.data.font.character(k), sample(k));
        QVERIFY(b.data.font.character(5).isBlank());
    }

    void singleWriteRunsThroughItsStates() {
        Bench b;
        const Outcome o = b.run(FontCharWrite(Region::E, 7, sample(3), true));
        QCOMPARE(o.message, QStringLiteral("Success Font Write"));
        QCOMPARE(o.title, QStringLiteral(" Finish"));
        QCOMPARE(b.window.states, (QList<quint16>{1, 11, 2, 12}));
        QCOMPARE(b.window.values, (QList<int>{0, 50}));
        QCOMPARE(b.wire().at(1), fontframes::writeFrame(7, sample(3)).chopped(1));
        QCOMPARE(decodeFontChar(b.sim->memory(0x010E0, 32)), sample(3));
    }

    void singleReadRetriesItsStepOnEveryTick() {
        Bench b;
        putSamples(*b.sim);
        b.sim->addFault(fault(Fault::Drop, "ZT~RZ", 2));
        b.sim->addFault(fault(Fault::Drop, "ZT~F01060R", 3));
        const Outcome o = b.run(FontCharRead(Region::E, 3, true));
        QCOMPARE(o.message, QStringLiteral("Success Font Read"));
        QCOMPARE(b.data.font.character(3), sample(3));
        QCOMPARE(b.data.font.character(2), FontChar());
        QCOMPARE(b.wire().count("ZT~RZ-V70E"), 3);
        QCOMPARE(b.wire().count("ZT~F01060R"), 4);
        QCOMPARE(b.window.states.first(), quint16(3));
        QCOMPARE(b.window.states.mid(b.window.states.size() - 2), (QList<quint16>{4, 14}));
        QCOMPARE(b.window.values, (QList<int>{0, 50, 100}));
    }

    void twentyOneSilentTicksAreAComError() {
        Bench b;
        // Twenty ticks are borne; the ticks count over both steps.
        b.sim->addFault(fault(Fault::Drop, "ZT~RZ", 10));
        b.sim->addFault(fault(Fault::Drop, "ZT~F", 10));
        // The default 40 ms tick: on a loaded machine a reply later than a
        // shorter tick would count as a twenty-first silent one.
        QCOMPARE(b.run(FontCharWrite(Region::E, 0, sample(0), true)).message,
                 QStringLiteral("Success Font Write"));

        b.sim->clearLog();
        b.sim->addFault(fault(Fault::Drop, QByteArray(), -1));
        const Outcome o = b.run(FontCharRead(Region::E, 0, false), 15);
        QCOMPARE(o.message, QStringLiteral("Com Error"));
        QCOMPARE(o.title, QStringLiteral(" Error"));
        QVERIFY(o.showMessage); // failures show even in read-all mode
        QCOMPARE(b.sim->receivedCount(), 21);
    }
};

QTEST_GUILESS_MAIN(TestFontTransfer)
#include "tst_font_transfer.moc"
