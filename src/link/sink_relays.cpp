#include "link/sink_relays.h"

#include <atomic>
#include <memory>

namespace rz {

void QueuedSink::stepEnded(const Outcome& outcome) {
    OperationSink* target = &target_;
    if (!cancel_) {
        QMetaObject::invokeMethod(
            context_, [target, outcome] { target->stepEnded(outcome); },
            Qt::BlockingQueuedConnection);
        return;
    }
    // The flag outlives this call: after a cancel the call may still run.
    auto done = std::make_shared<std::atomic<bool>>(false);
    CancelToken* cancel = cancel_;
    QMetaObject::invokeMethod(
        context_,
        [target, outcome, done, cancel] {
            target->stepEnded(outcome);
            done->store(true);
            cancel->wakeAll();
        },
        Qt::QueuedConnection);
    cancel_->waitUntil([&done] { return done->load(); });
}

SinkFan::SinkFan(std::initializer_list<OperationSink*> sinks) {
    for (OperationSink* sink : sinks)
        add(sink);
}

void SinkFan::add(OperationSink* sink) {
    if (sink)
        sinks_.push_back(sink);
}

void SinkFan::progressMaximum(int maximum) {
    each(&OperationSink::progressMaximum, maximum);
}
void SinkFan::progressValue(int value) {
    each(&OperationSink::progressValue, value);
}
void SinkFan::progressText(const QString& text) {
    each(&OperationSink::progressText, text);
}
void SinkFan::currentRow(int row) {
    each(&OperationSink::currentRow, row);
}
void SinkFan::recordRead(int row, const QByteArray& record) {
    each(&OperationSink::recordRead, row, record);
}
void SinkFan::clearRowsNotInUse(int first, int last) {
    each(&OperationSink::clearRowsNotInUse, first, last);
}
void SinkFan::blockRead(quint32 address, const QByteArray& data) {
    each(&OperationSink::blockRead, address, data);
}
void SinkFan::busyCode(quint16 code) {
    each(&OperationSink::busyCode, code);
}
void SinkFan::stepStarted(const QString& step) {
    each(&OperationSink::stepStarted, step);
}

void SinkFan::bankLinkWindowOpens() {
    each(&OperationSink::bankLinkWindowOpens);
}
void SinkFan::stepEnded(const Outcome& outcome) {
    each(&OperationSink::stepEnded, outcome);
}
void SinkFan::ended(const Outcome& outcome) {
    each(&OperationSink::ended, outcome);
}

} // namespace rz
