#pragma once
// Sinks that pass reports on: to another thread, or to several sinks.
#include "link/cancel_token.h"
#include "link/operation.h"
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <vector>

namespace rz {

// Forwards every report to `target` as a queued call on the thread of
// `context`, in the order the operation made them. The target must live as
// long as calls for it may be pending; they are dropped once the context is
// gone.
//
// A step's end (stepEnded) is the one report the reporting thread waits
// for: the step's message box is dismissed before the next step starts.
// With a cancel token the wait also ends when the window closes, so a
// window that goes away (and waits for this thread) never deadlocks with it.
class QueuedSink : public OperationSink {
public:
    QueuedSink(QObject* context, OperationSink& target, CancelToken* cancel = nullptr)
        : context_(context), target_(target), cancel_(cancel) {}

    void progressMaximum(int maximum) override {
        forward(&OperationSink::progressMaximum, maximum);
    }
    void progressValue(int value) override { forward(&OperationSink::progressValue, value); }
    void progressText(const QString& text) override { forward(&OperationSink::progressText, text); }
    void currentRow(int row) override { forward(&OperationSink::currentRow, row); }
    void recordRead(int row, const QByteArray& record) override {
        forward(&OperationSink::recordRead, row, record);
    }
    void clearRowsNotInUse(int first, int last) override {
        forward(&OperationSink::clearRowsNotInUse, first, last);
    }
    void blockRead(quint32 address, const QByteArray& data) override {
        forward(&OperationSink::blockRead, address, data);
    }
    void busyCode(quint16 code) override { forward(&OperationSink::busyCode, code); }
    void stepStarted(const QString& step) override { forward(&OperationSink::stepStarted, step); }
    void bankLinkWindowOpens() override { forward(&OperationSink::bankLinkWindowOpens); }
    void stepEnded(const Outcome& outcome) override;
    void ended(const Outcome& outcome) override { forward(&OperationSink::ended, outcome); }

private:
    // The arguments are copied into the call: the reporting thread's values
    // are gone by the time it runs.
    template <typename... Params, typename... Args>
    void forward(void (OperationSink::*method)(Params...), const Args&... args) {
        OperationSink* target = &target_;
        QMetaObject::invokeMethod(
            context_, [target, method, args...] { (target->*method)(args...); },
            Qt::QueuedConnection);
    }

    QObject* context_;
    OperationSink& target_;
    CancelToken* cancel_;
};

// Passes every report to each of its sinks in turn.
class SinkFan : public OperationSink {
public:
    SinkFan() = default;
    SinkFan(std::initializer_list<OperationSink*> sinks);
    void add(OperationSink* sink);

    void progressMaximum(int maximum) override;
    void progressValue(int value) override;
    void progressText(const QString& text) override;
    void currentRow(int row) override;
    void recordRead(int row, const QByteArray& record) override;
    void clearRowsNotInUse(int first, int last) override;
    void blockRead(quint32 address, const QByteArray& data) override;
    void busyCode(quint16 code) override;
    void stepStarted(const QString& step) override;
    void bankLinkWindowOpens() override;
    void stepEnded(const Outcome& outcome) override;
    void ended(const Outcome& outcome) override;

private:
    template <typename... Params, typename... Args>
    void each(void (OperationSink::*method)(Params...), const Args&... args) {
        for (OperationSink* sink : sinks_)
            (sink->*method)(args...);
    }

    std::vector<OperationSink*> sinks_;
};

} // namespace rz
