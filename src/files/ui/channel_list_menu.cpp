#include "files/ui/channel_list_menu.h"

#include "files/channel_list.h"
#include "files/ui/file_menu.h"
#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"
#include "model/data_set.h"

#include <QAction>
#include <QFileInfo>

namespace rz {

const QString ChannelListMenu::Filter =
    QStringLiteral("Channel list (*.csv *.CSV)|*.csv *.CSV|All Files (*.*)|*.*");

ChannelListMenu::ChannelListMenu(DataSet& data, RadioFacade& radio, std::function<int()> currentRow,
                                 QObject* parent)
    : QObject(parent), data_(data), radio_(radio), currentRow_(std::move(currentRow)) {}

void ChannelListMenu::attach(QAction* importList, QAction* exportList) {
    connect(importList, &QAction::triggered, this, radio_.whenIdle([this] { this->importList(); }));
    connect(exportList, &QAction::triggered, this, radio_.whenIdle([this] { this->exportList(); }));
}

void ChannelListMenu::importList() {
    if (!dialogs_)
        return;
    const QString path = dialogs_->openFileName(
        tr("Import channel list"), FileMenu::dialogFilter(Filter), FileMenu::initialFolder());
    if (path.isEmpty())
        return;
    const channellist::ImportResult result =
        channellist::importFile(path, data_.channels, currentRow_ ? currentRow_() : 1);
    if (result.outcome.ok) {
        data_.steps.announce(tr("Import %1").arg(QFileInfo(path).fileName()));
        channellist::applyImport(result, data_.channels);
    }
    show(result.outcome);
}

void ChannelListMenu::exportList() {
    if (!dialogs_)
        return;
    // A name typed without an extension gets ".csv", as Save gives ".V70".
    const QString path =
        askSavePath(*dialogs_, FileMenu::dialogFilter(Filter), FileMenu::initialFolder(),
                    QStringLiteral(".csv"), tr("Export channel list"));
    if (path.isEmpty())
        return;
    show(channellist::exportFile(path, data_.channels));
}

void ChannelListMenu::show(const FileOutcome& outcome) {
    if (outcome.ok)
        dialogs_->message(outcome.message, outcome.title, channellist::reportText(outcome.notices));
    else
        dialogs_->message(outcome.message, outcome.title,
                          outcome.reason.isEmpty() ? QString() : outcome.reason);
}

} // namespace rz
