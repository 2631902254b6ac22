#pragma once
// The product's name and version as the windows show them, and the two
// pictures of the start window and the Version box.
#include <QPixmap>
#include <QString>

namespace rz::product {

inline QString name() {
    return QStringLiteral("RZ-V70 Writer");
}
inline QString versionText() {
    return QStringLiteral("Version 2.00");
}
inline QString title() {
    return name() + QStringLiteral(" v.2.00");
}
inline QString dateText() {
    return QStringLiteral("2010/6");
}
QString noticeLine1();
QString noticeLine2();

// The receiver's outline and a radio wave, drawn rather than loaded so the
// program carries no image files.
QPixmap receiverPicture(int size);
QPixmap wavePicture(int size);

} // namespace rz::product
