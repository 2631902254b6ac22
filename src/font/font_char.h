#pragma once
// One user character of the receiver: 16 x 16 dots, row 0 at the top,
// column 0 at the left; and its 32-byte layout in the receiver's memory.
#include <QByteArray>
#include <array>

namespace rz {

class FontChar {
public:
    static constexpr int Rows = 16;
    static constexpr int Columns = 16;
    static constexpr int Bytes = 32; // size in the receiver's memory

    // Dots outside the 16 x 16 field read as dark and cannot be set.
    bool dot(int row, int column) const;
    void setDot(int row, int column, bool lit);
    bool isBlank() const;

    bool operator==(const FontChar& other) const { return rows_ == other.rows_; }
    bool operator!=(const FontChar& other) const { return !(*this == other); }

private:
    static bool inside(int row, int column) {
        return row >= 0 && row < Rows && column >= 0 && column < Columns;
    }
    std::array<quint16, Rows> rows_{}; // bit c of a row is column c
};

// The receiver keeps a character column by column: byte c holds column c,
// rows 0..7 (bit r is row r); byte 16 + c holds column c, rows 8..15.
QByteArray encodeFontChar(const FontChar& character);
// The inverse, from the first 32 bytes; bytes missing from a shorter array
// count as 0 and bytes beyond the 32nd are ignored.
FontChar decodeFontChar(const QByteArray& bytes);

} // namespace rz
