#pragma once
// The files that tests write for the program to read, and read back.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace rz::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes to the file, replacing it; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace rz::test
