#include "app/all_transfers.h"

#include "app/data_safety.h"
#include "gui/operation_controls.h"
#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"
#include "model/data_set.h"
#include "transfer/all_transfer.h"

namespace rz {

AllTransfers::AllTransfers(DataSet& data, RadioFacade& radio, QWidget* window,
                           std::function<UserDialogs&()> dialogs)
    : data_(data), radio_(radio), window_(window), dialogs_(std::move(dialogs)) {
    connect(&radio_, &RadioFacade::finished, this, [this](const Outcome& outcome) {
        if (running_)
            ended(outcome.kind == Outcome::Success);
    });
}

void AllTransfers::readAll() {
    if (radio_.isBusy())
        return;
    if (safety_ && !safety_->readAllStarting())
        return; // "Save changes?" answered Cancel
    controls::setRegionOptionsEnabled(window_, false);
    radio_.linkState().setReadAllMode(LinkState::ReadAllRunning);
    started(radio_.start(std::make_shared<ReadAll>(radio_.region())), true);
}

void AllTransfers::writeAll() {
    if (radio_.isBusy())
        return;
    if (safety_ && !safety_->confirmStartUpWrite())
        return;
    if (!data_.banks.isConsistent()) {
        if (!dialogs_().askOkCancel(QStringLiteral("Bank Total Error. Init Data?"),
                                    QStringLiteral("Caution")))
            return;
        data_.banks.loadDefault();
        RefreshBankRowLabels(data_.banks, data_.channels);
    }
    if (safety_)
        safety_->writeAllStarting();
    controls::setRegionOptionsEnabled(window_, false);
    started(radio_.start(std::make_shared<WriteAll>(radio_.region(), data_)), false);
}

void AllTransfers::started(bool ok, bool reading) {
    running_ = ok;
    reading_ = reading;
    if (!ok) // another job holds the port
        ended(false);
}

void AllTransfers::ended(bool success) {
    running_ = false;
    if (reading_ && safety_)
        safety_->readAllFinished(success);
    reading_ = false;
    radio_.linkState().setReadAllMode(LinkState::ReadAllOff);
    controls::setRegionOptionsEnabled(window_, true);
}

} // namespace rz
