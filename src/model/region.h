#pragma once
// The receiver's regional version, chosen with the main window's region
// options; it decides the identification text.
#include <QString>
#include <optional>

namespace rz {

enum class Region { J = 0, E = 1, T = 2 }; // "J", "E/EGR" (the default), "T"

// "J", "E" or "E/EGR", "T", in any case; nothing for anything else.
std::optional<Region> parseRegion(const QString& text);
// "J", "E/EGR" or "T", as the region options show them.
QString regionName(Region region);

} // namespace rz
