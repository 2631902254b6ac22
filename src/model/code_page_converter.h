#pragma once
// The code page 932 conversion of the system under the code-page functions:
// Qt's ICU converter on Linux, Windows' own on Windows. Both read and write
// the same bytes; where a byte sequence is no character, both give what the
// ICU converter gives (U+001A for a byte that cannot stand where it is,
// U+FFFD for an unassigned double-byte code).
#include <QByteArray>
#include <QString>

namespace rz::cp932::converter {

// The bytes of one character; empty when the code page lacks it.
QByteArray encodeChar(char32_t character);
// A whole text; `complete` is false when the code page lacks a character of
// it (the bytes then stand for nothing useful).
QByteArray encodeText(const QString& text, bool& complete);
QString decodeText(const QByteArray& bytes);

} // namespace rz::cp932::converter
