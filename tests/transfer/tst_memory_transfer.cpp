// The four channel transfers against the simulated receiver.
#include "link/frames.h"
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

    void memoryReadReadsEveryRowFromItsChannel() {
        test::SimLink t;
        t.sim->setImage(sim::sampleImage());
        const QByteArray sub = test::channelRecord(433500000, "SUB ZERO");
        t.sim->setMemory(0x17000, sub); // channel 1401
        QCOMPARE(MemoryRead(Region::E).run(t.link, t.sink).kind, Outcome::Success);

        const QList<QByteArray> wire = t.sim->receivedFrames();
        QCOMPARE(wire.size(), 1 + 1721);
        QCOMPARE(wire.at(0), QByteArray("ZT~RZ-V70E\r"));
        QCOMPARE(wire.at(1), QByteArray("ZT~F01200R\r"));
        QCOMPARE(wire.at(1301), readFrame(1301));            // row 1301
        QCOMPARE(wire.at(1302), QByteArray("ZT~F17000R\r")); // row 1302: channel 1401
        QCOMPARE(wire.at(1303), readFrame(1302));            // row 1303: channel 1302
        QCOMPARE(wire.at(1500), readFrame(1500));
        QCOMPARE(wire.at(1721), QByteArray("ZT~F1C000R\r"));

        // Every row got the record of its channel, in row order.
        QCOMPARE(int(t.sink.records.size()), 1721);
        for (int r = 1; r <= 1721; ++r) {
            QCOMPARE(t.sink.records[size_t(r - 1)].row, r);
            const quint32 address = memmap::channelAddress(memmap::rowToChannel(r));
            QCOMPARE(t.sink.records[size_t(r - 1)].bytes, t.sim->memory(address, 64));
        }
        QCOMPARE(t.sink.records[1301].bytes, sub);

        // 72% at row 1300, 95% last, then 100% twice; rows not in use are
        // cleared once at the end.
        QCOMPARE(t.sink.maximums.first(), 1721);
        QCOMPARE(t.sink.texts.at(1299), QString("72%"));
        QCOMPARE(t.sink.texts.at(1720), QString("95%"));
        QCOMPARE(t.sink.texts.mid(1721), (QStringList{"100%", "100%"}));
        QCOMPARE(t.sink.values.last(), 1721);
        QCOMPARE(t.sink.cleared, (QList<QPair<int, int>>{{1, 1721}}));
    }

    void readFailuresCountOverTheWholeRead() {
        // 29 bad replies for one channel: the read still completes.
        {
            test::SimLink t;
            t.sim->addFault({Fault::SwapEnding, readFrame(700), 0, 29, 0});
            const Outcome o = MemoryRead(Region::E).run(t.link, t.sink);
            QCOMPARE(o.kind, Outcome::Success);
            QCOMPARE(o.failureCounter, 29);
            QCOMPARE(t.sim->receivedCount(), 1 + 1721 + 29);
            QCOMPARE(int(t.sink.records.size()), 1721);
        }
        // The 30th failure ends it with "Error", even spread over channels; the
        // rows read so far are reported, nothing after.
        test::SimLink t;
        t.sim->addFault({Fault::OneLong, readFrame(5), 0, 10, 0});
        t.sim->addFault({Fault::SwapEnding, readFrame(9), 0, 20, 0});
        const Outcome o = MemoryRead(Region::E).run(t.link, t.sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 30);
        QCOMPARE(o.explanation(), QString("Error: gave up at channel 9 after 30 failed exchanges"));
        QCOMPARE(t.sink.recordRows(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        QVERIFY(t.sink.cleared.isEmpty());
        QCOMPARE(t.sim->receivedFrames().last(), readFrame(9));
    }

    void memoryReadKeepsRowsWhenThePortGoes() {
        test::SimLink t;
        t.sim->addFault({Fault::Disconnect, "ZT~F", 100, 1, 0});
        const Outcome o = MemoryRead(Region::E).run(t.link, t.sink);
        QCOMPARE(o.kind, Outcome::PortError);
        QVERIFY(o.detail.contains(t.sim.device()));
        QCOMPARE(o.where, QString("channel 101"));
        QCOMPARE(int(t.sink.records.size()), 100);
        QVERIFY(t.sink.cleared.isEmpty());
    }

    void oneMemoryReadRunsTheSelectionUpward() {
        test::SimLink t;
        for (int ch = 10; ch <= 20; ++ch)
            t.sim->setMemory(memmap::channelAddress(ch), test::channelRecord(145000000 + ch, "CH"));
        t.sim->setMemory(memmap::channelAddress(15), QByteArray(64, '\0'));

        // Current row 20, selection up to row 10.
        QCOMPARE(OneMemoryRead(Region::E, 20, 10).run(t.link, t.sink).kind, Outcome::Success);
        QCOMPARE(t.sink.recordRows(), (QList<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
        QCOMPARE(t.sink.maximums, QList<int>{11});
        QCOMPARE(t.sink.values.first(), 1);
        QCOMPARE(t.sink.values.last(), 11);
        QCOMPARE(t.sink.texts.first(), QString("9%"));
        QCOMPARE(t.sink.texts.last(), QString("100%"));
        // The empty channel's row loses its texts; no other row does.
        QCOMPARE(t.sink.cleared, (QList<QPair<int, int>>{{15, 15}}));
    }

    void memoryWriteSendsOnlyRowsWithAFrequency() {
        test::SimLink t;
        ChannelTable table;
        table.clearRows(1, ChannelTable::RowCount);
        QCOMPARE(MemoryWrite(Region::E, rowsToWrite(table)).run(t.link, t.sink).kind,
                 Outcome::Success);
        QCOMPARE(test::framesWithoutCr(*t.sim), (QList<QByteArray>{"ZT~RZ-V70E", "ZT~IM"}));
        QCOMPARE(t.sink.maximums.last(), 100);
        QCOMPARE(t.sink.values.last(), 100);
        QCOMPARE(t.sink.texts.last(), QString("100%"));

        // Rows with a frequency go to their channels, the dual-watch row 1302 to
        // channel 1401.
        table.applyRecord(1721, test::channelRecord(118000000, "ROW 1721"));
        table.applyRecord(1302, test::channelRecord(433500000, "ROW 1302"));
        table.applyRecord(1, test::channelRecord(145500000, "ROW 1"));
        t.sim->clearLog();
        QCOMPARE(MemoryWrite(Region::E, rowsToWrite(table)).run(t.link, t.sink).kind,
                 Outcome::Success);
        QCOMPARE(t.sim->receivedFrames().mid(2),
                 (QList<QByteArray>{frames::blockWrite(0x01200, table.record(1)),
                                    frames::blockWrite(0x17000, table.record(1302)),
                                    frames::blockWrite(0x1C000, table.record(1721))}));
    }

    void threeFailuresStopAWrite() {
        const QByteArray rec = test::channelRecord(145000000, "X");
        const std::vector<RowRecord> rows{{1, rec}, {2, rec}, {3, rec}};
        const QByteArray id = "ZT~RZ-V70E", im = "ZT~IM", w1 = "ZT~F01200W", w2 = "ZT~F01240W";
        struct Case {
            std::shared_ptr<Operation> operation;
            std::vector<sim::FaultRule> faults;
            QList<QByteArray> sent; // each frame up to its data
        };
        // A failed identification sends nothing else: the fault matrix's
        // "wrong region" column.
        const Case cases[] = {
            // Counted over the whole write: one failure on row 1, two on row 2.
            {std::make_shared<MemoryWrite>(Region::E, rows),
             {{Fault::NoOk, w1, 0, 1, 0}, {Fault::OneShort, w2, 0, 2, 0}},
             {id, im, w1, w1, w2, w2}},
            {std::make_shared<OneMemoryWrite>(Region::E, rows),
             {{Fault::NoOk, w1, 0, 3, 0}},
             {id, w1, w1, w1}},
            // The memory initialisation has three attempts of its own.
            {std::make_shared<MemoryWrite>(Region::E, rows),
             {{Fault::NoOk, im, 0, 3, 0}},
             {id, im, im, im}},
        };
        for (const Case& c : cases) {
            test::SimLink t;
            for (const sim::FaultRule& f : c.faults)
                t.sim->addFault(f);
            c.operation->timeouts = test::shortTimeouts(300); // a short reply waits it out
            const Outcome o = c.operation->run(t.link, t.sink);
            QCOMPARE(o.kind, Outcome::Error);
            QCOMPARE(o.failureCounter, 3);
            QVERIFY(o.explanation().endsWith(" after 3 failed exchanges"));
            QList<QByteArray> sent;
            for (const QByteArray& f : test::framesWithoutCr(*t.sim))
                sent.append(f.left(10));
            QCOMPARE(sent, c.sent);
        }
    }

    void oneMemoryWriteEmptiesChannelsNotInUse() {
        test::SimLink t;
        t.sim->setImage(sim::sampleImage());
        ChannelTable table;
        table.clearRows(1, ChannelTable::RowCount);
        table.applyRecord(3, test::channelRecord(145000000, "KEEP"));
        // Rows 3 down to 1: row 3 in use, rows 1 and 2 not.
        const Outcome o = OneMemoryWrite(Region::E, selectedRows(table, 3, 1)).run(t.link, t.sink);
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(t.sim->receivedCount(), 1 + 3);
        QCOMPARE(t.sim->memory(0x01200, 128), QByteArray(128, '\0'));
        QCOMPARE(t.sim->memory(0x01280, 64), table.record(3));
        QCOMPARE(t.sink.texts, (QStringList{"33%", "66%", "100%"}));
        QCOMPARE(t.sink.rows, (QList<int>{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(TestMemoryTransfer)
#include "tst_memory_transfer.moc"
