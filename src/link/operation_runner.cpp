#include "link/operation_runner.h"

#include "link/identification.h"

#include <QMetaObject>
#include <QThread>

namespace rz {

class OperationRunner::ForwardingSink : public OperationSink {
public:
    explicit ForwardingSink(OperationRunner* runner) : runner_(runner) {}

    void progressMaximum(int maximum) override {
        post([=](OperationRunner* r) { emit r->progressMaximumChanged(maximum); });
    }
    void progressValue(int value) override {
        post([=](OperationRunner* r) { emit r->progressValueChanged(value); });
    }
    void progressText(const QString& text) override {
        post([=](OperationRunner* r) { emit r->progressTextChanged(text); });
    }
    void currentRow(int row) override {
        post([=](OperationRunner* r) { emit r->currentRowChanged(row); });
    }
    void recordRead(int row, const QByteArray& record) override {
        post([=](OperationRunner* r) { emit r->recordRead(row, record); });
    }
    void clearRowsNotInUse(int first, int last) override {
        post([=](OperationRunner* r) { emit r->rowsNotInUseCleared(first, last); });
    }
    void blockRead(quint32 address, const QByteArray& data) override {
        post([=](OperationRunner* r) { emit r->blockRead(address, data); });
    }

    void busyCode(quint16 code) override {
        post([=](OperationRunner* r) {
            if (r->state_->isBusy() && code != 0)
                r->state_->setBusyCode(code);
        });
    }

    template <typename F> void post(F f) {
        OperationRunner* r = runner_;
        QMetaObject::invokeMethod(
            r, [r, f] { f(r); }, Qt::QueuedConnection);
    }

private:
    OperationRunner* runner_;
};

OperationRunner::OperationRunner(LinkState* state, QObject* parent)
    : QObject(parent), state_(state), thread_(new QThread(this)), worker_(new QObject) {
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

bool OperationRunner::start(std::shared_ptr<const Operation> operation) {
    if (!operation || state_->isBusy() || token_.isCancelled())
        return false;
    const bool quiet = state_->resultFlag() == LinkState::ResultQuiet;
    state_->setBusyCode(operation->busyCode());
    const QString device = device_;
    CancelToken* token = &token_;
    QMetaObject::invokeMethod(
        worker_,
        [this, operation, device, token, quiet] {
            ForwardingSink sink(this);
            Link link(device, token);
            const Outcome outcome = operation->run(link, sink, quiet);
            sink.post([outcome](OperationRunner* r) { r->complete(outcome); });
        },
        Qt::QueuedConnection);
    return true;
}

void OperationRunner::complete(const Outcome& outcome) {
    state_->setFailureCounter(quint8(qMin(outcome.failureCounter, 255)));
    if (outcome.kind == Outcome::Success)
        state_->setResultFlag(LinkState::ResultNormal);
    else if (outcome.kind != Outcome::Cancelled)
        state_->setResultFlag(LinkState::ResultFailed);
    state_->setBusyCode(0);
    emit finished(outcome);
}

bool OperationRunner::reset() {
    if (state_->isBusy() || token_.isCancelled())
        return false;
    const QString device = device_;
    QMetaObject::invokeMethod(
        worker_,
        [this, device] {
            Link link(device);
            const Outcome outcome = resetReceiver(link);
            QMetaObject::invokeMethod(
                this, [this, outcome] { emit resetFinished(outcome); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void OperationRunner::cancel() {
    state_->setClosing(true);
    token_.cancel();
}

} // namespace rz
