#include "font/ui/font_window.h"

#include "files/config_file.h"
#include "font/font_file.h"
#include "font/font_store.h"
#include "font/font_transfer.h"
#include "gui/radio_facade.h"
#include "gui/typing_refusal.h"
#include "gui/user_dialogs.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace rz {
namespace {

constexpr int TwipsPerPixel = 15;
int px(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr int CellTwips = 400;
constexpr int ButtonHeight = 375;
const QColor LitBack(0, 0, 128);
const QColor LitText(255, 0, 0);

// File dialog filters: the font files first, as the user knows them.
const QString SaveFilter = QStringLiteral("K4フォントファイル(*.FK4);;すべてのファイル(*.*)");
const QString OpenFilter = QStringLiteral("FK4 (*.FK4);;FK4 Files (*.FK4);;All Files (*.*)");

const QString Finish = QStringLiteral(" Finish");
const QString ErrorTitle = QStringLiteral(" Error");

// The buttons a running transfer disables, and the character list.
const char* const TransferLocked[] = {"FONT_BACK",  "FONT_NEXT",  "FONT_CLEAR", "ALL_CLEAR",
                                      "IKKATU_ON",  "IKKATU_OFF", "Command1",   "R_FONT",
                                      "FONT_WRITE", "READ_ALL",   "WRITE_ALL"};

} // namespace

// What a transfer reports, for the window: progress, state, end.
class FontWindow::TransferSink : public OperationSink {
public:
    explicit TransferSink(FontWindow& window) : window_(window) {}
    void progressValue(int value) override { window_.progress_->setValue(value); }
    void busyCode(quint16 code) override { window_.comType_ = code; }
    void ended(const Outcome& outcome) override { window_.transferEnded(outcome); }

private:
    FontWindow& window_;
};

FontWindow::FontWindow(FontStore& font, RadioFacade& radio, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), font_(font), radio_(radio), dialogs_(dialogs),
      sink_(std::make_unique<TransferSink>(*this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Font"));
    build();
    connect(&font_, &FontStore::changed, this, &FontWindow::paint);
}

FontWindow::~FontWindow() = default;

void FontWindow::build() {
    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu(QStringLiteral("File(&F)"));
    file->setObjectName(QStringLiteral("FONT_FILE"));
    QAction* open = file->addAction(QStringLiteral("Open(&O)"));
    open->setObjectName(QStringLiteral("FONT_READ"));
    connect(open, &QAction::triggered, this, &FontWindow::FONT_READ_Click);
    QAction* save = file->addAction(QStringLiteral("Save(&S)"));
    save->setObjectName(QStringLiteral("FONT_SAVE"));
    connect(save, &QAction::triggered, this, &FontWindow::FONT_SAVE_Click);
    menus->setGeometry(0, 0, px(9300), menus->sizeHint().height());

    grid_ = new QTableWidget(FontChar::Rows, FontChar::Columns, this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->horizontalHeader()->setDefaultSectionSize(px(CellTwips));
    grid_->verticalHeader()->setDefaultSectionSize(px(CellTwips));
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    for (int r = 0; r < FontChar::Rows; ++r)
        for (int c = 0; c < FontChar::Columns; ++c)
            grid_->setItem(r, c, new QTableWidgetItem);
    const int side = FontChar::Rows * px(CellTwips) + 2 * grid_->frameWidth();
    grid_->setGeometry(px(240), px(480), side, side);
    // A click toggles the dot it was pressed and released on; a drag only
    // selects.
    connect(grid_, &QTableWidget::cellClicked, this, &FontWindow::toggleDot);

    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("FONT_LIST"));
    for (int k = 0; k < FontStore::CharCount; ++k)
        list_->addItem(QString::number(k));
    list_->setGeometry(px(6960), px(480), px(1900), px(ButtonHeight));
    TypingRefusal::install(list_);
    connect(list_, QOverload<int>::of(&QComboBox::activated), this, &FontWindow::FONT_LIST_Click);

    connect(addButton("BACK", "FONT_BACK", 6960, 960, 900), &QPushButton::clicked, this,
            &FontWindow::backClicked);
    connect(addButton("NEXT", "FONT_NEXT", 7960, 960, 900), &QPushButton::clicked, this,
            &FontWindow::nextClicked);
    connect(addButton("Clear", "FONT_CLEAR", 6960, 1560, 1900), &QPushButton::clicked, this,
            &FontWindow::clearCharacter);
    connect(addButton("All Clear", "ALL_CLEAR", 6960, 2040, 1900), &QPushButton::clicked, this,
            &FontWindow::clearAll);
    connect(addButton("Select Setting", "IKKATU_ON", 6960, 2640, 1900), &QPushButton::clicked, this,
            [this] { fillSelection(true); });
    connect(addButton("Select Delete", "IKKATU_OFF", 6960, 3120, 1900), &QPushButton::clicked, this,
            [this] { fillSelection(false); });
    connect(addButton("Read", "R_FONT", 6960, 3720, 1900), &QPushButton::clicked, this,
            &FontWindow::R_FONT_Click);
    connect(addButton("Write", "FONT_WRITE", 6960, 4200, 1900), &QPushButton::clicked, this,
            &FontWindow::FONT_WRITE_Click);
    connect(addButton("Read ALL", "READ_ALL", 6960, 4800, 1900), &QPushButton::clicked, this,
            &FontWindow::READ_ALL_Click);
    connect(addButton("Write ALL", "WRITE_ALL", 6960, 5280, 1900), &QPushButton::clicked, this,
            &FontWindow::WRITE_ALL_Click);
    connect(addButton("OK", "Command1", 6960, 6360, 1900), &QPushButton::clicked, this,
            &FontWindow::close);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setGeometry(px(240), px(7200), px(8620), px(300));

    resize(px(9300), px(9435));
}

QPushButton* FontWindow::addButton(const char* caption, const char* name, int x, int y, int width) {
    auto* button = new QPushButton(QLatin1String(caption), this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setGeometry(px(x), px(y), px(width), px(ButtonHeight));
    return button;
}

int FontWindow::selectedCharacter() const {
    return list_->currentIndex();
}

// --- Editing -------------------------------------------------------------

void FontWindow::setListPosition(int index) {
    list_->setCurrentIndex(index);
    FONT_LIST_Click();
}

void FontWindow::FONT_LIST_Click() {
    const int selected = selectedCharacter();
    if (selected != painted_) {
        painted_ = selected;
        paint();
        grid_->setCurrentCell(0, 0);
    }
}

void FontWindow::backClicked() {
    if (selectedCharacter() >= 1)
        setListPosition(selectedCharacter() - 1);
}

void FontWindow::nextClicked() {
    if (selectedCharacter() < FontStore::CharCount - 1)
        setListPosition(selectedCharacter() + 1);
}

void FontWindow::paint() {
    const FontChar character = font_.character(painted_);
    grid_->setUpdatesEnabled(false);
    for (int r = 0; r < FontChar::Rows; ++r)
        for (int c = 0; c < FontChar::Columns; ++c)
            paintCell(r, c, character.dot(r, c));
    grid_->setUpdatesEnabled(true);
}

void FontWindow::paintCell(int row, int column, bool lit) {
    QTableWidgetItem* cell = grid_->item(row, column);
    cell->setBackground(lit ? QBrush(LitBack) : QBrush());
    cell->setForeground(lit ? QBrush(LitText) : QBrush(Qt::black));
}

void FontWindow::toggleDot(int row, int column) {
    font_.toggleDot(selectedCharacter(), row, column);
}

void FontWindow::clearCharacter() {
    font_.clearCharacter(selectedCharacter());
}

void FontWindow::clearAll() {
    for (const char* name : {"R_FONT", "FONT_WRITE", "IKKATU_ON", "IKKATU_OFF", "FONT_CLEAR",
                             "WRITE_ALL", "READ_ALL", "FONT_NEXT", "FONT_BACK", "ALL_CLEAR"})
        findChild<QPushButton*>(QLatin1String(name))->setEnabled(false);
    list_->setEnabled(false);
    font_.clearAll();
    setControlsEnabled(true);
    setListPosition(0);
    dialogs_.message(QStringLiteral("ALL Clear"), QStringLiteral(" Clear"));
    grid_->setCurrentCell(0, 0);
}

void FontWindow::fillSelection(bool lit) {
    // The rectangle between the current cell and the other end of the
    // selection, whichever way it was dragged.
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    int top = grid_->currentRow(), left = grid_->currentColumn();
    int bottom = top, right = left;
    if (!ranges.isEmpty()) {
        top = ranges.first().topRow();
        bottom = ranges.first().bottomRow();
        left = ranges.first().leftColumn();
        right = ranges.first().rightColumn();
    }
    font_.fillRect(selectedCharacter(), top, left, bottom, right, lit);
}

// --- Font files ----------------------------------------------------------

void FontWindow::FONT_SAVE_Click() {
    if (comType_ != 0)
        return;
    const QString path =
        askSavePath(dialogs_, SaveFilter, config::startFolder(), QStringLiteral(".FK4"));
    if (path.isEmpty())
        return;
    const fontfile::SaveResult saved = fontfile::writeFontFile(path, font_.characters());
    if (saved.ok)
        dialogs_.message(QStringLiteral("Save File"), Finish);
    else
        dialogs_.message(QStringLiteral("Can't save the file."), ErrorTitle, saved.error);
}

void FontWindow::FONT_READ_Click() {
    if (comType_ != 0)
        return;
    const QString path = dialogs_.openFileName(QString(), OpenFilter, config::startFolder());
    if (path.isEmpty())
        return;
    const fontfile::ReadResult read = fontfile::readFontFile(path, font_);
    if (read.ok()) {
        dialogs_.message(QStringLiteral("Read Font File"), Finish);
    } else {
        // Nothing has been applied; the detail says which line and why.
        const QString detail =
            read.status == fontfile::ReadStatus::WrongExtension ? QString() : read.describe();
        dialogs_.message(QStringLiteral("This File don't Open"), ErrorTitle, detail);
    }
    paint();
}

// --- Transfers -----------------------------------------------------------

bool FontWindow::announce() const {
    return radio_.linkState().readAllMode() == LinkState::ReadAllOff;
}

bool FontWindow::startTransfer(std::shared_ptr<Operation> operation, quint16 state) {
    if (comType_ != 0 || !radio_.startInWindow(std::move(operation), sink_.get()))
        return false;
    comType_ = state;
    started_ = state;
    progress_->setValue(0);
    setControlsEnabled(false);
    return true;
}

void FontWindow::READ_ALL_Click() {
    if (comType_ == 0)
        startTransfer(std::make_shared<FontReadAll>(radio_.region(), announce()),
                      fontstate::ReadAll);
}

void FontWindow::WRITE_ALL_Click() {
    if (comType_ == 0)
        startTransfer(
            std::make_shared<FontWriteAll>(radio_.region(), font_.characters(), announce()),
            fontstate::WriteAll);
}

void FontWindow::R_FONT_Click() {
    if (comType_ == 0)
        startTransfer(
            std::make_shared<FontCharRead>(radio_.region(), selectedCharacter(), announce()),
            fontstate::ReadIdentSent);
}

void FontWindow::FONT_WRITE_Click() {
    if (comType_ == 0)
        startTransfer(std::make_shared<FontCharWrite>(radio_.region(), selectedCharacter(),
                                                      font_.character(selectedCharacter()),
                                                      announce()),
                      fontstate::WriteIdentSent);
}

void FontWindow::setControlsEnabled(bool enabled) {
    for (const char* name : TransferLocked)
        findChild<QPushButton*>(QLatin1String(name))->setEnabled(enabled);
    list_->setEnabled(enabled);
}

// Runs before the facade shows the outcome's message.
void FontWindow::transferEnded(const Outcome& outcome) {
    const bool wholeSet = started_ == fontstate::ReadAll || started_ == fontstate::WriteAll;
    comType_ = fontstate::Idle;
    started_ = fontstate::Idle;
    setControlsEnabled(true);
    if (outcome.kind == Outcome::Success && wholeSet) {
        if (outcome.message == QLatin1String("All Font Data Read")) {
            setListPosition(1); // the editor shows character 0 from its first cell
            setListPosition(0);
        }
        progress_->setValue(0);
        if (!announce())
            close(); // read-all mode: the sequence goes on without a message
    } else if (outcome.message == QLatin1String("Com Error")) {
        progress_->setValue(0);
    }
}

void FontWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Opened by Read all: read at once (only on the first showing, so a
    // failed read does not start again whenever its message closes).
    if (!readAtOnceDone_ && radio_.linkState().openedFromButton() == 0 && !announce()) {
        readAtOnceDone_ = true;
        READ_ALL_Click();
    }
}

void FontWindow::closeEvent(QCloseEvent* event) {
    // The transfer reports to this window until it ends.
    if (comType_ != 0) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FontWindow::reject() {
    if (comType_ == 0)
        QDialog::reject();
}

} // namespace rz
