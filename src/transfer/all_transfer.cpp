#include "transfer/all_transfer.h"

#include "banks/bank_link_transfer.h"
#include "banks/bank_transfer.h"
#include "banks/one_touch_transfer.h"
#include "font/font_transfer.h"
#include "model/data_set.h"
#include "settings/settings_transfer.h"
#include "transfer/memory_transfer.h"

namespace rz {

namespace {

const QString Channels = QStringLiteral("channels");
const QString Banks = QStringLiteral("banks");
const QString OneTouchKeys = QStringLiteral("one-touch keys");
const QString Settings = QStringLiteral("settings");
const QString Font = QStringLiteral("font");
const QString BankLinks = QStringLiteral("bank links");

Outcome summaryOf(bool failed, int failures, const QString& success) {
    if (failed)
        return Outcome::error(failures);
    Outcome o = Outcome::success(false, failures);
    o.message = success;
    return o;
}

} // namespace

StepSequence::StepSequence(quint16 busyCode, QString summary)
    : busyCode_(busyCode), summary_(std::move(summary)) {}

Outcome StepSequence::execute(Session& s) const {
    bool failed = false;
    int mainFailures = 0;
    for (size_t i = 0; i < steps_.size(); ++i) {
        if (s.isCancelled()) // the window closed while a step's message was up
            return s.cancelled();
        const SequenceStep& step = steps_[i];
        // Each step of the main window starts from busy code 0 and sets its
        // own; a window's step leaves the busy code alone, so the sequence's
        // code keeps the main window's commands out while it runs.
        s.sink().busyCode(step.operation->isWindowOperation() ? busyCode_ : 0);
        s.sink().stepStarted(step.name);
        Outcome outcome = step.operation->runStep(s);
        if (outcome.kind == Outcome::Cancelled)
            return outcome; // closing: no message
        if (step.mainWindow)
            mainFailures = outcome.failureCounter;
        failed = failed || outcome.kind != Outcome::Success;
        s.sink().stepEnded(outcome);
        // A failed channel step, or a port failure where the step has no
        // handling of its own, ends the sequence without a summary; its own
        // message has been shown.
        const bool ends = (i == 0 && outcome.kind != Outcome::Success) ||
                          (step.portErrorEnds && outcome.kind == Outcome::PortError);
        if (ends) {
            outcome.showMessage = false;
            return outcome;
        }
    }
    if (s.isCancelled())
        return s.cancelled();
    return summaryOf(failed, mainFailures, summary_);
}

ReadAll::ReadAll(Region region)
    : StepSequence(MemoryRead::BusyCode, QStringLiteral("Success ALL DATA READ")) {
    steps_ = {
        {Channels, std::make_shared<MemoryRead>(region)},
        {Banks, std::make_shared<BankRead>(region)},
        {OneTouchKeys, std::make_shared<OneTouchRead>(region)},
        {Settings, std::make_shared<ReadSettings>(region, OpeningMessage::With)},
        {Font, std::make_shared<FontReadAll>(region, false), false},
        {BankLinks, std::make_shared<BankLinkRead>(region, true), false},
    };
}

WriteAll::WriteAll(Region region, const DataSet& data)
    : StepSequence(MemoryWrite::BusyCode, QStringLiteral("Success ALL DATA WRITE")) {
    const OpeningMessage message =
        data.settings.title().isEmpty() ? OpeningMessage::Without : OpeningMessage::With;
    steps_ = {
        {Channels, std::make_shared<MemoryWrite>(region, rowsToWrite(data.channels))},
        {Banks, std::make_shared<BankWrite>(region, data.banks)},
        {OneTouchKeys, std::make_shared<OneTouchWrite>(region, data.oneTouch)},
        {Settings, std::make_shared<WriteSettings>(region, settingsToWrite(data.settings), message),
         true, true},
    };
    if (data.font.isTouched())
        steps_.push_back(
            {Font, std::make_shared<FontWriteAll>(region, data.font.characters(), true), false});
    steps_.push_back({BankLinks,
                      std::make_shared<BankLinkWrite>(region, data.bankLinks, data.banks, false),
                      false});
}

} // namespace rz
