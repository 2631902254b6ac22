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
    void initialisationClearsOnlyTheChannels() {
        test::SimLink t;
        t.sim->setImage(QByteArray(sim::Simulator::MemorySize, char(0x5A)));
        const Reply r = t.link.exchange(frames::memoryInitialisation(), 12, Deadline(1000));
        QCOMPARE(r.bytes, QByteArray("ZT~IM\r\r\nOK\r\n"));
        QCOMPARE(t.sim->memory(0x011FF, 1), QByteArray(1, char(0x5A)));
        QCOMPARE(t.sim->memory(0x01200, 64), QByteArray(64, '\0'));
        QCOMPARE(t.sim->memory(0x1C000, 64), QByteArray(64, '\0'));
        QCOMPARE(t.sim->memory(0x1C040, 1), QByteArray(1, char(0x5A)));

        // Replies sent byte by byte, as a receiver does, arrive whole.
        t.sim->setPaced(true);
        const Reply paced = read(t.link, 0x011C0);
        QVERIFY(frames::isReadReplyValid(paced.bytes));
        QCOMPARE(frames::readReplyData(paced.bytes), QByteArray(64, char(0x5A)));
    }

    void answersOnlyWellFormedFrames() {
        test::SimLink t;
        const QByteArray silent[] = {"ZT~F0120aR\r",  "ZT~F01200X\r", "ZT~F01200W0\r",
                                     "ZT~F01200RR\r", "HELLO\r",      "ZT~RESET\r",
                                     "ZT~F01200Wab\r"};
        for (const QByteArray& frame : silent)
            QCOMPARE(t.link.exchange(frame, 12, Deadline(40)).status, Reply::TimedOut);
        QCOMPARE(t.sim->memory(0x01200, 1), QByteArray(1, '\0'));
        QCOMPARE(t.sim->receivedCount(), int(std::size(silent)));
    }

    void faultsHitTheChosenReplies() {
        test::SimLink t;
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

    void sampleImageIsPlausible() {
        const QByteArray image = sim::sampleImage();
        QCOMPARE(image.size(), sim::Simulator::MemorySize);
        const auto used = [&](int ch) {
            return record::isInUse(image.mid(int(memmap::channelAddress(ch)), 64));
        };
        int inUse = 0, total = 0;
        for (int ch = 1; ch <= memmap::ChannelCount; ++ch)
            inUse += used(ch);
        QVERIFY(inUse >= 30);
        // Banks 1 and 2, a program-scan pair, a dual-watch pair, the bug presets.
        for (int ch : {101, 201, 1201, 1202, 1301, 1401, 1701, 1721})
            QVERIFY2(used(ch), qPrintable(QString::number(ch)));
        for (int b = 0; b < 50; ++b) // the bank sizes add up to 1200
            total += qFromLittleEndian<quint16>(image.constData() + 0x200 + 2 * b);
        QCOMPARE(total, 1200);
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
