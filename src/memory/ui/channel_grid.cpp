#include "memory/ui/channel_grid.h"
#include "memory/channel_grid_model.h"
#include "model/channel_table.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <array>

namespace rz {
namespace {

// Columns 0..12 in twips; column 0 is the fixed label column and column 6,
// the transmit tone, is hidden.
constexpr std::array<int, GridColumnCount> ColumnTwips{1450, 1650, 600, 900,  800, 900, 0,
                                                       900,  600,  600, 1500, 550, 3000};
constexpr int RowTwips = 300;

} // namespace

ChannelGrid::ChannelGrid(ChannelTable& table, QWidget* parent)
    : QTableView(parent), model_(new ChannelGridModel(table, this)) {
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The grid is one control among others: Tab and Shift+Tab move the
    // focus on to them, the arrows move between cells.
    setTabKeyNavigation(false);

    // The label column is the vertical heading, which stays in place when
    // the grid scrolls sideways; the model's column 0 is therefore hidden.
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(px(RowTwips));
    rows->setDefaultSectionSize(px(RowTwips));
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rows->setFixedWidth(px(ColumnTwips[ColLabel]));
    setColumnHidden(ColLabel, true);

    QHeaderView* columns = horizontalHeader();
    columns->setMinimumSectionSize(0);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setFixedHeight(px(RowTwips));
    columns->setHighlightSections(false);
    for (int c = 1; c < GridColumnCount; ++c)
        setColumnWidth(c, px(ColumnTwips[size_t(c)]));
    setColumnHidden(ColTxTone, true);

    connect(this, &QTableView::doubleClicked, this, [this] { emit openRequested(true); });
    connect(rows, &QHeaderView::sectionDoubleClicked, this, [this] { emit openRequested(true); });
    selectRow(1);
}

int ChannelGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

int ChannelGrid::selectionEnd() const {
    const int current = currentRow();
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        return current;
    int top = selection.first().top(), bottom = selection.first().bottom();
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    // The cursor sits at one end of the range; the selection end is the other.
    return current == top + 1 ? bottom + 1 : top + 1;
}

memory::RowRange ChannelGrid::selectedRows() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        return {currentRow(), currentRow()};
    memory::RowRange rows{selection.first().top() + 1, selection.first().bottom() + 1};
    for (const QItemSelectionRange& range : selection) {
        rows.first = std::min(rows.first, range.top() + 1);
        rows.last = std::max(rows.last, range.bottom() + 1);
    }
    return rows;
}

void ChannelGrid::placeRows(int current, int end) {
    // Moving the current index scrolls to it only while auto-scroll is on.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectRows(current, end);
    setAutoScroll(scrolls);
}

void ChannelGrid::setHighlight(bool on) {
    if (on == highlight_)
        return;
    highlight_ = on;
    if (!on) {
        highlighted_ = palette();
        QPalette plain = highlighted_;
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            plain.setColor(group, QPalette::Highlight, plain.color(group, QPalette::Base));
            plain.setColor(group, QPalette::HighlightedText, plain.color(group, QPalette::Text));
        }
        setPalette(plain);
    } else {
        setPalette(highlighted_);
    }
}

void ChannelGrid::selectRows(int current, int end) {
    current = std::clamp(current, 1, ChannelTable::RowCount);
    end = std::clamp(end, 1, ChannelTable::RowCount);
    const QModelIndex cursor = model_->index(current - 1, ColFrequency);
    const QItemSelection rows(model_->index(std::min(current, end) - 1, ColFrequency),
                              model_->index(std::max(current, end) - 1, ColName));
    selectionModel()->setCurrentIndex(cursor, QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int ChannelGrid::topRow() const {
    return rowAt(0) + 1;
}

void ChannelGrid::setTopRow(int row) {
    verticalScrollBar()->setValue(row - 1);
}

int ChannelGrid::visibleRows() const {
    return std::max(1, viewport()->height() / std::max(1, rowHeight(0)));
}

void ChannelGrid::moveDown() {
    const int row = std::min(currentRow() + 1, ChannelTable::RowCount);
    const int top = topRow();
    if (row >= top + visibleRows() - 1)
        setTopRow(top + 1);
    placeRow(row);
}

void ChannelGrid::moveUp() {
    const int row = std::max(currentRow() - 1, 1);
    const int top = topRow();
    if (row <= top && top >= 2)
        setTopRow(top - 1);
    placeRow(row);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Delete:
        emit deleteRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit openRequested(false);
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

} // namespace rz
