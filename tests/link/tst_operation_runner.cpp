// The desktop program's runner: operations off the owner's thread, reports
// back on it, the busy code and the closing flag.
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
    void readRunsOffThreadAndReportsOnTheOwnersThread();
    void busyKeepsEverythingElseOutUntilClosing();
    void resultFlagAndFailureCounter();
    void resetReportsOnlyPortErrors();
    void operationsMayChangeTheirBusyCode();
};

void TestOperationRunner::readRunsOffThreadAndReportsOnTheOwnersThread() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setImage(sim::sampleImage());
    LinkState state;
    OperationRunner runner(&state);
    runner.setDevice(sim.device());
    ChannelTable table;
    table.clearRows(1, ChannelTable::RowCount);
    new ChannelTableApplier(&runner, &table);

    bool allOnOwnerThread = true;
    int progressEvents = 0;
    connect(&runner, &OperationRunner::progressValueChanged, this, [&](int) {
        ++progressEvents;
        allOnOwnerThread &= QThread::currentThread() == thread();
    });
    int busyAtFinish = -1;
    int tableChanges = 0;
    connect(&table, &ChannelTable::rowsChanged, this, [&] { ++tableChanges; });
    QList<Outcome> outcomes;
    connect(&runner, &OperationRunner::finished, this, [&](const Outcome& o) {
        busyAtFinish = state.busyCode();
        allOnOwnerThread &= QThread::currentThread() == thread();
        outcomes.append(o);
    });

    QVERIFY(runner.start(std::make_shared<MemoryRead>(Region::E)));
    QCOMPARE(state.busyCode(), quint16(232));
    // A second operation while the first runs does nothing.
    QVERIFY(!runner.start(std::make_shared<MemoryRead>(Region::E)));
    QVERIFY(!runner.start(std::make_shared<MemoryWrite>(Region::E, std::vector<RowRecord>{})));
    QVERIFY(!runner.reset());

    QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 60000);
    QCOMPARE(outcomes.first().kind, Outcome::Success);
    QCOMPARE(busyAtFinish, 0);
    QVERIFY(allOnOwnerThread);
    QVERIFY(progressEvents >= 1721);
    QCOMPARE(sim->receivedCount(), 1 + 1721);
    QCOMPARE(table.text(1, ColName).trimmed(), QString("TOWER"));
    QVERIFY(table.inUse(1302));
    QVERIFY(!table.inUse(50));
    // Changes were held back during the run and reported once at its end.
    QCOMPARE(tableChanges, 1);
}

void TestOperationRunner::busyKeepsEverythingElseOutUntilClosing() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});
    LinkState state;
    OperationRunner runner(&state);
    runner.setDevice(sim.device());
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QSignalSpy resets(&runner, &OperationRunner::resetFinished);

    // The program's own one-second reply timer: without the closing the
    // identification would go on for three seconds.
    QVERIFY(runner.start(std::make_shared<Identify>(Region::E)));
    QVERIFY(sim->waitForFrames(1, 10000));
    QVERIFY(state.isBusy());
    QVERIFY(!runner.start(std::make_shared<MemoryRead>(Region::E)));
    QVERIFY(!runner.reset());

    runner.cancel();
    QVERIFY(state.isClosing());
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    const Outcome o = finished.at(0).at(0).value<Outcome>();
    QCOMPARE(o.kind, Outcome::Cancelled);
    QVERIFY(!o.showMessage);
    QVERIFY(o.message.isEmpty());
    QCOMPARE(state.busyCode(), quint16(0));
    QCOMPARE(sim->receivedCount(), 1);

    // After the closing nothing starts.
    QVERIFY(!runner.start(std::make_shared<Identify>(Region::E)));
    QVERIFY(!runner.reset());
    QCOMPARE(resets.size(), 0);
}

void TestOperationRunner::resultFlagAndFailureCounter() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    LinkState state;
    OperationRunner runner(&state);
    runner.setDevice(sim.device());
    QSignalSpy finished(&runner, &OperationRunner::finished);

    state.setResultFlag(LinkState::ResultQuiet);
    QVERIFY(runner.start(std::make_shared<Identify>(Region::E)));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QVERIFY(!finished.at(0).at(0).value<Outcome>().showMessage);
    QCOMPARE(state.resultFlag(), LinkState::ResultNormal);

    sim->setRegion(Region::J);
    QVERIFY(runner.start(std::make_shared<Identify>(Region::E)));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 30000);
    const Outcome failed = finished.at(1).at(0).value<Outcome>();
    QCOMPARE(failed.kind, Outcome::Error);
    QVERIFY(failed.showMessage);
    QCOMPARE(state.resultFlag(), LinkState::ResultFailed);
    QCOMPARE(state.failureCounter(), quint8(3));

    runner.setDevice("/dev/rz-v70-no-such-port");
    QVERIFY(runner.start(std::make_shared<MemoryRead>(Region::E)));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 30000);
    const Outcome port = finished.at(2).at(0).value<Outcome>();
    QCOMPARE(port.kind, Outcome::PortError);
    QCOMPARE(port.message, QString("Port Error"));
    QVERIFY(port.detail.contains("/dev/rz-v70-no-such-port"));
}

void TestOperationRunner::resetReportsOnlyPortErrors() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    LinkState state;
    OperationRunner runner(&state);
    QSignalSpy resets(&runner, &OperationRunner::resetFinished);
    QSignalSpy finished(&runner, &OperationRunner::finished);

    runner.setDevice(sim.device());
    QVERIFY(runner.reset());
    QTRY_COMPARE_WITH_TIMEOUT(resets.size(), 1, 30000);
    QCOMPARE(resets.at(0).at(0).value<Outcome>().kind, Outcome::Success);
    QVERIFY(!resets.at(0).at(0).value<Outcome>().showMessage);
    QVERIFY(sim->waitForFrames(1, 10000));
    QCOMPARE(sim->receivedFrames(), QList<QByteArray>{"ZT~RESET\r"});
    QCOMPARE(state.busyCode(), quint16(0));

    runner.setDevice("/dev/rz-v70-no-such-port");
    QVERIFY(runner.reset());
    QTRY_COMPARE_WITH_TIMEOUT(resets.size(), 2, 30000);
    const Outcome o = resets.at(1).at(0).value<Outcome>();
    QCOMPARE(o.kind, Outcome::PortError);
    QVERIFY(o.showMessage);
    QCOMPARE(o.title, QString(" Error"));
    QCOMPARE(finished.size(), 0);
}

void TestOperationRunner::operationsMayChangeTheirBusyCode() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    LinkState state;
    OperationRunner runner(&state);
    runner.setDevice(sim.device());
    QSignalSpy busy(&state, &LinkState::busyChanged);
    QSignalSpy finished(&runner, &OperationRunner::finished);
    QVERIFY(runner.start(std::make_shared<TwoPhases>()));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QList<int> codes;
    for (const auto& args : busy)
        codes.append(args.at(0).toInt());
    QCOMPARE(codes, (QList<int>{5, 6, 0}));
}

QTEST_GUILESS_MAIN(TestOperationRunner)
#include "tst_operation_runner.moc"
