#include "model/build_info.h"

#include <QtGlobal>

namespace rz::build {

QString version() {
    return QStringLiteral(RZ_SHOWN_VERSION); // from the build
}

QString qtText() {
    const QString running = QString::fromLatin1(qVersion());
    const QString built = QStringLiteral(QT_VERSION_STR);
    if (running == built)
        return QStringLiteral("Qt ") + running;
    return QStringLiteral("Qt %1 (built with %2)").arg(running, built);
}

QString versionLine(const QString& program) {
    return QStringLiteral("%1 %2 (%3)").arg(program, version(), qtText());
}

} // namespace rz::build
