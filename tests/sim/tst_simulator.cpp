// The simulated receiver: its answers, its faults and its sample data, seen
// through the program's own link. Loading and dumping the memory image are
// tested through the program (tst_sim_program).
#include "link/frames.h"
#include "model/channel_record.h"
#include "model/memory_map.h"
#include "support/radio_support.h"

#include <QtEndian>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

Reply read(Link& link, quint32 address, int ms = 1000) {
    return link.exchange(frames::blockRead(address), frames::ReadReplyLength, Deadline(ms));
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

private slots:
    void initialisationClearsOnlyTheChannels();
    void answersOnlyWellFormedFrames();
    void faultsHitTheChosenReplies();
    void pacedRepliesArriveWhole();
    void sampleImageIsPlausible();
};

void TestSimulator::initialisationClearsOnlyTheChannels() {
    test::SimLink t;
    QVERIFY(t.sim.ok());
    t.sim->setImage(QByteArray(sim::Simulator::MemorySize, char(0x5A)));
    const Reply r = t.link.exchange(frames::memoryInitialisation(), 12, Deadline(1000));
    QCOMPARE(r.bytes, QByteArray("ZT~IM\r\r\nOK\r\n"));
    QCOMPARE(t.sim->memory(0x011FF, 1), QByteArray(1, char(0x5A)));
    QCOMPARE(t.sim->memory(0x01200, 64), QByteArray(64, '\0'));
    QCOMPARE(t.sim->memory(0x1C000, 64), QByteArray(64, '\0'));
    QCOMPARE(t.sim->memory(0x1C040, 1), QByteArray(1, char(0x5A)));
}

void TestSimulator::answersOnlyWellFormedFrames() {
    test::SimLink t;
    QVERIFY(t.sim.ok());
    const QByteArray silent[] = {"ZT~F0120aR\r", "ZT~F01200X\r", "ZT~F01200W0\r", "ZT~F01200RR\r",
                                 "HELLO\r",      "ZT~RESET\r",   "ZT~F01200Wab\r"};
    for (const QByteArray& frame : silent)
        QCOMPARE(t.link.exchange(frame, 12, Deadline(40)).status, Reply::TimedOut);
    QCOMPARE(t.sim->memory(0x01200, 1), QByteArray(1, '\0'));
    QCOMPARE(t.sim->receivedCount(), int(std::size(silent)));
}

void TestSimulator::faultsHitTheChosenReplies() {
    test::SimLink t;
    QVERIFY(t.sim.ok());
    // The 2nd and 3rd reads of 0x01200 are dropped; other addresses pass.
    t.sim->addFault({Fault::Drop, "ZT~F01200R", 1, 2, 0});
    QVERIFY(read(t.link, 0x01200, 200).isComplete());
    QCOMPARE(read(t.link, 0x01200, 40).status, Reply::TimedOut);
    QVERIFY(read(t.link, 0x01240, 200).isComplete());
    QCOMPARE(read(t.link, 0x01200, 40).status, Reply::TimedOut);
    QVERIFY(read(t.link, 0x01200, 200).isComplete());

    // A late reply is missed and waits on the line; the next command
    // discards it and gets its own reply.
    t.sim->addFault({Fault::Delay, "ZT~F", 0, 1, 300});
    QCOMPARE(read(t.link, 0x01200, 40).status, Reply::TimedOut);
    QTest::qWait(500);
    const QByteArray next = read(t.link, 0x01240).bytes;
    QVERIFY(next.startsWith("ZT~F01240R\r"));
    QCOMPARE(next.size(), frames::ReadReplyLength);
}

void TestSimulator::pacedRepliesArriveWhole() {
    test::SimLink t;
    QVERIFY(t.sim.ok());
    t.sim->setPaced(true);
    t.sim->setMemory(0x01200, QByteArray::fromHex("0102030405"));
    const Reply r = read(t.link, 0x01200);
    QVERIFY(frames::isReadReplyValid(r.bytes));
    QCOMPARE(frames::readReplyData(r.bytes).left(5), QByteArray::fromHex("0102030405"));
}

void TestSimulator::sampleImageIsPlausible() {
    const QByteArray image = sim::sampleImage();
    QCOMPARE(image.size(), sim::Simulator::MemorySize);
    auto used = [&](int ch) {
        return record::isInUse(image.mid(int(memmap::channelAddress(ch)), 64));
    };
    int inUse = 0;
    for (int ch = 1; ch <= memmap::ChannelCount; ++ch)
        inUse += used(ch);
    QVERIFY(inUse >= 30);
    // Banks 1 and 2, a program-scan pair, a dual-watch pair, the bug presets.
    for (int ch : {101, 201, 1201, 1202, 1301, 1401, 1701, 1721})
        QVERIFY2(used(ch), qPrintable(QString::number(ch)));
    // The bank sizes add up to 1200.
    int total = 0;
    for (int b = 0; b < 50; ++b)
        total += qFromLittleEndian<quint16>(image.constData() + 0x200 + 2 * b);
    QCOMPARE(total, 1200);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
