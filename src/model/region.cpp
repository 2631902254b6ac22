#include "model/region.h"

namespace rz {

std::optional<Region> parseRegion(const QString& text) {
    const QString name = text.toUpper();
    if (name == QLatin1String("J"))
        return Region::J;
    if (name == QLatin1String("E") || name == QLatin1String("E/EGR"))
        return Region::E;
    if (name == QLatin1String("T"))
        return Region::T;
    return std::nullopt;
}

QString regionName(Region region) {
    switch (region) {
    case Region::J:
        return QStringLiteral("J");
    case Region::E:
        break;
    case Region::T:
        return QStringLiteral("T");
    }
    return QStringLiteral("E/EGR");
}

} // namespace rz
