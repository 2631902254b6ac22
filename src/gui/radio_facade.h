#pragma once
// What a page needs to talk to the receiver: the one operation runner (the
// gate that keeps a second job off the port), the region and port chosen in
// the window, and the data set's store sink. A page starts its own
// operations here and applies their reports through the store sink and,
// for what only the page shows, a sink of its own. Every operation ends
// here the same way: its message, then the end-of-operation routine, in
// the order the receiver's programs show them.
#include "link/link_state.h"
#include "link/operation.h"
#include "transfer/data_set_sink.h"
#include <QObject>
#include <functional>
#include <memory>

namespace rz {

struct DataSet;
class OperationRunner;
class UserDialogs;

class RadioFacade : public QObject {
    Q_OBJECT
public:
    explicit RadioFacade(DataSet& data, QObject* parent = nullptr);
    ~RadioFacade() override;

    DataSet& data() { return data_; }
    LinkState& linkState() { return link_; }
    OperationRunner& runner() { return *runner_; }
    DataSetSink& storeSink() { return store_; }

    // Where the region and the port come from (the window's options and menu).
    void setRegionSource(std::function<Region()> region) { region_ = std::move(region); }
    void setDeviceSource(std::function<QString()> device) { device_ = std::move(device); }
    // The Port menu item chosen ("COM3"): a "Port Error" names it when no
    // device stands behind it.
    void setPortItemSource(std::function<QString()> item) { portItem_ = std::move(item); }
    Region region() const;
    // Where outcomes are shown; none: not shown.
    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
    // The window's progress display, which every operation reports to.
    void setProgressSink(OperationSink* sink) { progress_ = sink; }
    // Asked before an operation starts (the unsaved-changes question, a
    // backup before a write); false: it does not start.
    void setStartGuard(std::function<bool(const Operation&)> guard) { guard_ = std::move(guard); }
    // Timers of the operations started from now on (tests shorten them).
    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }

    // A radio operation is running: the busy code the user sees.
    bool isBusy() const { return link_.isBusy(); }

    // Starts an operation; its reports reach the store sink, the progress
    // display and `pageSink`. False, doing nothing, while another job runs.
    bool start(std::shared_ptr<Operation> operation, OperationSink* pageSink = nullptr);
    // The same for a window with a progress bar of its own (the font
    // window): the main window's progress display is left out.
    bool startInWindow(std::shared_ptr<Operation> operation, OperationSink* windowSink);
    // The reset of the receiver (its own gate: nothing while a job runs).
    bool reset();
    // The window is closing: what runs stops at its next wait, silently.
    void cancel();
    // Closing stops what runs first: returns once it has ended (true), or
    // after `limitMs` when it does not (false).
    bool cancelAndWait(int limitMs = 5000);
    // The window stays after all: operations can start again, and the pages
    // restore the controls of the one that was stopped.
    void resume();

    // A user command that does nothing while a radio operation runs;
    // `otherwise` puts back what the click changed by itself (a check mark).
    std::function<void()> whenIdle(std::function<void()> command,
                                   std::function<void()> otherwise = {}) const;

signals:
    // An operation has started; `finished` follows.
    void started();
    // The end-of-operation routine: the window restores its progress display
    // and controls, the pages their own parts. Not for an operation of the
    // font window or the bank-link dialog, which restore themselves.
    void endOfOperation();
    // After the message and the end of operation.
    void finished(const rz::Outcome& outcome);

private:
    class StepMessages;
    // A step of a sequence has ended: its message and its end of operation,
    // as for an operation of its own (nothing once the window is closing).
    void stepFinished(const Outcome& outcome);
    bool begin(std::shared_ptr<Operation> operation, OperationSink* progress,
               OperationSink* pageSink);
    // The device of the jobs from now on, and the item without a device.
    void takeDevice();
    void finish(const Outcome& outcome);
    // The message and the end-of-operation routine, in their order.
    void conclude(const Outcome& outcome);
    void show(const Outcome& outcome);

    DataSet& data_;
    LinkState link_;
    DataSetSink store_;
    std::function<Region()> region_;
    std::function<QString()> device_;
    std::function<QString()> portItem_;
    QString itemWithoutDevice_; // the running job's port item, when it has no device
    std::function<bool(const Operation&)> guard_;
    UserDialogs* dialogs_ = nullptr;
    OperationSink* progress_ = nullptr;
    Timeouts timeouts_;
    std::unique_ptr<OperationSink> stepMessages_;
    std::unique_ptr<OperationSink> jobSink_;  // the running job's reports fan out here
    bool windowJob_ = false;                  // a window's operation: no end-of-operation routine
    std::unique_ptr<OperationRunner> runner_; // goes first, with its pending reports
};

} // namespace rz
