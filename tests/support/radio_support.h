#pragma once
// Helpers for the tests that talk to the simulator over a real
// pseudo-terminal.
#include "link/link.h"
#include "link/operation.h"
#include "sim/simulator.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace rz::test {

// A simulator that runs for the life of the object; a test that cannot start
// one ends at once.
class RunningSimulator {
public:
    RunningSimulator();
    sim::Simulator& operator*() { return *sim_; }
    sim::Simulator* operator->() { return sim_.get(); }
    QString device() const { return sim_->devicePath(); }

private:
    std::unique_ptr<sim::Simulator> sim_;
};

// Everything an operation reported, in order.
class RecordingSink : public OperationSink {
public:
    struct Record {
        int row;
        QByteArray bytes;
    };

    void progressMaximum(int maximum) override { maximums.append(maximum); }
    void progressValue(int value) override { values.append(value); }
    void progressText(const QString& text) override { texts.append(text); }
    void currentRow(int row) override { rows.append(row); }
    void recordRead(int row, const QByteArray& record) override {
        records.push_back({row, record});
    }
    void clearRowsNotInUse(int first, int last) override { cleared.append({first, last}); }

    QList<int> maximums;
    QList<int> values;
    QStringList texts;
    QList<int> rows;
    std::vector<Record> records;
    QList<QPair<int, int>> cleared;

    QList<int> recordRows() const;
};

// A running simulator, a link to it and a sink for what an operation
// reports.
struct SimLink {
    RunningSimulator sim;
    Link link{sim.device()};
    RecordingSink sink;
};

// Frames of the simulator's log with the final CR removed, for readable
// comparisons.
QList<QByteArray> framesWithoutCr(const sim::Simulator& sim);

// A 64-byte channel record in use at the given frequency, with a name.
QByteArray channelRecord(quint32 hz, const QByteArray& name);

// Timers short enough for tests whose receiver stays silent.
Timeouts shortTimeouts(int ms = 60);

} // namespace rz::test
