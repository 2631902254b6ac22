// The desktop program's runner: operations off the owner's thread, reports
// back on it, the busy code, the result flag and the closing flag.
#include "link/identification.h"
#include "link/operation_runner.h"
#include "model/channel_table.h"
#include "support/radio_support.h"
#include "transfer/memory_transfer.h"

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

} // namespace

class TestOperationRunner : public QObject {
    Q_OBJECT

private slots:
    void reportsOnTheOwnersThreadAndSetsTheFlags();
    void busyKeepsEverythingElseOutUntilClosing();
    void resetReportsOnlyPortErrors();
};

void TestOperationRunner::reportsOnTheOwnersThreadAndSetsTheFlags() {
    Runner r;
    QVERIFY(r.sim.ok());
    r.sim->setImage(sim::sampleImage());
    ChannelTable table;
    table.clearRows(1, ChannelTable::RowCount);
    new ChannelTableApplier(&r.runner, &table);
    bool allOnOwnerThread = true;
    connect(&r.runner, &OperationRunner::progressValueChanged, this,
            [&](int) { allOnOwnerThread &= QThread::currentThread() == thread(); });
    int busyAtFinish = -1;
    connect(&r.runner, &OperationRunner::finished, this, [&](const Outcome&) {
        busyAtFinish = r.state.busyCode();
        allOnOwnerThread &= QThread::currentThread() == thread();
    });
    int tableChanges = 0;
    connect(&table, &ChannelTable::rowsChanged, this, [&] { ++tableChanges; });

    // Result flag 1: no "Success" message, and 0 afterwards.
    r.state.setResultFlag(LinkState::ResultQuiet);
    QVERIFY(r.runner.start(std::make_shared<MemoryRead>(Region::E)));
    QVERIFY(r.state.isBusy());
    QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 1, 60000);
    QCOMPARE(Runner::outcome(r.finished, 0).kind, Outcome::Success);
    QVERIFY(!Runner::outcome(r.finished, 0).showMessage);
    QCOMPARE(r.state.resultFlag(), LinkState::ResultNormal);
    QCOMPARE(busyAtFinish, 0);
    QVERIFY(allOnOwnerThread);
    QVERIFY(table.inUse(1302));
    // Changes were held back during the run and reported once at its end.
    QCOMPARE(tableChanges, 1);

    // A failure leaves flag 2 and the failure counter.
    r.sim->setRegion(Region::J);
    QVERIFY(r.runner.start(std::make_shared<Identify>(Region::E)));
    QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 2, 30000);
    QCOMPARE(Runner::outcome(r.finished, 1).kind, Outcome::Error);
    QCOMPARE(r.state.resultFlag(), LinkState::ResultFailed);
    QCOMPARE(r.state.failureCounter(), quint8(3));

    // An operation may move to another busy code of its own.
    QSignalSpy busy(&r.state, &LinkState::busyChanged);
    QVERIFY(r.runner.start(std::make_shared<TwoPhases>()));
    QTRY_COMPARE_WITH_TIMEOUT(r.finished.size(), 3, 30000);
    QList<int> codes;
    for (const auto& args : busy)
        codes.append(args.at(0).toInt());
    QCOMPARE(codes, (QList<int>{5, 6, 0}));
}

void TestOperationRunner::busyKeepsEverythingElseOutUntilClosing() {
    Runner r;
    QVERIFY(r.sim.ok());
    r.sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});

    // The program's own one-second reply timer: without the closing the
    // identification would go on for three seconds.
    QVERIFY(r.runner.start(std::make_shared<Identify>(Region::E)));
    QVERIFY(r.sim->waitForFrames(1, 10000));
    QVERIFY(r.state.isBusy());
    QVERIFY(!r.runner.start(std::make_shared<MemoryRead>(Region::E)));
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

void TestOperationRunner::resetReportsOnlyPortErrors() {
    Runner r;
    QVERIFY(r.sim.ok());
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

QTEST_GUILESS_MAIN(TestOperationRunner)
#include "tst_operation_runner.moc"
