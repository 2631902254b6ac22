// The bank, one-touch and bank-link transfers against the simulated
// receiver: the frames on the wire, the attempts of each block and what
// reaches the data set through the store sink. Every fault of the line for
// every operation is in the fault matrix.
#include "banks/bank_link_transfer.h"
#include "banks/bank_transfer.h"
#include "banks/one_touch_transfer.h"
#include "link/frames.h"
#include "link/sink_relays.h"
#include "model/data_set.h"
#include "support/radio_support.h"
#include "transfer/data_set_sink.h"

#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

// What the operation reports, and the data set its reads reach.
struct Run {
    test::SimLink t;
    DataSet data;
    DataSetSink store{data};
    struct Busy : OperationSink {
        QList<int> codes;
        void busyCode(quint16 code) override { codes.append(code); }
    } busy;
    SinkFan sinks{&t.sink, &store, &busy};

    // The program's own timers: every fault here fails at once.
    Outcome operator()(Operation&& op) { return op.run(t.link, sinks); }
    // Each frame up to its command letter ("ZT~F00200R").
    QList<QByteArray> sent() {
        QList<QByteArray> out;
        for (const QByteArray& f : test::framesWithoutCr(*t.sim))
            out.append(f.startsWith("ZT~F") ? f.left(10) : f);
        return out;
    }
};

QByteArray sizesBlock(const std::vector<int>& sizes) {
    QByteArray bytes(64, '\0');
    for (size_t i = 0; i < sizes.size(); ++i) {
        bytes[int(2 * i)] = char(sizes[i] & 0xFF);
        bytes[int(2 * i + 1)] = char(sizes[i] >> 8);
    }
    return bytes;
}

const QByteArray Id = "ZT~RZ-V70E";

} // namespace

class TestBankTransfers : public QObject {
    Q_OBJECT
private slots:
    void bankReadTakesBothBlocksAndRelabelsTheGrid() {
        Run run;
        // Bank 0 empty, bank 1 all 1200 channels; a high nibble that carries
        // nothing on bank 40.
        std::vector<int> first(32, 0);
        first[1] = 1200;
        run.t.sim->setMemory(0x00200, sizesBlock(first));
        QByteArray second = sizesBlock(std::vector<int>(18, 0));
        second[2 * 8 + 1] = char(0xF0);
        run.t.sim->setMemory(0x00240, second);

        const Outcome o = run(BankRead(Region::E));
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(run.sent(), (QList<QByteArray>{Id, "ZT~F00200R", "ZT~F00240R"}));
        QCOMPARE(run.busy.codes, (QList<int>{6, 7}));
        QCOMPARE(run.t.sink.values, (QList<int>{0, 20, 100}));
        QCOMPARE(run.t.sink.texts, (QStringList{"20%", "100%"}));
        QCOMPARE(run.data.banks.size(0), 0);
        QCOMPARE(run.data.banks.size(1), 1200);
        QCOMPARE(run.data.banks.size(40), 0);
        QCOMPARE(run.data.channels.text(1, ColLabel), QStringLiteral("Bank01-000"));
    }

    void bankWriteSendsTheSizesAndTheGroupConstantsOnlyWhenTheyTotal1200() {
        Run run;
        run.data.banks.setSize(3, 101);
        const Outcome refused = run(BankWrite(Region::E, run.data.banks));
        QCOMPARE(refused.message, QStringLiteral("Error"));
        QCOMPARE(refused.title, QStringLiteral(" Error"));
        QVERIFY(refused.detail.contains("1201"));
        QCOMPARE(run.t.sim->receivedCount(), 0);

        std::array<int, 50> sizes{};
        sizes[0] = 1200;
        run.data.banks.setSizes(sizes);
        QCOMPARE(run(BankWrite(Region::E, run.data.banks)).kind, Outcome::Success);
        QCOMPARE(run.sent(), (QList<QByteArray>{Id, "ZT~F00200W", "ZT~F00240W"}));
        QCOMPARE(run.t.sim->receivedFrames().at(1).mid(10, 6), QByteArray("B00400"));
        QCOMPARE(run.t.sink.values, (QList<int>{0, 20, 60, 100}));
        QCOMPARE(run.t.sim->memory(0x00264, 16),
                 QByteArray::fromHex("6400c800640000006400000015000000"));
    }

    void eachBankBlockHasThreeAttempts() {
        // Two bad replies to each block: still read.
        {
            Run run;
            run.t.sim->addFault({Fault::SwapEnding, "ZT~F00200R", 0, 2, 0});
            run.t.sim->addFault({Fault::OneLong, "ZT~F00240R", 0, 2, 0});
            QCOMPARE(run(BankRead(Region::E)).kind, Outcome::Success);
            QCOMPARE(run.t.sim->receivedCount(), 1 + 3 + 3);
        }
        // The third bad reply to the second block ends the read; the sizes
        // of the good first block stay, the grid is not relabelled.
        Run run;
        std::vector<int> first(32, 0);
        first[0] = 7;
        run.t.sim->setMemory(0x00200, sizesBlock(first));
        run.t.sim->addFault({Fault::OneShort, "ZT~F00240R", 0, 3, 0});
        const QString label = run.data.channels.text(1, ColLabel);
        const Outcome o = run(BankRead(Region::E));
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 3);
        QCOMPARE(o.where, QStringLiteral("bank block 2"));
        QCOMPARE(run.sent(),
                 (QList<QByteArray>{Id, "ZT~F00200R", "ZT~F00240R", "ZT~F00240R", "ZT~F00240R"}));
        QCOMPARE(run.data.banks.size(0), 7);
        QCOMPARE(run.data.channels.text(1, ColLabel), label);
    }

    void oneTouchReadAndWriteTheNineKeysOfOneBlock() {
        Run run;
        // Default layout: key 1 on bank 5 channel 42, key 2 on an empty bank,
        // key 3 beyond its bank, the rest not set.
        run.t.sim->setMemory(0x00180, QByteArray::fromHex("052a001e0300076400") +
                                          QByteArray::fromHex("ff0000").repeated(6));
        QCOMPARE(run(OneTouchRead(Region::E)).kind, Outcome::Success);
        QCOMPARE(run.sent(), (QList<QByteArray>{Id, "ZT~F00180R"}));
        QCOMPARE(run.t.sink.values, (QList<int>{0, 50, 100}));
        QCOMPARE(run.data.oneTouch.key(0), (OneTouchKey{5, 42, false}));
        QCOMPARE(run.data.oneTouch.key(3), (OneTouchKey{0, 0, true}));

        run.t.sim->clearLog();
        run.data.oneTouch.setKey(8, {11, 99, false});
        QCOMPARE(run(OneTouchWrite(Region::E, run.data.oneTouch)).kind, Outcome::Success);
        QCOMPARE(run.t.sim->receivedCount(), 2);
        QCOMPARE(run.t.sim->receivedFrames().at(1).size(), 65);
        QCOMPARE(run.t.sim->memory(0x00180, 27), QByteArray::fromHex("052a00000000070000") +
                                                     QByteArray::fromHex("ff0000").repeated(5) +
                                                     QByteArray::fromHex("0b6300"));
    }

    void bankLinkTransfersWaitTheDialogsReplyTime() {
        // A reply 300 ms late is taken when the dialog's own reply time is
        // long enough, whatever the main window's is.
        Run run;
        run.t.sim->addFault({Fault::Delay, Id, 0, 1, 300});
        BankLinkRead read(Region::E, false);
        read.timeouts.replyMs = 50;
        read.timeouts.windowReplyMs = 2000;
        QCOMPARE(read.run(run.t.link, run.sinks).kind, Outcome::Success);
        QCOMPARE(run.t.sim->receivedCount(), 3);
    }
};

QTEST_MAIN(TestBankTransfers)
#include "tst_bank_transfers.moc"
