#include "memory/ui/memory_page.h"
#include "gui/radio_facade.h"
#include "memory/channel_form.h"
#include "memory/row_commands.h"
#include "memory/set_memory_data.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/memory_setting_dialog.h"
#include "model/channel_table.h"
#include "model/data_set.h"
#include "model/memory_map.h"
#include "transfer/memory_transfer.h"
#include <QPushButton>

namespace rz {
namespace {

struct ButtonPlace {
    const char* caption;
    const char* name;
    int x, y, width; // twips inside the frame
};

// Beneath the grid, transfers on the left, editing on the right.
constexpr ButtonPlace Buttons[] = {
    {"One Memory Read", "MEM_ONE_READ", 120, 6360, 1800},
    {"One Memory Write", "MEM_ONE_WRITE", 2000, 6360, 1800},
    {"Memory Read", "READ_Botton", 3880, 6360, 1500},
    {"Memory Write", "WRITE_Botton", 5460, 6360, 1500},
    {"Up", "LIST_SET(0)", 7380, 6360, 900},
    {"Down", "LIST_SET(1)", 8360, 6360, 900},
    {"Clear", "Clear_Botton", 9680, 6360, 1500},
    {"All Clear", "ALL_Reset", 11260, 6360, 1500},
};
constexpr int ButtonHeight = 375;

} // namespace

MemoryPage::MemoryPage(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QGroupBox(QStringLiteral("Memory"), parent), table_(data.channels), radio_(radio),
      grid_(new ChannelGrid(table_, this)), runDialog_([](QDialog& dialog) { dialog.exec(); }) {
    setObjectName(QStringLiteral("A_FRAME(0)"));
    layOut();
    connect(grid_, &ChannelGrid::openRequested, this, [this](bool followNavigation) {
        radio_.whenIdle([this, followNavigation] { openDialog(followNavigation); })();
    });
    connect(grid_, &ChannelGrid::deleteRequested, this, radio_.whenIdle([this] { deleteKey(); }));
    connectCommand("Clear_Botton", [this] { clearSelection(); });
    connectCommand("ALL_Reset", [this] { clearAll(); });
    connectCommand("LIST_SET(0)", [this] { grid_->moveUp(); });
    connectCommand("LIST_SET(1)", [this] { grid_->moveDown(); });
    connectCommand("MEM_ONE_READ", [this] { readSelectedChannels(); });
    connectCommand("MEM_ONE_WRITE", [this] { writeSelectedChannels(); });
    connectCommand("READ_Botton", [this] { readChannels(); });
    connectCommand("WRITE_Botton", [this] { writeChannels(); });
    // The end of every operation puts the cursor back on the first row and
    // the highlight on, leaving the view where the user had it.
    connect(&radio_, &RadioFacade::endOfOperation, this, [this] {
        grid_->placeRow(1);
        grid_->setHighlight(true);
    });
}

void MemoryPage::connectCommand(const char* name, std::function<void()> command) {
    connect(button(name), &QPushButton::clicked, this, radio_.whenIdle(std::move(command)));
}

void MemoryPage::GridCursor::currentRow(int row) {
    grid_->placeRow(row);
}

void MemoryPage::layOut() {
    grid_->setGeometry(ChannelGrid::px(100), ChannelGrid::px(270), ChannelGrid::px(13000),
                       ChannelGrid::px(6000));
    for (const ButtonPlace& b : Buttons) {
        auto* button = new QPushButton(QLatin1String(b.caption), this);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(ChannelGrid::px(b.x), ChannelGrid::px(b.y), ChannelGrid::px(b.width),
                            ChannelGrid::px(ButtonHeight));
    }
}

QPushButton* MemoryPage::button(const char* objectName) const {
    return findChild<QPushButton*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}

bool MemoryPage::editRow(int row) {
    if (storing_)
        return false;
    row = memory::dialogRow(row);
    if (row == 0)
        return false;
    const bool pair = memmap::isDualRow(row);

    MemorySettingDialog dialog(radio_.region(), this);
    const QWidget* main = window();
    dialog.move(main->frameGeometry().left(), main->frameGeometry().top() + ChannelGrid::px(1000));
    dialog.load(table_.text(row, ColLabel), form::fromRow(table_.row(row)));
    if (pair)
        dialog.loadSub(table_.text(row + 1, ColLabel),
                       form::fromRow(table_.row(row + 1), FormLimits::subSet()));
    grid_->selectRow(row);
    result_.navigation = DialogResult::Stay;
    runDialog_(dialog);

    if (const auto& outcome = dialog.outcome()) {
        result_ = outcome->result;
        table_.setInUse(row, outcome->firstInUse);
        if (pair)
            table_.setInUse(row + 1, outcome->secondInUse);
    } else {
        result_.action = DialogResult::Nothing; // "Cancel" or the window closed
    }
    Set_Memory_Data();
    return true;
}

void MemoryPage::openDialog(bool followNavigation) {
    int row = grid_->currentRow();
    while (editRow(row)) {
        const int navigation = result_.navigation;
        if (!followNavigation || navigation == DialogResult::Stay)
            return;
        row = grid_->currentRow();
        row = navigation == DialogResult::Next ? memory::nextDialogRow(row)
                                               : memory::previousDialogRow(row);
        grid_->selectRow(row);
    }
}

void MemoryPage::Set_Memory_Data() {
    storing_ = true;
    const int row = grid_->currentRow();
    rz::Set_Memory_Data(result_, table_, row);
    grid_->selectRow(row);
    storing_ = false;
}

void MemoryPage::clearRows() {
    // What is seen selected is what is cleared, whichever row the cursor is
    // on; the selection itself stays as it was.
    const memory::RowRange rows = grid_->selectedRows();
    const memory::RowRange cleared = memory::clearRange(rows.first, rows.last);
    if (!cleared.isEmpty())
        radio_.data().steps.announce(
            cleared.first == cleared.last
                ? tr("Clear row %1").arg(cleared.first)
                : tr("Clear rows %1–%2").arg(cleared.first).arg(cleared.last));
    memory::clearSelectedRows(table_, rows.first, rows.last);
}

void MemoryPage::clearSelection() {
    clearRows();
}

void MemoryPage::deleteKey() {
    clearRows();
}

void MemoryPage::clearAll() {
    QPushButton* self = button("ALL_Reset");
    radio_.data().steps.announce(tr("All Clear"));
    emit progressChanged(0, 100);
    self->setEnabled(false);
    int shown = -1;
    memory::clearAllRows(table_, [&](int value) {
        if (value != shown)
            emit progressChanged(shown = value, 100);
    });
    emit progressChanged(0, 100);
    self->setEnabled(true);
}

void MemoryPage::startTransfer(std::shared_ptr<Operation> operation) {
    // While a transfer runs only the cursor shows the row it is at.
    grid_->setHighlight(false);
    if (!radio_.start(std::move(operation), &cursor_))
        grid_->setHighlight(true);
}

void MemoryPage::readChannels() {
    startTransfer(std::make_shared<MemoryRead>(radio_.region()));
}

void MemoryPage::writeChannels() {
    startTransfer(std::make_shared<MemoryWrite>(radio_.region(), rowsToWrite(table_)));
}

void MemoryPage::readSelectedChannels() {
    const memory::RowRange rows = grid_->selectedRows();
    startTransfer(std::make_shared<OneMemoryRead>(radio_.region(), rows.first, rows.last));
}

void MemoryPage::writeSelectedChannels() {
    const memory::RowRange rows = grid_->selectedRows();
    startTransfer(std::make_shared<OneMemoryWrite>(radio_.region(),
                                                   selectedRows(table_, rows.first, rows.last)));
}

} // namespace rz
