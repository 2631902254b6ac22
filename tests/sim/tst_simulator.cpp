// The simulated receiver: its memory, its answers and its faults, seen
// through the program's own link.
#include "link/frames.h"
#include "link/link.h"
#include "model/channel_record.h"
#include "model/memory_map.h"
#include "support/radio_support.h"

#include <QTemporaryDir>
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
    void memoryImageLoadsAndDumps();
    void initialisationClearsOnlyTheChannels();
    void answersOnlyWellFormedFrames();
    void faultsHitTheChosenReplies();
    void pacedRepliesArriveWhole();
    void disconnectRemovesTheDevice();
    void sampleImageIsPlausible();
};

void TestSimulator::memoryImageLoadsAndDumps() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray image(sim::Simulator::MemorySize, '\0');
    for (int i = 0; i < image.size(); i += 4099)
        image[i] = char(i / 4099 + 1);
    QFile file(dir.filePath("in.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();
    QVERIFY(sim->loadImage(file.fileName()));

    // What the link reads is the loaded image.
    Link link(sim.device());
    const Reply r = read(link, 0x01000);
    QVERIFY(frames::isReadReplyValid(r.bytes));
    QCOMPARE(frames::readReplyData(r.bytes), image.mid(0x01000, 64));
    // A write reaches the dump.
    QVERIFY(
        link.exchange(frames::blockWrite(0x00040, "\x12\x34"), 21, Deadline(1000)).isComplete());
    image[0x40] = 0x12;
    image[0x41] = 0x34;
    QVERIFY(sim->dumpImage(dir.filePath("out.bin")));
    QFile out(dir.filePath("out.bin"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), image);

    // A short image is padded; a larger one or a missing file is refused.
    sim->setImage(QByteArray("\x01\x02", 2));
    QCOMPARE(sim->image().size(), sim::Simulator::MemorySize);
    QCOMPARE(sim->memory(0, 3), QByteArray("\x01\x02\x00", 3));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(sim::Simulator::MemorySize + 1, '\0'));
    file.close();
    QVERIFY(!sim->loadImage(file.fileName()));
    QVERIFY(!sim->loadImage(dir.filePath("missing.bin")));
    QCOMPARE(sim->memory(0, 2), QByteArray("\x01\x02", 2));
}

void TestSimulator::initialisationClearsOnlyTheChannels() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setImage(QByteArray(sim::Simulator::MemorySize, char(0x5A)));
    Link link(sim.device());
    const Reply r = link.exchange(frames::memoryInitialisation(), 12, Deadline(1000));
    QCOMPARE(r.bytes, QByteArray("ZT~IM\r\r\nOK\r\n"));
    QVERIFY(frames::isOkReply(r.bytes, 12));
    QCOMPARE(sim->memory(0x011FF, 1), QByteArray(1, char(0x5A)));
    QCOMPARE(sim->memory(0x01200, 64), QByteArray(64, '\0'));
    QCOMPARE(sim->memory(0x1C000, 64), QByteArray(64, '\0'));
    QCOMPARE(sim->memory(0x1C040, 1), QByteArray(1, char(0x5A)));
}

void TestSimulator::answersOnlyWellFormedFrames() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    Link link(sim.device());
    const QByteArray silent[] = {"ZT~F0120aR\r",  "ZT~F01200X\r", "ZT~F01200W0\r",
                                 "ZT~F01200RR\r", "HELLO\r",      "ZT~RESET\r"};
    for (const QByteArray& frame : silent)
        QCOMPARE(link.exchange(frame, 12, Deadline(40)).status, Reply::TimedOut);
    QCOMPARE(sim->memory(0x01200, 1), QByteArray(1, '\0'));
    QCOMPARE(sim->receivedCount(), int(std::size(silent)));
    // Lower-case data digits are not accepted either.
    QCOMPARE(link.exchange("ZT~F01200Wab\r", 19, Deadline(40)).status, Reply::TimedOut);
    // The frame observer sees what arrives.
    QList<QByteArray> seen;
    std::mutex m;
    sim->setFrameObserver([&](const QByteArray& f) {
        std::lock_guard<std::mutex> lock(m);
        seen.append(f);
    });
    QVERIFY(read(link, 0x01200).isComplete());
    std::lock_guard<std::mutex> lock(m);
    QCOMPARE(seen, QList<QByteArray>{"ZT~F01200R\r"});
}

void TestSimulator::faultsHitTheChosenReplies() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    Link link(sim.device());
    // The 2nd and 3rd reads of 0x01200 are dropped; other addresses pass.
    sim->addFault({Fault::Drop, "ZT~F01200R", 1, 2, 0});
    QVERIFY(read(link, 0x01200, 200).isComplete());
    QCOMPARE(read(link, 0x01200, 40).status, Reply::TimedOut);
    QVERIFY(read(link, 0x01240, 200).isComplete());
    QCOMPARE(read(link, 0x01200, 40).status, Reply::TimedOut);
    QVERIFY(read(link, 0x01200, 200).isComplete());

    // One short, one long: the long one already has its extra byte.
    sim->addFault({Fault::OneShort, "ZT~F", 0, 1, 0});
    sim->addFault({Fault::OneLong, "ZT~F", 0, 1, 0});
    QCOMPARE(read(link, 0x01200, 40).status, Reply::TimedOut);
    const Reply longer = read(link, 0x01200);
    QCOMPARE(longer.bytes.size(), 144);
    QVERIFY(!frames::isReadReplyValid(longer.bytes));

    // A late reply is missed, and is what the next command finds waiting.
    sim->addFault({Fault::Delay, "ZT~F", 0, 1, 300});
    QCOMPARE(read(link, 0x01200, 40).status, Reply::TimedOut);
    QTest::qWait(500);
    const Reply stale = read(link, 0x01240);
    QVERIFY(stale.bytes.startsWith("ZT~F01200R\r"));
    const Reply next = read(link, 0x01280);
    QVERIFY(next.bytes.startsWith("ZT~F01240R\r"));

    // Stop answering after two frames.
    test::RunningSimulator hang;
    QVERIFY(hang.ok());
    Link hangLink(hang.device());
    hang->addFault({Fault::Drop, QByteArray(), 2, -1, 0});
    QVERIFY(read(hangLink, 0x01200).isComplete());
    QVERIFY(read(hangLink, 0x01200).isComplete());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(read(hangLink, 0x01200, 40).status, Reply::TimedOut);
    hang->clearFaults();
    QVERIFY(read(hangLink, 0x01200).isComplete());
}

void TestSimulator::pacedRepliesArriveWhole() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setPaced(true);
    sim->setMemory(0x01200, QByteArray::fromHex("0102030405"));
    Link link(sim.device());
    for (int i = 0; i < 3; ++i) {
        const Reply r = read(link, 0x01200);
        QVERIFY(frames::isReadReplyValid(r.bytes));
        QCOMPARE(frames::readReplyData(r.bytes).left(5), QByteArray::fromHex("0102030405"));
    }
}

void TestSimulator::disconnectRemovesTheDevice() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::Disconnect, "ZT~F", 1, 1, 0});
    Link link(sim.device());
    QVERIFY(read(link, 0x01200).isComplete());
    const Reply lost = read(link, 0x01200, 5000);
    QCOMPARE(lost.status, Reply::PortFailed);
    QVERIFY(!sim->isRunning());
    const Reply after = read(link, 0x01200);
    QCOMPARE(after.status, Reply::PortFailed);
    QCOMPARE(after.problem.cause, PortProblem::NoSuchDevice);
}

void TestSimulator::sampleImageIsPlausible() {
    const QByteArray image = sim::sampleImage();
    QCOMPARE(image.size(), sim::Simulator::MemorySize);
    int inUse = 0;
    QStringList names;
    for (int ch = 1; ch <= memmap::ChannelCount; ++ch) {
        const QByteArray rec = image.mid(int(memmap::channelAddress(ch)), 64);
        if (!record::isInUse(rec))
            continue;
        ++inUse;
        ChannelRow row;
        record::decode(rec, row);
        QVERIFY(!row.text(ColName).trimmed().isEmpty());
        QVERIFY(row.text(ColFrequency).endsWith("MHz"));
        names.append(row.text(ColName).trimmed());
        // What the program would write back is what the receiver holds.
        QCOMPARE(record::encode(row, memmap::channelToRow(ch)), rec);
    }
    QVERIFY(inUse >= 30);
    QVERIFY(names.contains("TOWER"));
    auto used = [&](int ch) {
        return record::isInUse(image.mid(int(memmap::channelAddress(ch)), 64));
    };
    QVERIFY(used(101) && used(201));   // banks 1 and 2
    QVERIFY(used(1201) && used(1202)); // program-scan pair
    QVERIFY(used(1301) && used(1401)); // dual-watch pair
    // The bank sizes add up to 1200.
    int total = 0;
    for (int b = 0; b < 50; ++b)
        total += qFromLittleEndian<quint16>(image.constData() + 0x200 + 2 * b);
    QCOMPARE(total, 1200);
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
