#include "model/hex_text.h"

namespace rz::hex {

namespace {
constexpr char Digits[] = "0123456789ABCDEF";
}

QByteArray byteToText(quint8 value) {
    QByteArray text(2, '0');
    text[0] = Digits[value >> 4];
    text[1] = Digits[value & 0x0F];
    return text;
}

QByteArray bytesToText(const QByteArray& bytes) {
    QByteArray text;
    text.reserve(bytes.size() * 2);
    for (char b : bytes) {
        text.append(Digits[quint8(b) >> 4]);
        text.append(Digits[quint8(b) & 0x0F]);
    }
    return text;
}

QByteArray addressDigits(quint32 address) {
    QByteArray text(5, '0');
    for (int i = 4; i >= 0; --i, address >>= 4)
        text[i] = Digits[address & 0x0F];
    return text;
}

quint8 digitValue(quint8 character) {
    if (character > 0x40)
        return quint8(character - 55);
    if (character > 0x2F)
        return quint8(character - 48);
    return character;
}

QByteArray textToBytes(const QByteArray& digits, int offset, int count) {
    QByteArray bytes(count, '\0');
    for (int k = 0; k < count; ++k) {
        const int at = offset + 2 * k;
        if (at + 1 >= digits.size())
            break;
        bytes[k] =
            char(quint8(digitValue(quint8(digits[at])) * 16 + digitValue(quint8(digits[at + 1]))));
    }
    return bytes;
}

} // namespace rz::hex
