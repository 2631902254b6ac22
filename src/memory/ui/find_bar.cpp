#include "memory/ui/find_bar.h"

#include "gui/radio_facade.h"
#include "memory/channel_find.h"
#include "memory/ui/channel_grid.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace rz {

FindBar::FindBar(ChannelTable& table, ChannelGrid& grid, RadioFacade& radio)
    : QFrame(&grid), table_(table), grid_(grid), radio_(radio), text_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("FindBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setPlaceholderText(tr("Name or frequency"));
    text_->setClearButtonEnabled(true);
    text_->installEventFilter(this);
    status_->setObjectName(QStringLiteral("FindStatus"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(tr("Find:"), this));
    layout->addWidget(text_);
    layout->addWidget(status_);
    connect(text_, &QLineEdit::textEdited, status_, &QLabel::clear);

    addAction(tr("Find(&F)\u2026"), "EditFind", QKeySequence::Find, &FindBar::open);
    addAction(tr("Find next"), "EditFindNext", QKeySequence(Qt::Key_F3), &FindBar::findNext);
    addAction(tr("Find previous"), "EditFindPrevious", QKeySequence(Qt::SHIFT | Qt::Key_F3),
              &FindBar::findPrevious);
    hide();
}

QAction* FindBar::addAction(const QString& caption, const char* name, const QKeySequence& key,
                            void (FindBar::*slot)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, radio_.whenIdle([this, slot] {
        if (grid_.isVisible())
            (this->*slot)();
    }));
    actions_ << action;
    return action;
}

void FindBar::open() {
    place();
    show();
    raise();
    text_->setFocus();
    text_->selectAll();
}

void FindBar::place() {
    const int width = std::min(grid_.width() / 2, 360);
    const int right = grid_.width() - grid_.verticalScrollBar()->sizeHint().width() - 2;
    resize(width, sizeHint().height());
    move(right - width, grid_.horizontalHeader()->height() + 2);
}

void FindBar::find(bool forward) {
    if (text_->text().trimmed().isEmpty()) {
        open();
        return;
    }
    const int row = memory::findRow(table_, text_->text(), grid_.currentRow(), forward);
    if (row == 0) {
        status_->setText(tr("Not found"));
        return;
    }
    const bool wrapped = forward ? row <= grid_.currentRow() : row >= grid_.currentRow();
    status_->setText(wrapped ? tr("Wrapped") : QString());
    grid_.selectRow(row);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    // The line edit passes Enter on: the grid below would open the channel
    // dialog.
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findNext();
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            grid_.setFocus();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace rz
