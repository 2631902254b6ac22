#include "app/version_box.h"
#include "app/product.h"
#include "model/build_info.h"
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace rz {

VersionBox::VersionBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Version"));
    setModal(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    product::addHeader(layout, 64);
    layout->addWidget(new QLabel(product::dateText(), this), 2, 1);
    // What a bug report needs: the exact version and the Qt it runs on.
    auto* detail =
        new QLabel(product::versionText() + QStringLiteral(", ") + build::qtText(), this);
    detail->setObjectName(QStringLiteral("VersionDetail"));
    detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(detail, 6, 0, 1, 2);
    layout->addWidget(ok, 5, 2);
}

} // namespace rz
