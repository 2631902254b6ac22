#pragma once
// Connects the main window to the radio operations: starts them on the
// operation runner's thread, shows their progress, applies what they read
// to the channel table, and ends each with its message and the
// end-of-operation routine.
#include "link/operation.h"
#include <QObject>
#include <memory>

namespace rz {

class ChannelTableApplier;
class MainWindow;
class OperationRunner;

class RadioOperations : public QObject {
    Q_OBJECT
public:
    explicit RadioOperations(MainWindow& window);
    ~RadioOperations() override;

    OperationRunner& runner() { return *runner_; }
    // Timers of the operations started from now on (tests shorten them).
    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }

    // The Memory tab's transfers and the receiver reset; each does nothing
    // while another radio operation runs.
    bool memoryRead();
    bool memoryWrite();
    bool oneMemoryRead();
    bool oneMemoryWrite();
    bool reset();

private:
    bool start(std::shared_ptr<Operation> operation);
    void finish(const Outcome& outcome);
    void show(const Outcome& outcome);
    void endOfOperation();

    MainWindow& window_;
    OperationRunner* runner_;
    ChannelTableApplier* applier_;
    Timeouts timeouts_;
};

} // namespace rz
