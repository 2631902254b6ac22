#pragma once
// The receiver's regional version, chosen with the main window's region
// options; it decides the identification text.
namespace rz {

enum class Region { J = 0, E = 1, T = 2 }; // "J", "E/EGR" (the default), "T"

} // namespace rz
