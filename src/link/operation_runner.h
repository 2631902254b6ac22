#pragma once
// Runs radio operations for the desktop program, off the user-interface
// thread, and reports back on it.
//
// The runner owns a worker thread; the serial port of each run is created
// and used there. Everything an operation reports reaches the runner's
// signals as queued calls, emitted on the runner's own (owner) thread, in
// the order the operation reported it; `finished` comes last, after the
// busy code has gone back to 0, so a handler may start the next operation.
//
// Wiring:
//
//     runner = new OperationRunner(linkState, this);
//     runner->setDevice(portDevice);                       // before each start
//     runner->start(std::make_shared<MemoryRead>(region), &sink);
//     connect(runner, &OperationRunner::finished, ...);    // message, end of operation
//     progress bar:  runner->reset();
//     closeEvent:    runner->cancel();
//
// The runner is the one gate for the serial port: start() and reset() do
// nothing and return false while a job of either kind runs (and after
// cancel()), whatever the busy code says. The busy code is what the user
// sees: start() sets the operation's code, the operation may move it to
// other codes of its own, and it goes back to 0 before `finished`. The
// result flag of the LinkState is read at the start (1: no "Success"
// message) and set when the operation ends (0 after success, 2 after a
// failure); the failure counter is copied from the outcome. An operation of
// the font window or the bank-link dialog (isWindowOperation) holds the gate
// but leaves the busy code, result flag and failure counter alone.
#include "link/cancel_token.h"
#include "link/link_state.h"
#include "link/operation.h"
#include <QObject>
#include <QString>
#include <memory>

class QThread;

namespace rz {

class OperationRunner : public QObject {
    Q_OBJECT
public:
    explicit OperationRunner(LinkState* state, QObject* parent = nullptr);
    // Cancels what runs and waits for the worker thread to end.
    ~OperationRunner() override;

    // The serial device used by the next operation.
    void setDevice(const QString& device);
    QString device() const { return device_; }

    // Starts an operation: sets its busy code and returns true; does nothing
    // and returns false while another job runs. What the operation reports
    // reaches `sink` (may be null) on the runner's thread, `ended` last.
    bool start(std::shared_ptr<const Operation> operation, OperationSink* sink = nullptr);
    // Sends the reset. Ignored (false) while an operation runs; a port that
    // cannot be opened is reported by resetFinished with "Port Error".
    bool reset();
    // The window is closing: sets the closing flag and ends the running
    // wait at once; the operation ends with a Cancelled outcome (no message).
    // The runner starts nothing afterwards.
    void cancel();
    bool isClosing() const { return token_.isCancelled(); }
    // The window stays after all (its closing was cancelled once the running
    // job had ended): the runner starts jobs again. Nothing while one runs.
    void resume();
    // A job (operation or reset) has been posted and has not finished.
    bool isRunning() const { return running_; }

signals:
    void finished(const rz::Outcome& outcome);
    void resetFinished(const rz::Outcome& outcome);

private:
    class BusyCodeSink;
    void complete(const Outcome& outcome);

    LinkState* state_;
    bool running_ = false;
    bool windowJob_ = false; // the running job is a window's operation
    std::unique_ptr<OperationSink> busySink_;
    std::unique_ptr<OperationSink> jobSink_; // what the running job reports to, here
    QString device_;
    QThread* thread_;
    QObject* worker_; // lives on thread_; context of the jobs posted there
    CancelToken token_;
};

} // namespace rz
