#include "link/operation_runner.h"

#include "link/identification.h"
#include "link/sink_relays.h"

#include <QMetaObject>
#include <QThread>

namespace rz {

// Moves the busy code as the operation says, while it runs.
class OperationRunner::BusyCodeSink : public OperationSink {
public:
    explicit BusyCodeSink(OperationRunner* runner) : runner_(runner) {}
    void busyCode(quint16 code) override {
        if (runner_->running_ && !runner_->isClosing())
            runner_->state_->setBusyCode(code);
    }

private:
    OperationRunner* runner_;
};

OperationRunner::OperationRunner(LinkState* state, QObject* parent)
    : QObject(parent), state_(state), busySink_(std::make_unique<BusyCodeSink>(this)),
      thread_(new QThread(this)), worker_(new QObject) {
    qRegisterMetaType<rz::Outcome>();
    thread_->setObjectName(QStringLiteral("radio"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->start();
}

OperationRunner::~OperationRunner() {
    token_.cancel();
    thread_->quit();
    thread_->wait();
}

void OperationRunner::setDevice(const QString& device) {
    device_ = device;
}

bool OperationRunner::start(std::shared_ptr<const Operation> operation, OperationSink* sink) {
    if (!operation || running_ || token_.isCancelled())
        return false;
    running_ = true;
    // A window's operation keeps out of the main window's link state; it
    // still holds the gate.
    windowJob_ = operation->isWindowOperation();
    const bool quiet = !windowJob_ && state_->resultFlag() == LinkState::ResultQuiet;
    if (!windowJob_)
        state_->setBusyCode(operation->busyCode());
    jobSink_ = std::make_unique<SinkFan>(
        std::initializer_list<OperationSink*>{windowJob_ ? nullptr : busySink_.get(), sink});
    const QString device = device_;
    CancelToken* token = &token_;
    OperationSink* here = jobSink_.get();
    QMetaObject::invokeMethod(
        worker_,
        [this, operation, device, token, quiet, here] {
            QueuedSink relay(this, *here, token);
            Link link(device, token);
            const Outcome outcome = operation->run(link, relay, quiet);
            QMetaObject::invokeMethod(
                this, [this, outcome] { complete(outcome); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void OperationRunner::complete(const Outcome& outcome) {
    running_ = false;
    if (!windowJob_) {
        state_->setFailureCounter(quint8(qMin(outcome.failureCounter, 255)));
        if (outcome.kind == Outcome::Success)
            state_->setResultFlag(LinkState::ResultNormal);
        else if (outcome.kind != Outcome::Cancelled)
            state_->setResultFlag(LinkState::ResultFailed);
        state_->setBusyCode(0);
    }
    emit finished(outcome);
}

bool OperationRunner::reset() {
    // The reset tests no busy code of its own, but a reset sent in the middle
    // of a transfer is never wanted: it holds the gate like any job.
    if (running_ || token_.isCancelled())
        return false;
    running_ = true;
    const QString device = device_;
    QMetaObject::invokeMethod(
        worker_,
        [this, device] {
            Link link(device);
            const Outcome outcome = resetReceiver(link);
            QMetaObject::invokeMethod(
                this,
                [this, outcome] {
                    running_ = false;
                    emit resetFinished(outcome);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void OperationRunner::resume() {
    if (running_)
        return;
    token_.reset();
    state_->setClosing(false);
}

void OperationRunner::cancel() {
    state_->setClosing(true);
    token_.cancel();
}

} // namespace rz
