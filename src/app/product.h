#pragma once
// The product's name and version as the windows show them, and the two
// pictures of the start window and the Version box.
class QGridLayout;
class QLabel;

#include "model/build_info.h"
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace rz::product {

inline QString name() {
    return QStringLiteral("RZ-V70 Writer");
}
inline QString version() {
    return build::version();
}
inline QString versionText() {
    return QStringLiteral("Version ") + version();
}
inline QString title() {
    return name() + QStringLiteral(" v.") + version();
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

// The program's icon: the installed one of the desktop entry, or the
// receiver's picture where it is not installed.
QIcon icon();

// Lays out what the start window and the Version box share: the two
// pictures either side of the name and version (rows 0-2), the notices
// below (rows 3 and 4). Returns the name's label.
QLabel* addHeader(QGridLayout* layout, int pictureSize);

} // namespace rz::product
