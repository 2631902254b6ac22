#include "banks/ui/bank_link_dialog.h"

#include "banks/bank_link_transfer.h"
#include "gui/radio_facade.h"
#include "gui/text_fit.h"
#include "memory/ui/channel_grid.h"
#include "model/data_set.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace rz {
namespace {

int px(int twips) {
    return ChannelGrid::px(twips);
}

const char* const ButtonNames[] = {"GROUP_READ", "GROUP_WRITE", "Command1", "Command2"};

const QColor MemberBack(0, 0, 128), MemberText(255, 0, 0);
const QColor EmptyBack(128, 128, 128), EmptyText(255, 0, 0);

QString groupName(int group) {
    return group < 10 ? QStringLiteral("Group%1").arg(group) : QStringLiteral("GroupB");
}

bool isSeparator(int column) {
    return column > 0 && column % 11 == 0;
}

} // namespace

BankLinkDialog::BankLinkDialog(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QDialog(parent), data_(data), links_(data.bankLinks), radio_(radio) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("BANK-LINK Setting"));
    layOut();
    buildGrid();
    paintCells();
    connect(&links_, &BankLinkTable::changed, this, &BankLinkDialog::paintCells);
    connect(&radio_, &RadioFacade::finished, this, &BankLinkDialog::transferEnded);
    autoRead_ = radio_.linkState().readAllMode() == LinkState::ReadAllRunning;
}

int BankLinkDialog::bankOfColumn(int column) {
    if (column < 1 || column >= Columns || isSeparator(column))
        return -1;
    return column - 1 - column / 11;
}

void BankLinkDialog::layOut() {
    const int left = 120, top = 360;
    grid_ = new QTableWidget(Rows, Columns, this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setGeometry(px(left), px(top), px(10585), px(2400));
    for (int i = 0; i < 5; ++i) {
        // The wave dash is the full-width tilde.
        auto* label = new QLabel(QStringLiteral("BANK%1～%2").arg(i * 10).arg(i * 10 + 9), this);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        label->setGeometry(px(left + 700 + i * 2020), px(100), px(2000), px(250));
    }
    const char* const captions[] = {"Read", "Write", "Clear", "OK"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QLatin1String(captions[i]), this);
        button->setObjectName(QLatin1String(ButtonNames[i]));
        button->setGeometry(px(left + i * 1500), px(top + 2600), px(1300), px(375));
    }
    connect(findChild<QPushButton*>("GROUP_READ"), &QPushButton::clicked, this,
            &BankLinkDialog::GROUP_READ_Click);
    connect(findChild<QPushButton*>("GROUP_WRITE"), &QPushButton::clicked, this,
            &BankLinkDialog::GROUP_WRITE_Click);
    connect(findChild<QPushButton*>("Command1"), &QPushButton::clicked, this,
            &BankLinkDialog::clearGroups);
    connect(findChild<QPushButton*>("Command2"), &QPushButton::clicked, this, [this] {
        if (!busy_)
            accept();
    });
    resize(px(left * 2 + 10800), px(top + 2600 + 375 + 200));
}

void BankLinkDialog::buildGrid() {
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    // A separator of 20 twips would be no wider than a grid line: it gets a
    // few pixels, and the grid is as large as its cells. The group names and
    // the bank digits widen their columns where the font needs it.
    QStringList groups, digits;
    for (int g = 0; g < BankLinkTable::GroupCount; ++g)
        groups << groupName(g);
    for (int d = 0; d < 10; ++d)
        digits << QString::number(d);
    const int groupWidth = std::max(px(700), fit::cellWidth(grid_, groups));
    const int bankWidth = std::max(px(200), fit::cellWidth(grid_, digits));
    int width = 2 * grid_->frameWidth(), height = 2 * grid_->frameWidth();
    for (int c = 0; c < Columns; ++c) {
        grid_->setColumnWidth(c, c == 0 ? groupWidth : isSeparator(c) ? 4 : bankWidth);
        width += grid_->columnWidth(c);
    }
    for (int r = 0; r < Rows; ++r) {
        grid_->setRowHeight(r, px(200));
        height += grid_->rowHeight(r);
    }
    grid_->resize(width, height);
    const QBrush fixed = palette().button();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            if (r == 0 || c == 0 || isSeparator(c))
                item->setBackground(fixed);
            grid_->setItem(r, c, item);
        }
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        grid_->item(0, columnOfBank(b))->setText(QString::number(b % 10));
    for (int g = 0; g < BankLinkTable::GroupCount; ++g)
        grid_->item(g + 1, 0)->setText(groupName(g));
    // The block labels stand above their blocks, the window around the grid.
    for (int i = 0; i < 5; ++i)
        findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(i))
            ->move(grid_->x() + grid_->frameWidth() + grid_->columnViewportPosition(1 + 11 * i),
                   px(100));
    resize(std::max(this->width(), grid_->x() * 2 + grid_->width()), this->height());
    connect(grid_, &QTableWidget::cellClicked, this, &BankLinkDialog::cellClicked);
}

// Members dark blue with red text, empty banks grey with red text, the rest
// as the grid draws them.
void BankLinkDialog::paintCells() {
    for (int b = 0; b < BankLinkTable::BankCount; ++b)
        for (int g = 0; g < BankLinkTable::GroupCount; ++g) {
            QTableWidgetItem* cell = grid_->item(g + 1, columnOfBank(b));
            if (links_.emptyFlag(b)) {
                cell->setBackground(EmptyBack);
                cell->setForeground(EmptyText);
            } else if (links_.entry(g, b) == BankLinkTable::Linked) {
                cell->setBackground(MemberBack);
                cell->setForeground(MemberText);
            } else {
                cell->setBackground(QBrush());
                cell->setForeground(QColor(Qt::black));
            }
        }
}

void BankLinkDialog::cellClicked(int row, int column) {
    const int bank = bankOfColumn(column);
    if (row >= 1 && bank >= 0)
        links_.toggle(row - 1, bank); // an empty bank ignores it
}

void BankLinkDialog::clearGroups() {
    if (!busy_)
        links_.clear();
}

void BankLinkDialog::GROUP_READ_Click() {
    startTransfer(false);
}

void BankLinkDialog::GROUP_WRITE_Click() {
    startTransfer(true);
}

bool BankLinkDialog::startTransfer(bool write) {
    if (busy_)
        return false;
    const bool readAll = radio_.linkState().readAllMode() != LinkState::ReadAllOff;
    std::shared_ptr<Operation> operation;
    if (write)
        operation = std::make_shared<BankLinkWrite>(radio_.region(), links_, data_.banks, readAll);
    else
        operation = std::make_shared<BankLinkRead>(radio_.region(), readAll);
    busy_ = true;
    setButtonsEnabled(false);
    if (radio_.start(operation))
        return true;
    busy_ = false; // another job holds the port
    setButtonsEnabled(true);
    return false;
}

void BankLinkDialog::transferEnded(const Outcome& outcome) {
    if (!busy_)
        return; // not the dialog's operation
    busy_ = false;
    setButtonsEnabled(true);
    LinkState& state = radio_.linkState();
    if (state.readAllMode() == LinkState::ReadAllOff)
        return;
    // Read all waits for the dialog: it closes after its transfer, and says
    // it has finished when the transfer succeeded.
    if (outcome.kind == Outcome::Success)
        state.setReadAllMode(LinkState::ReadAllLinksDone);
    accept();
}

void BankLinkDialog::setButtonsEnabled(bool enabled) {
    for (const char* name : ButtonNames)
        findChild<QPushButton*>(QLatin1String(name))->setEnabled(enabled);
}

void BankLinkDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!autoRead_)
        return;
    autoRead_ = false;
    QTimer::singleShot(0, this, [this] {
        if (!startTransfer(false))
            accept(); // nothing can be read now; Read all goes on
    });
}

void BankLinkDialog::reject() {
    if (!busy_)
        QDialog::reject();
}

} // namespace rz
