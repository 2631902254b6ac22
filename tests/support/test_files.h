#pragma once
// The input files that tests write for the program to read.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace rz::test {

// Writes the bytes to the file, replacing it; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace rz::test
