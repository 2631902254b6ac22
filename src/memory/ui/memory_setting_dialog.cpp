#include "memory/ui/memory_setting_dialog.h"
#include "memory/ui/channel_set_editor.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace rz {

// Every button answers Enter itself while it has the focus; from anywhere
// else Enter is "OK", the dialog's default button.
static QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(true);
    return b;
}

MemorySettingDialog::MemorySettingDialog(Region region, QWidget* parent)
    : QDialog(parent), first_(new ChannelSetEditor(ChannelSetEditor::mainShape(), this)),
      second_(new ChannelSetEditor(ChannelSetEditor::subShape(), this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Memory Setting"));
    setModal(true);

    const bool train = region == Region::J;
    first_->setTrainVisible(train);
    second_->setTrainVisible(train);

    // The second set only counts for a dual-watch pair.
    second_->setEnabled(false);

    auto* sets = new QHBoxLayout;
    sets->addWidget(first_);
    sets->addWidget(second_);

    auto* buttons = new QHBoxLayout;
    QPushButton* backButton = button(QStringLiteral("<<BACK"), "cmdBack", this);
    QPushButton* okButton = button(QStringLiteral("OK"), "DETAIL_ENTER", this);
    QPushButton* cancelButton = button(QStringLiteral("Cancel"), "DETAIL_CANCEL", this);
    QPushButton* nextButton = button(QStringLiteral("NEXT>>"), "cmdNext", this);
    buttons->addWidget(backButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    buttons->addWidget(nextButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sets);
    layout->addLayout(buttons);

    okButton->setDefault(true);

    // Tab follows the screen: the first set, the second, then the buttons.
    QWidget* previous = first_->lastInTabOrder();
    QWidget::setTabOrder(previous, second_->firstInTabOrder());
    previous = second_->lastInTabOrder();
    for (QWidget* next : {static_cast<QWidget*>(backButton), static_cast<QWidget*>(okButton),
                          static_cast<QWidget*>(cancelButton), static_cast<QWidget*>(nextButton)}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }

    connect(okButton, &QPushButton::clicked, this, &MemorySettingDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(backButton, &QPushButton::clicked, this, &MemorySettingDialog::back);
    connect(nextButton, &QPushButton::clicked, this, &MemorySettingDialog::next);
}

void MemorySettingDialog::load(const QString& rowLabel, const ChannelForm& channel) {
    first_->setRowLabel(rowLabel);
    first_->setForm(channel);
}

void MemorySettingDialog::loadSub(const QString& rowLabel, const ChannelForm& sub) {
    dualPair_ = true;
    second_->setEnabled(true);
    second_->setRowLabel(rowLabel);
    second_->setForm(sub);
}

void MemorySettingDialog::finish(int navigation) {
    memory::DialogOutcome out = memory::confirmDialog(first_->form(), second_->form(), dualPair_);
    out.result.navigation = navigation;
    // Show what was stored: corrected boxes, fitted step.
    first_->setForm(out.first);
    if (dualPair_)
        second_->setForm(out.second);
    outcome_ = out;
    accept();
}

void MemorySettingDialog::confirm() {
    finish(DialogResult::Stay);
}

void MemorySettingDialog::back() {
    finish(DialogResult::Back);
}

void MemorySettingDialog::next() {
    finish(DialogResult::Next);
}

} // namespace rz
