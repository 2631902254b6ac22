// The four channel transfers against the simulated receiver.
#include "link/frames.h"
#include "model/channel_record.h"
#include "model/channel_table.h"
#include "model/memory_map.h"
#include "support/radio_support.h"
#include "transfer/memory_transfer.h"

#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

QByteArray readFrame(int channel) {
    return frames::blockRead(memmap::channelAddress(channel));
}

} // namespace

class TestMemoryTransfer : public QObject {
    Q_OBJECT

private slots:
    void memoryReadReadsEveryRowFromItsChannel();
    void memoryReadCountsFailuresOverTheWholeRead();
    void memoryReadKeepsRowsWhenThePortGoes();
    void oneMemoryReadRunsTheSelectionUpward();
    void memoryWriteOfAnEmptyTableSendsOnlyIdentificationAndInit();
    void memoryWriteReachesTheInterleavedChannels();
    void writesStopAtTheThirdFailure();
    void oneMemoryWriteEmptiesChannelsNotInUse();
    void failedIdentificationSendsNothingElse();
};

void TestMemoryTransfer::memoryReadReadsEveryRowFromItsChannel() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setImage(sim::sampleImage());
    // A record only at channel 1401, which is grid row 1302.
    const QByteArray sub = test::channelRecord(433500000, "SUB ZERO");
    sim->setMemory(0x17000, sub);

    Link link(sim.device());
    test::RecordingSink sink;
    const Outcome o = MemoryRead(Region::E).run(link, sink);
    QCOMPARE(o.kind, Outcome::Success);
    QVERIFY(o.showMessage);

    const QList<QByteArray> wire = sim->receivedFrames();
    QCOMPARE(wire.size(), 1 + 1721);
    QCOMPARE(wire.at(0), QByteArray("ZT~RZ-V70E\r"));
    QCOMPARE(wire.at(1), QByteArray("ZT~F01200R\r"));
    QCOMPARE(wire.at(1301), readFrame(1301));            // row 1301
    QCOMPARE(wire.at(1302), QByteArray("ZT~F17000R\r")); // row 1302: channel 1401
    QCOMPARE(wire.at(1303), readFrame(1302));            // row 1303: channel 1302
    QCOMPARE(wire.at(1500), readFrame(1500));
    QCOMPARE(wire.at(1721), QByteArray("ZT~F1C000R\r"));

    // Every row got the record of its channel, in row order.
    QCOMPARE(int(sink.records.size()), 1721);
    for (int r = 1; r <= 1721; ++r) {
        QCOMPARE(sink.records[size_t(r - 1)].row, r);
        const quint32 address = memmap::channelAddress(memmap::rowToChannel(r));
        QCOMPARE(sink.records[size_t(r - 1)].bytes, sim->memory(address, 64));
    }
    QCOMPARE(sink.records[1301].bytes, sub);

    // Progress: 72% at row 1300, 95% last, then 100% twice; rows not in
    // use are cleared once at the end.
    QCOMPARE(sink.maximums.first(), 1721);
    QCOMPARE(sink.texts.at(1299), QString("72%"));
    QCOMPARE(sink.texts.at(1720), QString("95%"));
    QCOMPARE(sink.texts.mid(1721), (QStringList{"100%", "100%"}));
    QCOMPARE(sink.values.last(), 1721);
    QCOMPARE(sink.cleared, (QList<QPair<int, int>>{{1, 1721}}));

    // Under result flag 1 the success is not shown.
    sim->clearLog();
    test::RecordingSink quietSink;
    const Outcome quiet = MemoryRead(Region::E).run(link, quietSink, true);
    QCOMPARE(quiet.kind, Outcome::Success);
    QVERIFY(!quiet.showMessage);

    // Decoded into the table, the sample shows its names where they belong.
    ChannelTable table;
    for (const auto& r : sink.records)
        table.applyRecord(r.row, r.bytes);
    table.clearRowsNotInUse();
    QCOMPARE(table.text(1, ColName).trimmed(), QString("TOWER"));
    QCOMPARE(table.text(1302, ColName).trimmed(), QString("SUB ZERO"));
    QVERIFY(table.text(1303, ColFrequency).isEmpty() == !table.inUse(1303));
}

void TestMemoryTransfer::memoryReadCountsFailuresOverTheWholeRead() {
    // 29 bad replies for one channel: the read still completes.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::SwapEnding, readFrame(700), 0, 29, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome o = MemoryRead(Region::E).run(link, sink);
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(o.failureCounter, 29);
        QCOMPARE(sim->receivedCount(), 1 + 1721 + 29);
        QCOMPARE(int(sink.records.size()), 1721);
    }
    // The 30th failure ends it with "Error", even spread over channels; the
    // rows read so far are reported, nothing after.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::OneLong, readFrame(5), 0, 10, 0});
        sim->addFault({Fault::SwapEnding, readFrame(9), 0, 20, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome o = MemoryRead(Region::E).run(link, sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.message, QString("Error"));
        QCOMPARE(o.title, QString(" Error"));
        QCOMPARE(o.failureCounter, 30);
        QCOMPARE(sink.recordRows(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        QVERIFY(sink.cleared.isEmpty());
        QCOMPARE(sim->receivedFrames().last(), readFrame(9));
    }
}

void TestMemoryTransfer::memoryReadKeepsRowsWhenThePortGoes() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::Disconnect, "ZT~F", 100, 1, 0});
    Link link(sim.device());
    test::RecordingSink sink;
    const Outcome o = MemoryRead(Region::E).run(link, sink);
    QCOMPARE(o.kind, Outcome::PortError);
    QCOMPARE(o.message, QString("Port Error"));
    QCOMPARE(o.title, QString(" Error"));
    QVERIFY(o.detail.contains(sim.device()));
    QCOMPARE(int(sink.records.size()), 100);
    QVERIFY(sink.cleared.isEmpty());
}

void TestMemoryTransfer::oneMemoryReadRunsTheSelectionUpward() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    for (int ch = 10; ch <= 20; ++ch)
        sim->setMemory(memmap::channelAddress(ch), test::channelRecord(145000000 + ch, "CH"));
    sim->setMemory(memmap::channelAddress(15), QByteArray(64, '\0'));

    Link link(sim.device());
    test::RecordingSink sink;
    // Current row 20, selection up to row 10.
    const Outcome o = OneMemoryRead(Region::E, 20, 10).run(link, sink);
    QCOMPARE(o.kind, Outcome::Success);
    QCOMPARE(sink.recordRows(), (QList<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    QCOMPARE(sink.maximums, QList<int>{11});
    QCOMPARE(sink.texts.first(), QString("9%"));
    QCOMPARE(sink.texts.last(), QString("100%"));
    QCOMPARE(sink.values.first(), 1);
    QCOMPARE(sink.values.last(), 11);
    // The empty channel's row loses its texts; no other row does.
    QCOMPARE(sink.cleared, (QList<QPair<int, int>>{{15, 15}}));

    // The dual-watch rows read their interleaved channels.
    sim->clearLog();
    QCOMPARE(OneMemoryRead(Region::E, 1301, 1302).run(link, sink).kind, Outcome::Success);
    QCOMPARE(test::framesWithoutCr(*sim),
             (QList<QByteArray>{"ZT~RZ-V70E", "ZT~F15700R", "ZT~F17000R"}));
}

void TestMemoryTransfer::memoryWriteOfAnEmptyTableSendsOnlyIdentificationAndInit() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setImage(sim::sampleImage());
    ChannelTable table;
    table.clearRows(1, ChannelTable::RowCount);
    Link link(sim.device());
    test::RecordingSink sink;
    const Outcome o = MemoryWrite(Region::E, rowsToWrite(table)).run(link, sink);
    QCOMPARE(o.kind, Outcome::Success);
    QCOMPARE(test::framesWithoutCr(*sim), (QList<QByteArray>{"ZT~RZ-V70E", "ZT~IM"}));
    // "ZT~IM" emptied the receiver's channels, and only those.
    QCOMPARE(sim->memory(0x01200, 64), QByteArray(64, '\0'));
    QCOMPARE(sim->memory(0x200, 2), sim::sampleImage().mid(0x200, 2));
    // Progress ends at 100 of 100.
    QCOMPARE(sink.maximums.last(), 100);
    QCOMPARE(sink.values.last(), 100);
    QCOMPARE(sink.texts.last(), QString("100%"));
}

void TestMemoryTransfer::memoryWriteReachesTheInterleavedChannels() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    const QByteArray a = test::channelRecord(145500000, "ROW 1");
    const QByteArray b = test::channelRecord(433500000, "ROW 1302");
    const QByteArray c = test::channelRecord(118000000, "ROW 1721");
    Link link(sim.device());
    test::RecordingSink sink;
    const Outcome o = MemoryWrite(Region::E, {{1302, b}, {1, a}, {1721, c}}).run(link, sink);
    QCOMPARE(o.kind, Outcome::Success);
    QCOMPARE(sim->receivedCount(), 2 + 3);
    QCOMPARE(sim->memory(0x01200, 64), a);
    QCOMPARE(sim->memory(0x17000, 64), b);
    QCOMPARE(sim->memory(0x1C000, 64), c);
    QCOMPARE(sim->receivedFrames().at(3), frames::blockWrite(0x17000, b));
    QCOMPARE(frames::blockWrite(0x17000, b).size(), 139);

    // From the table: rows with a frequency text are written with their
    // record, at their channel.
    ChannelTable table;
    table.clearRows(1, ChannelTable::RowCount);
    table.applyRecord(1302, b);
    const std::vector<RowRecord> rows = rowsToWrite(table);
    QCOMPARE(int(rows.size()), 1);
    QCOMPARE(rows[0].row, 1302);
    QCOMPARE(rows[0].record, table.record(1302));
}

void TestMemoryTransfer::writesStopAtTheThirdFailure() {
    const QByteArray rec = test::channelRecord(145000000, "X");
    // Two failures: still a success.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::NoOk, "ZT~F01240W", 0, 2, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome o = MemoryWrite(Region::E, {{1, rec}, {2, rec}, {3, rec}}).run(link, sink);
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(sim->receivedCount(), 2 + 3 + 2);
    }
    // Third failure (over two rows): "Error", the rest is not sent.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::NoOk, "ZT~F01200W", 0, 1, 0});
        sim->addFault({Fault::OneShort, "ZT~F01240W", 0, 2, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        MemoryWrite write(Region::E, {{1, rec}, {2, rec}, {3, rec}});
        write.timeouts = test::shortTimeouts();
        const Outcome o = write.run(link, sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 3);
        QCOMPARE(sim->receivedCount(), 2 + 2 + 2);
        QCOMPARE(sim->memory(0x01280, 64), QByteArray(64, '\0'));
    }
    // One Memory Write: the same limit.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::NoOk, "ZT~F01200W", 0, 3, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome o = OneMemoryWrite(Region::E, {{1, rec}, {2, rec}}).run(link, sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(sim->receivedCount(), 1 + 3);
    }
    // The memory initialisation has three attempts of its own.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::NoOk, "ZT~IM", 0, 3, 0});
        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome o = MemoryWrite(Region::E, {{1, rec}}).run(link, sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 3);
        QCOMPARE(test::framesWithoutCr(*sim),
                 (QList<QByteArray>{"ZT~RZ-V70E", "ZT~IM", "ZT~IM", "ZT~IM"}));
    }
}

void TestMemoryTransfer::oneMemoryWriteEmptiesChannelsNotInUse() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setImage(sim::sampleImage());
    ChannelTable table;
    table.clearRows(1, ChannelTable::RowCount);
    table.applyRecord(3, test::channelRecord(145000000, "KEEP"));
    Link link(sim.device());
    test::RecordingSink sink;
    // Rows 3 down to 1: row 3 in use, rows 1 and 2 not.
    const Outcome o = OneMemoryWrite(Region::E, selectedRows(table, 3, 1)).run(link, sink);
    QCOMPARE(o.kind, Outcome::Success);
    QCOMPARE(sim->receivedCount(), 1 + 3);
    QCOMPARE(sim->memory(0x01200, 128), QByteArray(128, '\0'));
    QCOMPARE(sim->memory(0x01280, 64), table.record(3));
    QVERIFY(record::isInUse(sim->memory(0x01280, 64)));
    QCOMPARE(sink.maximums, QList<int>{3});
    QCOMPARE(sink.texts, (QStringList{"33%", "66%", "100%"}));
    QCOMPARE(sink.rows, (QList<int>{1, 2, 3}));
    // Nothing was initialised: the other channels stay.
    QCOMPARE(sim->memory(0x01200 + 64 * 100, 64), sim::sampleImage().mid(0x01200 + 64 * 100, 64));
}

void TestMemoryTransfer::failedIdentificationSendsNothingElse() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setRegion(Region::T);
    Link link(sim.device());
    test::RecordingSink sink;
    const std::vector<RowRecord> rows{{1, test::channelRecord(145000000, "X")}};
    const Outcome outcomes[] = {
        MemoryRead(Region::E).run(link, sink),
        OneMemoryRead(Region::E, 1, 1).run(link, sink),
        MemoryWrite(Region::E, rows).run(link, sink),
        OneMemoryWrite(Region::E, rows).run(link, sink),
    };
    for (const Outcome& o : outcomes) {
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 3);
    }
    for (const QByteArray& f : sim->receivedFrames())
        QCOMPARE(f, QByteArray("ZT~RZ-V70E\r"));
    QCOMPARE(sim->receivedCount(), 12);
    QVERIFY(sink.records.empty());
}

QTEST_GUILESS_MAIN(TestMemoryTransfer)
#include "tst_memory_transfer.moc"
