// The desktop program's runner: operations off the owner's thread, reports
// back on it, the one gate for the port, the busy code, the result flag and
// the closing flag; the store sink run through it and directly.
#include "link/identification.h"
#include "link/operation_runner.h"
#include "model/data_set.h"
#include "support/radio_support.h"
#include "transfer/data_set_sink.h"
#include "transfer/memory_transfer.h"

#include "link/sink_relays.h"

#include <QSignalSpy>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

// A runner on the simulator, with its outcomes recorded.
struct Runner {
    test::RunningSimulator sim;
    LinkState state;
    OperationRunner runner{&state};
    QSignalSpy finished{&runner, &OperationRunner::finished};
    QSignalSpy resets{&runner, &OperationRunner::resetFinished};

    Runner() { runner.setDevice(sim.device()); }
    static Outcome outcome(const QSignalSpy& spy, int i) {
        return spy.at(i).at(0).value<Outcome>();
    }
};

// Holds 5, then 6 while it identifies the receiver.
class TwoPhases : public Operation {
public:
    quint16 busyCode() const override { return 5; }

protected:
    Outcome execute(Session& s) const override {
        s.sink().busyCode(6);
        if (auto stop = s.identify(Region::E))
            return *stop;
        return s.success();
    }
};

// Notes whether every report arrives on the given thread.
class ThreadCheck : public OperationSink {
public:
    explicit ThreadCheck(QThread* owner) : owner_(owner) {}
    void progressValue(int) override { check(); }
    void recordRead(int, const QByteArray&) override { check(); }
    void ended(const Outcome&) override {
        check();
        ++ends;
    }
    bool allOnOwner = true;
    int ends = 0;

private:
    void check() { allOnOwner &= QThread::currentThread() == owner_; }
    QThread* owner_;
};

} // namespace

class TestOperationRunner : public QObject {
    Q_OBJECT
private slots:

    void reportsOnTheOwnersThreadAndSetsTheFlags() {
        Runner r;
        r.sim->setImage(sim::sampleImage());
        DataSet data;
        data.channels.clearRows(1, ChannelTable::RowCount);
        DataSetSink store(data);
        ThreadCheck check(thread());
        SinkFan sinks{&store, &check};
        int busyAtFinish = -1;
        connect(&r.runner, &OperationRunner::finished, this, [&](const Outcome&) {
            busyAtFinish = r.state.busyCode();
            check.allOnOwner &= QThread::currentThread() == thread();
        });
        int tableChanges = 0;
        connect(&data.channels, &ChannelTable::rowsChanged, this, [&] { ++tableChanges; });

        // Result flag 1: no "Success" message, and 0 afterwards.
        r.state.setResultFlag(LinkState::ResultQuiet);
        QVERIFY(r.runner.start(std::make_shared<MemoryRead>(Region::E), &sinks));
        QVERIFY(r.state.isBusy());
        QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 1, 60000);
        QCOMPARE(Runner::outcome(r.finished, 0).kind, Outcome::Success);
        QVERIFY(!Runner::outcome(r.finished, 0).showMessage);
        QCOMPARE(r.state.resultFlag(), LinkState::ResultNormal);
        QCOMPARE(busyAtFinish, 0);
        QVERIFY(check.allOnOwner);
        QCOMPARE(check.ends, 1);
        // Changes were held back during the run and reported once at its end.
        QCOMPARE(tableChanges, 1);

        // The same read with the store sink run directly, as the command line
        // does, gives the same table (dual-watch rows and empty ones among them).
        const auto readRows = std::make_shared<OneMemoryRead>(Region::E, 1290, 1320);
        data.channels.clearRows(1, ChannelTable::RowCount);
        QVERIFY(r.runner.start(readRows, &sinks));
        QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 2, 60000);
        DataSet direct;
        direct.channels.clearRows(1, ChannelTable::RowCount);
        DataSetSink directStore(direct);
        Link link(r.sim.device());
        QCOMPARE(readRows->run(link, directStore).kind, Outcome::Success);
        for (int row = 1; row <= ChannelTable::RowCount; ++row)
            QVERIFY2(direct.channels.row(row).cells == data.channels.row(row).cells &&
                         direct.channels.codes(row) == data.channels.codes(row),
                     qPrintable(QString::number(row)));
        QVERIFY(data.channels.inUse(1302));

        // A failure leaves flag 2 and the failure counter.
        r.sim->setRegion(Region::J);
        QVERIFY(r.runner.start(std::make_shared<Identify>(Region::E)));
        QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 3, 30000);
        QCOMPARE(Runner::outcome(r.finished, 2).kind, Outcome::Error);
        QCOMPARE(r.state.resultFlag(), LinkState::ResultFailed);
        QCOMPARE(r.state.failureCounter(), quint8(3));

        // An operation may move to another busy code of its own.
        QSignalSpy busy(&r.state, &LinkState::busyChanged);
        QVERIFY(r.runner.start(std::make_shared<TwoPhases>()));
        QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 4, 30000);
        QList<int> codes;
        for (const auto& args : busy)
            codes.append(args.at(0).toInt());
        QCOMPARE(codes, (QList<int>{5, 6, 0}));
    }

    void nothingElseGetsOntoThePortUntilTheClosingEndsTheJob() {
        Runner r;
        r.sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});

        // The program's own one-second reply timer: without the closing the
        // identification would go on for three seconds.
        QVERIFY(r.runner.start(std::make_shared<Identify>(Region::E)));
        QVERIFY(r.sim->waitForFrames(1, 10000));
        QVERIFY(r.state.isBusy());
        QVERIFY(!r.runner.start(std::make_shared<MemoryRead>(Region::E)));
        QVERIFY(!r.runner.reset());
        // Even with the busy code back at 0 (as between the steps of a
        // sequence), nothing else gets onto the port while the job runs.
        r.state.setBusyCode(0);
        QVERIFY(!r.runner.start(std::make_shared<Identify>(Region::E)));
        QVERIFY(!r.runner.reset());

        r.runner.cancel();
        QVERIFY(r.state.isClosing());
        QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 1, 30000);
        const Outcome o = Runner::outcome(r.finished, 0);
        QCOMPARE(o.kind, Outcome::Cancelled);
        QVERIFY(!o.showMessage);
        QCOMPARE(r.state.busyCode(), quint16(0));
        QCOMPARE(r.sim->receivedCount(), 1);

        // After the closing nothing starts.
        QVERIFY(!r.runner.start(std::make_shared<Identify>(Region::E)));
        QVERIFY(!r.runner.reset());
        QCOMPARE(r.resets.size(), 0);
    }

    void resetReportsOnlyPortErrors() {
        Runner r;
        QVERIFY(r.runner.reset());
        QTRY_COMPARE_WITH_TIMEOUT(r.resets.size(), 1, 30000);
        QCOMPARE(Runner::outcome(r.resets, 0).kind, Outcome::Success);
        QVERIFY(!Runner::outcome(r.resets, 0).showMessage);
        QVERIFY(r.sim->waitForFrames(1, 10000));
        QCOMPARE(r.state.busyCode(), quint16(0));

        r.runner.setDevice("/dev/rz-v70-no-such-port");
        QVERIFY(r.runner.reset());
        QTRY_COMPARE_WITH_TIMEOUT(r.resets.size(), 2, 30000);
        const Outcome o = Runner::outcome(r.resets, 1);
        QCOMPARE(o.kind, Outcome::PortError);
        QVERIFY(o.showMessage);
        QCOMPARE(o.title, QString(" Error"));
        QCOMPARE(r.finished.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestOperationRunner)
#include "tst_operation_runner.moc"
