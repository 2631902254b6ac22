#include "app/radio_operations.h"

#include "app/main_window.h"
#include "app/user_dialogs.h"
#include "link/operation_runner.h"
#include "memory/ui/channel_grid.h"
#include "transfer/memory_transfer.h"

namespace rz {

RadioOperations::RadioOperations(MainWindow& window)
    : QObject(&window), window_(window), runner_(new OperationRunner(&window.linkState(), this)),
      applier_(new ChannelTableApplier(runner_, &window.channelTable())) {
    applier_->setParent(this);
    connect(runner_, &OperationRunner::progressMaximumChanged, this,
            [this](int maximum) { window_.setProgress(0, maximum); });
    connect(runner_, &OperationRunner::progressValueChanged, this,
            [this](int value) { window_.setProgress(value, window_.progressMaximum()); });
    connect(runner_, &OperationRunner::progressTextChanged, &window_, &MainWindow::setProgressText);
    connect(runner_, &OperationRunner::currentRowChanged, this,
            [this](int row) { window_.grid()->selectRow(row); });
    connect(runner_, &OperationRunner::finished, this, &RadioOperations::finish);
    connect(runner_, &OperationRunner::resetFinished, this, &RadioOperations::show);
    connect(&window_, &MainWindow::closing, runner_, &OperationRunner::cancel);
}

RadioOperations::~RadioOperations() = default;

bool RadioOperations::memoryRead() {
    return start(std::make_shared<MemoryRead>(window_.region()));
}

bool RadioOperations::memoryWrite() {
    return start(
        std::make_shared<MemoryWrite>(window_.region(), rowsToWrite(window_.channelTable())));
}

bool RadioOperations::oneMemoryRead() {
    return start(std::make_shared<OneMemoryRead>(window_.region(), window_.currentRow(),
                                                 window_.selectionEnd()));
}

bool RadioOperations::oneMemoryWrite() {
    return start(std::make_shared<OneMemoryWrite>(
        window_.region(),
        selectedRows(window_.channelTable(), window_.currentRow(), window_.selectionEnd())));
}

bool RadioOperations::reset() {
    runner_->setDevice(window_.selectedPortDevice());
    return runner_->reset();
}

bool RadioOperations::start(std::shared_ptr<Operation> operation) {
    if (window_.linkState().isBusy())
        return false;
    operation->timeouts = timeouts_;
    runner_->setDevice(window_.selectedPortDevice());
    return runner_->start(std::move(operation));
}

void RadioOperations::finish(const Outcome& outcome) {
    if (outcome.kind == Outcome::Cancelled)
        return; // the window is closing: no message
    // A success is shown while the progress still says 100%; a failure
    // after the window has been restored.
    if (outcome.kind == Outcome::Success) {
        show(outcome);
        endOfOperation();
    } else {
        endOfOperation();
        show(outcome);
    }
}

void RadioOperations::show(const Outcome& outcome) {
    if (outcome.showMessage && !outcome.message.isEmpty())
        window_.userDialogs().message(outcome.message, outcome.title, outcome.detail);
}

void RadioOperations::endOfOperation() {
    window_.setProgressText(QStringLiteral("0%"));
    window_.grid()->selectRow(1);
    window_.setProgress(0, window_.progressMaximum());
}

} // namespace rz
