#include "banks/ui/bank_page.h"

#include "banks/bank_link_opening.h"
#include "banks/bank_transfer.h"
#include "banks/ui/bank_link_dialog.h"
#include "gui/radio_facade.h"
#include "memory/ui/channel_grid.h"
#include "model/data_set.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace rz {
namespace {

int px(int twips) {
    return ChannelGrid::px(twips);
}

// The grid of banks: 5 columns of tens, 10 rows of units (twips).
constexpr int GridLeft = 400, GridTop = 500, CellWidth = 2000, RowHeight = 540;
constexpr int CountWidth = 600, SliderWidth = 1300, BoxHeight = 330;
// The total and the buttons, right of the grid.
constexpr int SideLeft = GridLeft + 5 * CellWidth + 100, SideWidth = 1100;
constexpr int ButtonHeight = 375;

// The value a count box stands for: its digits; above 1200 it becomes 100,
// the rule for leaving the box, which Enter follows too.
int countValue(const QString& text) {
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        value = value * 10 + (c.unicode() - '0');
        if (value > BankLayout::MaxSize)
            return 100;
    }
    return value;
}

// Enter takes the leading digits ("12a" is 12); leaving the box drops every
// character that is not a digit ("1a2" is 12).
QString enteredDigits(const QString& text) {
    int n = 0;
    while (n < text.size() && text.at(n).isDigit() && text.at(n).unicode() < 128)
        ++n;
    return text.left(n);
}

} // namespace

BankPage::BankPage(DataSet& data, RadioFacade& radio, QWidget* parent)
    : QGroupBox(QStringLiteral("Bank"), parent), data_(data), banks_(data.banks), radio_(radio),
      runDialog_([](QDialog& dialog) { dialog.exec(); }) {
    setObjectName(QStringLiteral("A_FRAME(1)"));
    layOut();
    connect(&banks_, &BankLayout::changed, this, &BankPage::showLayout);
    // The end of every operation re-enables the window's buttons, but
    // "Bank Write" only while the total is 1200.
    connect(&radio_, &RadioFacade::endOfOperation, this, &BankPage::showTotal);
    showLayout();
}

void BankPage::layOut() {
    for (int tens = 0; tens < 5; ++tens) {
        auto* heading = new QLabel(QString::number(tens * 10), this);
        heading->setGeometry(px(GridLeft + tens * CellWidth), px(200), px(CountWidth), px(250));
    }
    for (int unit = 0; unit < 10; ++unit) {
        auto* heading = new QLabel(QString::number(unit), this);
        heading->setGeometry(px(120), px(GridTop + unit * RowHeight), px(250), px(BoxHeight));
    }
    for (int b = 0; b < BankLayout::BankCount; ++b) {
        const int x = GridLeft + (b / 10) * CellWidth, y = GridTop + (b % 10) * RowHeight;
        auto* count = new QLineEdit(this);
        count->setObjectName(QStringLiteral("Text1(%1)").arg(b));
        count->setGeometry(px(x), px(y), px(CountWidth), px(BoxHeight));
        count->installEventFilter(this);
        counts_[size_t(b)] = count;

        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("Slider1(%1)").arg(b));
        slider->setRange(0, BankLayout::MaxSize);
        slider->setGeometry(px(x + CountWidth + 40), px(y), px(SliderWidth), px(BoxHeight));
        slider->installEventFilter(this);
        connect(slider, &QSlider::valueChanged, this,
                [this, b](int value) { banks_.setSize(b, value); });
        sliders_[size_t(b)] = slider;
    }

    auto* label = new QLabel(QStringLiteral("Total"), this);
    label->setGeometry(px(SideLeft), px(GridTop), px(SideWidth), px(250));
    total_ = new QLineEdit(this);
    total_->setObjectName(QStringLiteral("Total_Mem"));
    total_->setReadOnly(true);
    total_->setGeometry(px(SideLeft), px(GridTop + 260), px(SideWidth), px(BoxHeight));

    const auto command = [this](QPushButton* button, std::function<void()> run) {
        connect(button, &QPushButton::clicked, this, radio_.whenIdle(std::move(run)));
    };
    int y = GridTop + 800;
    command(addButton("Up", "BANK_UP(0)", SideLeft, y), [this] { step(+1); });
    command(addButton("Down", "BANK_UP(1)", SideLeft, y += 480), [this] { step(-1); });
    command(addButton("Reset", "Bank_Clear", SideLeft, y += 720), [this] { banks_.loadDefault(); });
    command(addButton("Bank Read", "READ_BANK", SideLeft, y += 720), [this] { readBanks(); });
    write_ = addButton("Bank Write", "WRITE_BANK", SideLeft, y += 480);
    command(write_, [this] { writeBanks(); });
    command(addButton("Bank_Link", "GROUP_SET", SideLeft, y += 720), [this] { openBankLinks(); });
}

QPushButton* BankPage::addButton(const char* caption, const char* name, int x, int y) {
    auto* button = new QPushButton(QLatin1String(caption), this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(px(x), px(y), px(SideWidth), px(ButtonHeight));
    return button;
}

void BankPage::showLayout() {
    for (int b = 0; b < BankLayout::BankCount; ++b) {
        const QSignalBlocker quiet(sliders_[size_t(b)]);
        sliders_[size_t(b)]->setValue(banks_.size(b));
        counts_[size_t(b)]->setText(QString::number(banks_.size(b)));
    }
    showTotal();
}

void BankPage::showTotal() {
    const int total = banks_.total();
    total_->setText(QString::number(total));
    QPalette palette = total_->palette();
    palette.setColor(QPalette::Text, banks_.isConsistent() ? this->palette().color(QPalette::Text)
                                                           : QColor(255, 0, 0));
    total_->setPalette(palette);
    write_->setEnabled(banks_.isConsistent());
}

bool BankPage::eventFilter(QObject* watched, QEvent* event) {
    const QString name = watched->objectName();
    const int bank = name.section(QLatin1Char('('), 1).chopped(1).toInt();
    if (name.startsWith(QLatin1String("Slider1(")) && event->type() == QEvent::MouseButtonPress) {
        selected_ = bank;
    } else if (name.startsWith(QLatin1String("Text1("))) {
        if (event->type() == QEvent::KeyPress)
            return !typingKey(bank, static_cast<QKeyEvent*>(event)->key());
        if (event->type() == QEvent::FocusOut)
            takeCount(bank, true);
    }
    return QGroupBox::eventFilter(watched, event);
}

// Digits and Backspace are typed; Enter takes the count; Tab moves on; any
// other key is dropped (false).
bool BankPage::typingKey(int bank, int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        takeCount(bank, false);
        return false;
    }
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Backspace ||
           key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

void BankPage::takeCount(int bank, bool leaving) {
    QLineEdit* box = counts_[size_t(bank)];
    const int value = countValue(leaving ? box->text() : enteredDigits(box->text()));
    banks_.setSize(bank, value);
    box->setText(QString::number(value)); // also when the size stays
}

void BankPage::takeTypedCounts() {
    for (int b = 0; b < BankLayout::BankCount; ++b)
        if (counts_[size_t(b)]->text() != QString::number(banks_.size(b)))
            takeCount(b, true);
}

void BankPage::step(int delta) {
    if (selected_ == NoBank)
        return;
    const int size = banks_.size(selected_) + delta;
    if (size >= 0 && size <= BankLayout::MaxSize)
        banks_.setSize(selected_, size);
}

void BankPage::readBanks() {
    radio_.start(std::make_shared<BankRead>(radio_.region()));
}

void BankPage::writeBanks() {
    write_->setEnabled(false);
    if (!radio_.start(std::make_shared<BankWrite>(radio_.region(), banks_)))
        showTotal();
}

void BankPage::openBankLinks() {
    prepareBankLinkWindow(banks_, data_.oneTouch, data_.bankLinks);
    emit bankLinksOpening();
    BankLinkDialog dialog(data_, radio_, this);
    const QWidget* main = window();
    dialog.move(main->frameGeometry().topLeft() + QPoint(px(2000), px(1000)));
    runDialog_(dialog);
}

} // namespace rz
