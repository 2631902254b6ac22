#include "font/font_char.h"

namespace rz {

namespace {
constexpr int HalfRows = 8; // one byte holds eight rows of a column
}

bool FontChar::dot(int row, int column) const {
    return inside(row, column) && (rows_[size_t(row)] >> column & 1u) != 0;
}

void FontChar::setDot(int row, int column, bool lit) {
    if (!inside(row, column))
        return;
    const quint16 bit = quint16(1u << column);
    quint16& bits = rows_[size_t(row)];
    bits = lit ? quint16(bits | bit) : quint16(bits & ~bit);
}

bool FontChar::isBlank() const {
    for (quint16 bits : rows_) {
        if (bits != 0)
            return false;
    }
    return true;
}

QByteArray encodeFontChar(const FontChar& character) {
    QByteArray bytes(FontChar::Bytes, '\0');
    for (int column = 0; column < FontChar::Columns; ++column) {
        quint8 upper = 0;
        quint8 lower = 0;
        for (int r = 0; r < HalfRows; ++r) {
            if (character.dot(r, column))
                upper = quint8(upper | 1u << r);
            if (character.dot(HalfRows + r, column))
                lower = quint8(lower | 1u << r);
        }
        bytes[column] = char(upper);
        bytes[FontChar::Columns + column] = char(lower);
    }
    return bytes;
}

FontChar decodeFontChar(const QByteArray& bytes) {
    const auto byteAt = [&bytes](int index) {
        return index < bytes.size() ? quint8(bytes[index]) : quint8(0);
    };
    FontChar character;
    for (int column = 0; column < FontChar::Columns; ++column) {
        const quint8 upper = byteAt(column);
        const quint8 lower = byteAt(FontChar::Columns + column);
        for (int r = 0; r < HalfRows; ++r) {
            character.setDot(r, column, (upper >> r & 1u) != 0);
            character.setDot(HalfRows + r, column, (lower >> r & 1u) != 0);
        }
    }
    return character;
}

} // namespace rz
