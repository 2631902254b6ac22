#include "gui/radio_facade.h"

#include "gui/user_dialogs.h"
#include "link/operation_runner.h"
#include "link/sink_relays.h"

#include <QEventLoop>
#include <QTimer>

namespace rz {

class RadioFacade::StepMessages : public OperationSink {
public:
    explicit StepMessages(RadioFacade* facade) : facade_(facade) {}
    void stepEnded(const Outcome& outcome) override { facade_->stepFinished(outcome); }

private:
    RadioFacade* facade_;
};

RadioFacade::RadioFacade(DataSet& data, QObject* parent)
    : QObject(parent), data_(data), store_(data),
      stepMessages_(std::make_unique<StepMessages>(this)),
      runner_(std::make_unique<OperationRunner>(&link_)) {
    connect(runner_.get(), &OperationRunner::finished, this, &RadioFacade::finish);
    connect(runner_.get(), &OperationRunner::resetFinished, this, &RadioFacade::show);
}

RadioFacade::~RadioFacade() = default;

Region RadioFacade::region() const {
    return region_ ? region_() : Region::E;
}

bool RadioFacade::start(std::shared_ptr<Operation> operation, OperationSink* pageSink) {
    return begin(std::move(operation), progress_, pageSink);
}

bool RadioFacade::startInWindow(std::shared_ptr<Operation> operation, OperationSink* windowSink) {
    return begin(std::move(operation), nullptr, windowSink);
}

bool RadioFacade::begin(std::shared_ptr<Operation> operation, OperationSink* progress,
                        OperationSink* pageSink) {
    if (runner_->isRunning() || (guard_ && !guard_(*operation)))
        return false;
    operation->timeouts = timeouts_;
    const bool window = operation->isWindowOperation();
    takeDevice();
    auto sink = std::make_unique<SinkFan>(
        std::initializer_list<OperationSink*>{&store_, progress, pageSink, stepMessages_.get()});
    if (!runner_->start(std::move(operation), sink.get()))
        return false; // the running job keeps its sinks
    jobSink_ = std::move(sink);
    windowJob_ = window;
    emit started();
    return true;
}

bool RadioFacade::reset() {
    if (runner_->isRunning())
        return false;
    takeDevice();
    return runner_->reset();
}

void RadioFacade::takeDevice() {
    const QString device = device_ ? device_() : QString();
    runner_->setDevice(device);
    itemWithoutDevice_ = device.isEmpty() && portItem_ ? portItem_() : QString();
}

void RadioFacade::cancel() {
    runner_->cancel();
}

bool RadioFacade::cancelAndWait(int limitMs) {
    cancel();
    if (!runner_->isRunning())
        return true;
    QEventLoop loop;
    connect(runner_.get(), &OperationRunner::finished, &loop, &QEventLoop::quit);
    connect(runner_.get(), &OperationRunner::resetFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return !runner_->isRunning();
}

void RadioFacade::resume() {
    if (runner_->isRunning())
        return;
    const bool stopped = link_.isClosing();
    runner_->resume();
    if (stopped)
        emit endOfOperation();
}

std::function<void()> RadioFacade::whenIdle(std::function<void()> command,
                                            std::function<void()> otherwise) const {
    return [this, command = std::move(command), otherwise = std::move(otherwise)] {
        if (!isBusy())
            command();
        else if (otherwise)
            otherwise();
    };
}

void RadioFacade::finish(const Outcome& outcome) {
    if (windowJob_) // its window restores itself
        show(outcome);
    else if (outcome.kind != Outcome::Cancelled) // closing: no message
        conclude(outcome);
    emit finished(outcome);
}

void RadioFacade::conclude(const Outcome& outcome) {
    // A success is shown while the progress still says 100%; a failure
    // after the window has been restored.
    if (outcome.kind == Outcome::Success) {
        show(outcome);
        emit endOfOperation();
    } else {
        emit endOfOperation();
        show(outcome);
    }
}

void RadioFacade::stepFinished(const Outcome& outcome) {
    if (!link_.isClosing())
        conclude(outcome);
}

void RadioFacade::show(const Outcome& outcome) {
    if (!dialogs_ || !outcome.showMessage || outcome.message.isEmpty())
        return;
    const bool noDevice = outcome.kind == Outcome::PortError && !itemWithoutDevice_.isEmpty();
    dialogs_->message(outcome.message, outcome.title,
                      noDevice ? noDeviceBehind(itemWithoutDevice_) : outcome.detail);
}

} // namespace rz
