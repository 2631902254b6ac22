#include "memory/ui/grid_clipboard.h"

#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"
#include "memory/row_clipboard.h"
#include "memory/ui/channel_grid.h"
#include "model/data_set.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>

namespace rz {

GridClipboard::GridClipboard(DataSet& data, ChannelGrid& grid, RadioFacade& radio,
                             std::function<UserDialogs&()> dialogs, QObject* parent)
    : QObject(parent), data_(data), grid_(grid), radio_(radio), dialogs_(std::move(dialogs)),
      copy_(addAction(tr("Copy(&C)"), "EditCopy", QKeySequence::Copy, [this] { copy(); })),
      cut_(addAction(tr("Cut(&T)"), "EditCut", QKeySequence::Cut, [this] { cut(); })),
      paste_(addAction(tr("Paste(&P)"), "EditPaste", QKeySequence::Paste, [this] { paste(); })) {}

QAction* GridClipboard::addAction(const QString& caption, const char* name, int key,
                                  std::function<void()> command) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(QKeySequence(QKeySequence::StandardKey(key)));
    // The rows of a hidden grid are never what the user means.
    connect(action, &QAction::triggered, this,
            radio_.whenIdle([this, command = std::move(command)] {
                if (grid_.isVisible())
                    command();
            }));
    return action;
}

void GridClipboard::copy() {
    QGuiApplication::clipboard()->setText(memory::copyRows(data_.channels, grid_.selectedRows()));
}

void GridClipboard::cut() {
    const memory::RowRange rows = grid_.selectedRows();
    copy();
    data_.steps.announce(tr("Cut rows %1-%2").arg(rows.first).arg(rows.last));
    memory::clearSelectedRows(data_.channels, rows.first, rows.last);
}

void GridClipboard::paste() {
    const int first = grid_.currentRow();
    const channellist::ImportResult result =
        memory::parsePaste(QGuiApplication::clipboard()->text(), data_.channels, first);
    if (!result.rows.empty()) {
        data_.steps.announce(tr("Paste at row %1").arg(first));
        channellist::applyImport(result, data_.channels);
        grid_.selectRows(first, result.rows.back().row);
    }
    if (!result.outcome.notices.isEmpty())
        dialogs_().message(tr("Paste: %1 stored, %2 refused, %3 changed")
                               .arg(result.rows.size())
                               .arg(result.refused)
                               .arg(result.changed),
                           QStringLiteral(" Finish"),
                           channellist::reportText(result.outcome.notices));
}

} // namespace rz
