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
// Wiring for the main window:
//
//     runner = new OperationRunner(linkState, this);
//     runner->setDevice(portDevice);                       // on every port change
//     connect(runner, &OperationRunner::progressValueChanged, bar, &QProgressBar::setValue);
//     ...                                                  // maximum, text, current row
//     new ChannelTableApplier(runner, table);              // records into the grid's table
//     connect(runner, &OperationRunner::finished, this, [](const Outcome& o) {
//         // o.showMessage: show o.message / o.title (o.detail under a port error);
//         // then run the end-of-operation routine (progress "0%" and 0, controls on).
//     });
//     READ_Botton:   runner->start(std::make_shared<MemoryRead>(region));
//     progress bar:  runner->reset();
//     closeEvent:    runner->cancel();
//
// start() does nothing and returns false while the busy code is not 0 (and
// after cancel()). The result flag of the LinkState is read at the start (1:
// no "Success" message) and set when the operation ends (0 after success, 2
// after a failure); the failure counter is copied from the outcome.
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
    // and returns false while another one runs.
    bool start(std::shared_ptr<const Operation> operation);
    // Sends the reset. Ignored (false) while an operation runs; a port that
    // cannot be opened is reported by resetFinished with "Port Error".
    bool reset();
    // The window is closing: sets the closing flag and ends the running
    // wait at once; the operation ends with a Cancelled outcome (no message).
    // The runner starts nothing afterwards.
    void cancel();
    bool isClosing() const { return token_.isCancelled(); }

signals:
    void progressMaximumChanged(int maximum);
    void progressValueChanged(int value);
    void progressTextChanged(const QString& text);
    void currentRowChanged(int row);
    void recordRead(int row, const QByteArray& record);
    void rowsNotInUseCleared(int first, int last);
    void blockRead(quint32 address, const QByteArray& data);
    void finished(const rz::Outcome& outcome);
    void resetFinished(const rz::Outcome& outcome);

private:
    class ForwardingSink;
    void complete(const Outcome& outcome);

    LinkState* state_;
    QString device_;
    QThread* thread_;
    QObject* worker_; // lives on thread_; context of the jobs posted there
    CancelToken token_;
};

} // namespace rz
