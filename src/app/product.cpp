#include "app/product.h"

#include "files/config_file.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace rz::product {

QString noticeLine1() {
    return QStringLiteral("Clone and programming utility for the RZ-V70 receiver.");
}

QString noticeLine2() {
    return QStringLiteral("Keep a saved copy of your receiver's data before writing to it.");
}

QIcon icon() {
    QIcon drawn;
    for (int size : {16, 24, 32, 48, 64, 128})
        drawn.addPixmap(receiverPicture(size));
    return QIcon::fromTheme(QLatin1String(config::AppId), drawn);
}

QPixmap receiverPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setPen(QPen(Qt::black, u * 0.5));
    p.drawLine(QPointF(u * 10, u * 4), QPointF(u * 11, u * 0.5)); // antenna
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(u * 4, u * 4, u * 8, u * 11.5), u, u);
    p.setBrush(QColor(150, 200, 150));
    p.drawRect(QRectF(u * 5, u * 5, u * 6, u * 3)); // display
    p.setBrush(QColor(200, 200, 200));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(u * (5.2 + 2 * col), u * (9 + 2 * row), u * 1.4, u * 1.2));
    return pixmap;
}

QPixmap wavePicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setPen(QPen(QColor(30, 90, 170), u));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = u * 2.5 * i;
        p.drawArc(QRectF(u * 8 - r, u * 8 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        p.drawArc(QRectF(u * 8 - r, u * 8 - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
    }
    p.setBrush(QColor(30, 90, 170));
    p.drawEllipse(QPointF(u * 8, u * 8), u, u);
    return pixmap;
}

QLabel* addHeader(QGridLayout* layout, int pictureSize) {
    QWidget* parent = layout->parentWidget();
    auto* left = new QLabel(parent);
    left->setPixmap(receiverPicture(pictureSize));
    auto* right = new QLabel(parent);
    right->setPixmap(wavePicture(pictureSize));
    auto* nameLabel = new QLabel(name(), parent);
    layout->addWidget(left, 0, 0, 3, 1);
    layout->addWidget(nameLabel, 0, 1);
    layout->addWidget(new QLabel(versionText(), parent), 1, 1);
    layout->addWidget(right, 0, 2, 3, 1);
    layout->addWidget(new QLabel(noticeLine1(), parent), 3, 0, 1, 3);
    layout->addWidget(new QLabel(noticeLine2(), parent), 4, 0, 1, 3);
    return nameLabel;
}

} // namespace rz::product
