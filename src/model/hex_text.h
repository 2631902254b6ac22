#pragma once
// Bytes on the wire travel as upper-case hexadecimal digits.
#include <QByteArray>

namespace rz::hex {

// One byte as two upper-case digits, high digit first ("0A").
QByteArray byteToText(quint8 value);
// Many bytes as digits, in order.
QByteArray bytesToText(const QByteArray& bytes);
// An address as exactly five upper-case digits ("01200").
QByteArray addressDigits(quint32 address);
// Value of one received digit: above 0x40 -> code - 55, above 0x2F -> code - 48,
// anything else unchanged.
quint8 digitValue(quint8 character);
// count bytes from digit pairs starting at offset (high digit first).
QByteArray textToBytes(const QByteArray& digits, int offset, int count);

} // namespace rz::hex
