#pragma once
// The receiver's eight user characters as the program keeps them for the
// whole run: the font window edits them, the font transfers move them to and
// from the receiver, and font files keep them on disk.
#include "font/font_char.h"
#include <QObject>
#include <array>

namespace rz {

class FontStore : public QObject {
    Q_OBJECT
public:
    static constexpr int CharCount = 8;
    using Characters = std::array<FontChar, CharCount>;

    explicit FontStore(QObject* parent = nullptr);

    // Characters outside 0..7 read as blank; changes to them are ignored.
    FontChar character(int index) const;
    void setCharacter(int index, const FontChar& character);
    const Characters& characters() const { return characters_; }
    void setCharacters(const Characters& characters);

    // Some character has been set in this run (read, opened from a file or
    // edited, even to what it was): the store then stands for the user's
    // font, and Write all sends it; an untouched store is not the
    // receiver's font and must not overwrite it.
    bool isTouched() const { return touched_; }

    bool dot(int index, int row, int column) const;
    void setDot(int index, int row, int column, bool lit);
    void toggleDot(int index, int row, int column);

    // Lights (or darkens) every dot of the rectangle with the corners
    // (row1, column1) and (row2, column2), whichever way it was dragged;
    // the part outside the 16 x 16 field is left out.
    void fillRect(int index, int row1, int column1, int row2, int column2, bool lit);
    void clearCharacter(int index);
    void clearAll();

signals:
    void changed();

private:
    static bool isIndex(int index) { return index >= 0 && index < CharCount; }
    Characters characters_{};
    bool touched_ = false;
};

} // namespace rz
