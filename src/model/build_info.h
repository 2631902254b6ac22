#pragma once
// The program's version and the Qt it runs on, for --version and the
// Version box.
#include <QString>

namespace rz::build {

// The version the windows show: "2.00".
QString version();

// "Qt 6.4.2", with the version built against when it differs from the one
// loaded: "Qt 6.5.0 (built with 6.4.2)".
QString qtText();

// The --version line of a program: "rz-v70 2.00 (Qt 6.4.2)".
QString versionLine(const QString& program);

} // namespace rz::build
