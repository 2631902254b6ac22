#pragma once
// Text files are code page 932 bytes with CR LF line ends. These helpers turn
// a file's bytes into lines and back, read a file whole and save one safely.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rz::textfile {

// Lines of the text, without their CR LF (a lone LF also ends a line; a last
// line without an end is kept; an empty text has no lines).
QStringList splitLines(const QByteArray& bytes);
// Each line in the code page followed by CR LF.
QByteArray joinLines(const QStringList& lines);

// The whole file, or an empty array and the reason in *error.
QByteArray readFile(const QString& path, QString* error);
// Writes to a temporary file in the same folder and renames it over the
// target only when complete; false and the reason in *error otherwise.
bool saveFile(const QString& path, const QByteArray& bytes, QString* error);

// The number a field starts with, as the file readers see it: blanks are
// skipped, an optional sign, then digits up to the first other character;
// an empty or non-numeric field is 0. Large values are clamped.
int leadingNumber(QStringView field);
bool isAsciiDigit(QChar c);

} // namespace rz::textfile
