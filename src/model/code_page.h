#pragma once
// Channel names and text files use Windows' Japanese code page 932.
#include <QByteArray>
#include <QString>

namespace rz::cp932 {

// The 16-bit slot code of one character: a single-byte character is its byte,
// a double-byte one lead * 256 + trail. A character the code page cannot
// represent becomes '?'.
quint16 charCode(char32_t character);
// The character of a slot code ("" for 0; U+FFFD for a code with no character).
QString fromCode(quint16 code);
// Whole texts.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
// Bytes a text takes in the code page.
int byteLength(const QString& text);
// Bytes one character takes (1 or 2).
int charByteLength(char32_t character);

} // namespace rz::cp932
