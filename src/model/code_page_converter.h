#pragma once
// The code page 932 tables of the system under the code-page functions: Qt's
// ICU converter on Linux, Windows' own on Windows. Only characters outside
// ASCII come here; what to do with bytes that are no character is decided
// once, above, for both.
#include <QByteArray>

namespace rz::cp932::converter {

// The one or two bytes of a character; empty when the code page lacks it
// (never a look-alike).
QByteArray encodeChar(char32_t character);
// The character of one byte (0xA1..0xDF) or of a lead and a trail byte; 0
// when the code is unassigned.
char16_t decodeUnit(const char* bytes, int length);

} // namespace rz::cp932::converter
