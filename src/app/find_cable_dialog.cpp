#include "app/find_cable_dialog.h"
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rz {

FindCableDialog::FindCableDialog(CableFinder::DeviceListing listing, QWidget* parent)
    : QDialog(parent), finder_(listing ? std::move(listing) : CableFinder::machineListing()) {
    setObjectName(QStringLiteral("FindCable"));
    setWindowTitle(QStringLiteral("Find my cable"));
    setModal(true);
    text_ = new QLabel(unplugText(), this);
    text_->setObjectName(QStringLiteral("FindCableText"));
    text_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    next_ = buttons->addButton(QStringLiteral("Next"), QDialogButtonBox::ActionRole);
    next_->setObjectName(QStringLiteral("FindCableNext"));
    next_->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("FindCableCancel"));
    connect(next_, &QPushButton::clicked, this, &FindCableDialog::startSearch);
    connect(buttons, &QDialogButtonBox::rejected, this, &FindCableDialog::reject);
    connect(&finder_, &CableFinder::found, this, [this](const QString& device) {
        device_ = device;
        accept();
    });
    connect(&finder_, &CableFinder::timedOut, this, [this] {
        timedOut_ = true;
        QDialog::reject();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

QString FindCableDialog::unplugText() {
    return QStringLiteral("Unplug the programming cable from the computer (leave the receiver "
                          "as it is), then press Next.");
}

QString FindCableDialog::plugInText() {
    return QStringLiteral("Now plug the cable in. Waiting for a new serial device...");
}

void FindCableDialog::startSearch() {
    next_->setEnabled(false);
    text_->setText(plugInText());
    finder_.start();
}

void FindCableDialog::reject() {
    finder_.cancel();
    device_.clear();
    QDialog::reject();
}

} // namespace rz
