#pragma once
// The three forms a frequency takes: hertz in the channel record, 10 Hz
// units in the editors and files, and the grid's "145.00000MHz" text.
#include <QString>

namespace rz::freq {

// Grid text of a frequency in Hz: whole MHz, ".", the first five digits of the
// six-digit Hz remainder, "MHz" (1,234,567 Hz -> "1.23456MHz").
QString hzToText(quint32 hz);
// A grid text read as a decimal number of MHz (reading stops at the first
// character that is not part of the number), times one million, to the
// nearest Hz; clamped to 32 bits.
quint32 textToHz(const QString& text);

} // namespace rz::freq
