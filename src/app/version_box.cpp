#include "app/version_box.h"
#include "app/product.h"
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace rz {

VersionBox::VersionBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Version"));
    setModal(true);

    auto* left = new QLabel(this);
    left->setPixmap(product::receiverPicture(64));
    auto* right = new QLabel(this);
    right->setPixmap(product::wavePicture(64));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(left, 0, 0, 3, 1);
    layout->addWidget(new QLabel(product::name(), this), 0, 1);
    layout->addWidget(new QLabel(product::versionText(), this), 1, 1);
    layout->addWidget(new QLabel(product::dateText(), this), 2, 1);
    layout->addWidget(right, 0, 2, 3, 1);
    layout->addWidget(new QLabel(product::noticeLine1(), this), 3, 0, 1, 3);
    layout->addWidget(new QLabel(product::noticeLine2(), this), 4, 0, 1, 3);
    layout->addWidget(ok, 5, 2);
}

} // namespace rz
