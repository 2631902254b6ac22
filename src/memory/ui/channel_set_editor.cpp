#include "memory/ui/channel_set_editor.h"
#include "memory/ui/typing_filter.h"
#include "model/value_tables.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rz {

ChannelSetEditor::Shape ChannelSetEditor::mainShape() {
    return {QString(), QStringLiteral("Memory"), tables::ModeCount, tables::StepCount,
            FormLimits::mainSet()};
}

ChannelSetEditor::Shape ChannelSetEditor::subShape() {
    return {QStringLiteral("_2"), QStringLiteral("Memory 2"), 4, 16, FormLimits::subSet()};
}

QString ChannelSetEditor::name(const char* base) const {
    return QLatin1String(base) + shape_.suffix;
}

QString ChannelSetEditor::name(const char* base, int index) const {
    return QStringLiteral("%1(%2)").arg(name(base)).arg(index);
}

QLineEdit* ChannelSetEditor::digitBox(const char* base, int digits, int widthChars) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name(base));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QChar('0')) * widthChars + 12);
    TypingFilter::digits(box, digits);
    return box;
}

QGroupBox* ChannelSetEditor::optionFrame(const QString& title, const char* base,
                                         const QStringList& captions, int count, int columns,
                                         QButtonGroup*& group) {
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setSpacing(2);
    group = new QButtonGroup(frame);
    for (int i = 0; i < count; ++i) {
        auto* option = new QRadioButton(captions.at(i), frame);
        option->setObjectName(name(base, i));
        group->addButton(option, i);
        grid->addWidget(option, i / columns, i % columns);
    }
    connect(group, &QButtonGroup::buttonToggled, frame, [group] { keepTabStopOnChecked(group); });
    return frame;
}

QComboBox* ChannelSetEditor::list(const char* base, const QStringList& entries) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(name(base));
    combo->setEditable(false);
    combo->addItems(entries);
    combo->setMaxVisibleItems(20);
    return combo;
}

ChannelSetEditor::ChannelSetEditor(const Shape& shape, QWidget* parent)
    : QWidget(parent), shape_(shape) {
    rowLabel_ = new QLabel(this);
    rowLabel_->setObjectName(name("lblMemory"));
    const FormLimits& l = shape.limits;
    freqMhz_ = digitBox("DETAIL_FREQ_1", l.frequencyMhzDigits, 5);
    freqFraction_ = digitBox("DETAIL_FREQ_2", l.frequencyFractionDigits, 6);
    offsetMhz_ = digitBox("DETAIL_SHIFT_FREQ_1", l.offsetMhzDigits, 4);
    offsetFraction_ = digitBox("DETAIL_SHIFT_FREQ_2", l.offsetFractionDigits, 6);
    offsetMhz_->installEventFilter(this);
    offsetFraction_->installEventFilter(this);

    name_ = new QLineEdit(this);
    name_->setObjectName(name("DETAIL_NAME"));
    TypingFilter::name(name_);
    skip_ = new QCheckBox(QStringLiteral("Skip"), this);
    skip_->setObjectName(name("DETAIL_SKIP"));

    modeFrame_ = optionFrame(QStringLiteral("Modulation Mode"), "DETAIL_MODE", tables::modeTexts(),
                             shape.modes, 4, modes_);
    shiftFrame_ = optionFrame(QStringLiteral("Shift"), "DETAIL_SHIFT", tables::shiftCaptions(), 3,
                              3, shifts_);
    typeFrame_ = optionFrame(QStringLiteral("TSQ/DCS"), "PALSE_TYPE", tables::toneTypeCaptions(),
                             tables::ToneTypeCount, 6, types_);
    stepFrame_ = optionFrame(QStringLiteral("Step"), "DETAIL_STEP", tables::stepTexts(),
                             shape.steps, 6, steps_);

    txTone_ = list("TX_TONE_COMBO", tables::ctcssTexts());
    rxTone_ = list("RX_TONE_COMBO", tables::ctcssTexts());
    dcs_ = list("DCS_COMBO", tables::dcsTexts());
    train_ = list("TRAIN_COMBO", tables::trainTexts());
    trainLabel_ = new QLabel(QStringLiteral("Train"), this);
    trainLabel_->setObjectName(name("lblTrain"));

    clear_ = new QPushButton(QStringLiteral("Clear"), this);
    clear_->setObjectName(name("DETAIL_CLEAR"));
    clear_->setAutoDefault(true); // Enter on a focused "Clear" clears
    connect(clear_, &QPushButton::clicked, this, &ChannelSetEditor::clear);

    buildLayout();
    setTabOrder();
    setForm(ChannelForm());
}

void ChannelSetEditor::setTabOrder() {
    QList<QWidget*> order{freqMhz_, freqFraction_, skip_, name_};
    const auto options = [&order](QButtonGroup* group) {
        for (QAbstractButton* option : group->buttons())
            order << option;
    };
    options(modes_);
    options(shifts_);
    order << offsetMhz_ << offsetFraction_;
    options(types_);
    order << txTone_ << rxTone_ << dcs_ << train_;
    options(steps_);
    order << clear_;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

QWidget* ChannelSetEditor::firstInTabOrder() const {
    return freqMhz_;
}

QWidget* ChannelSetEditor::lastInTabOrder() const {
    return clear_;
}

void ChannelSetEditor::keepTabStopOnChecked(QButtonGroup* group) {
    QAbstractButton* stop = group->checkedButton();
    if (!stop || stop->isHidden()) {
        stop = nullptr;
        for (QAbstractButton* option : group->buttons())
            if (!option->isHidden()) {
                stop = option;
                break;
            }
    }
    for (QAbstractButton* option : group->buttons())
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void ChannelSetEditor::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel(shape_.caption, this));
    heading->addWidget(rowLabel_, 1);
    layout->addLayout(heading);

    auto* frequency = new QHBoxLayout;
    frequency->addWidget(new QLabel(QStringLiteral("Freqency"), this));
    frequency->addWidget(freqMhz_);
    frequency->addWidget(new QLabel(QStringLiteral("．"), this));
    frequency->addWidget(freqFraction_);
    frequency->addWidget(new QLabel(QStringLiteral("ＭＨｚ"), this));
    frequency->addStretch(1);
    frequency->addWidget(skip_);
    layout->addLayout(frequency);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("ＮＡＭＥ"), this));
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);

    layout->addWidget(modeFrame_);

    auto* shiftRow = new QHBoxLayout;
    shiftRow->addWidget(shiftFrame_);
    auto* offset = new QVBoxLayout;
    offset->addWidget(new QLabel(QStringLiteral("Offset Freqency"), this));
    auto* offsetBoxes = new QHBoxLayout;
    offsetBoxes->addWidget(offsetMhz_);
    offsetBoxes->addWidget(new QLabel(QStringLiteral("．"), this));
    offsetBoxes->addWidget(offsetFraction_);
    offsetBoxes->addWidget(new QLabel(QStringLiteral("MHz"), this));
    offsetBoxes->addStretch(1);
    offset->addLayout(offsetBoxes);
    shiftRow->addLayout(offset, 1);
    layout->addLayout(shiftRow);

    layout->addWidget(typeFrame_);
    auto* lists = new QGridLayout;
    const std::pair<const char*, QComboBox*> entries[] = {
        {"Tx-Tone", txTone_}, {"Rx-Tone", rxTone_}, {"DCS-No", dcs_}};
    int column = 0;
    for (const auto& [caption, combo] : entries) {
        lists->addWidget(new QLabel(QLatin1String(caption), this), 0, column);
        lists->addWidget(combo, 1, column++);
    }
    lists->addWidget(trainLabel_, 0, column);
    lists->addWidget(train_, 1, column);
    layout->addLayout(lists);

    layout->addWidget(stepFrame_);
    // "Clear" closes the set, last in its Tab sequence as on the screen.
    auto* clearRow = new QHBoxLayout;
    clearRow->addStretch(1);
    clearRow->addWidget(clear_);
    layout->addLayout(clearRow);
    layout->addStretch(1);
}

void ChannelSetEditor::setRowLabel(const QString& label) {
    rowLabel_->setText(label);
}

void ChannelSetEditor::check(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // No option for this value: none is shown selected.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void ChannelSetEditor::setForm(const ChannelForm& f) {
    loaded_ = f;
    freqMhz_->setText(f.frequencyMhz);
    freqFraction_->setText(f.frequencyFraction);
    name_->setText(f.name);
    skip_->setChecked(f.skip);
    check(modes_, f.mode);
    check(shifts_, f.shift);
    offsetMhz_->setText(f.offsetMhz);
    offsetFraction_->setText(f.offsetFraction);
    check(types_, f.toneType);
    txTone_->setCurrentIndex(f.txTone);
    rxTone_->setCurrentIndex(f.rxTone);
    dcs_->setCurrentIndex(f.dcs);
    train_->setCurrentIndex(f.train);
    check(steps_, f.step);
}

ChannelForm ChannelSetEditor::form() const {
    ChannelForm f = loaded_;
    f.frequencyMhz = freqMhz_->text();
    f.frequencyFraction = freqFraction_->text();
    f.name = name_->text();
    f.skip = skip_->isChecked();
    f.offsetMhz = offsetMhz_->text();
    f.offsetFraction = offsetFraction_->text();
    const auto chosen = [](QButtonGroup* group, int& value) {
        if (group->checkedId() >= 0)
            value = group->checkedId();
    };
    chosen(modes_, f.mode);
    chosen(shifts_, f.shift);
    chosen(types_, f.toneType);
    chosen(steps_, f.step);
    const auto listed = [](QComboBox* combo, int& value) {
        if (combo->currentIndex() >= 0)
            value = combo->currentIndex();
    };
    listed(txTone_, f.txTone);
    listed(rxTone_, f.rxTone);
    listed(dcs_, f.dcs);
    listed(train_, f.train);
    return f;
}

void ChannelSetEditor::setTrainVisible(bool visible) {
    types_->button(1)->setVisible(visible);
    trainLabel_->setVisible(visible);
    train_->setVisible(visible);
    keepTabStopOnChecked(types_);
}

void ChannelSetEditor::clear() {
    setForm(ChannelForm());
}

void ChannelSetEditor::leaveOffsetBox(QLineEdit* box) {
    if (box == offsetMhz_)
        box->setText(form::digitsOnly(box->text()));
    else
        box->setText(form::offsetFractionOnLeave(offsetMhz_->text(), box->text(),
                                                 shape_.limits.offsetFractionDigits));
}

bool ChannelSetEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == offsetMhz_ || watched == offsetFraction_))
        leaveOffsetBox(static_cast<QLineEdit*>(watched));
    return QWidget::eventFilter(watched, event);
}

} // namespace rz
