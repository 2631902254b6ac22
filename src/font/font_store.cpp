#include "font/font_store.h"

#include <algorithm>

namespace rz {

FontStore::FontStore(QObject* parent) : QObject(parent) {}

FontChar FontStore::character(int index) const {
    return isIndex(index) ? characters_[size_t(index)] : FontChar();
}

void FontStore::setCharacter(int index, const FontChar& character) {
    if (!isIndex(index))
        return;
    touched_ = true;
    if (characters_[size_t(index)] == character)
        return;
    characters_[size_t(index)] = character;
    emit changed();
}

void FontStore::setCharacters(const Characters& characters) {
    touched_ = true;
    if (characters_ == characters)
        return;
    characters_ = characters;
    emit changed();
}

bool FontStore::dot(int index, int row, int column) const {
    return isIndex(index) && characters_[size_t(index)].dot(row, column);
}

void FontStore::setDot(int index, int row, int column, bool lit) {
    if (!isIndex(index))
        return;
    FontChar character = characters_[size_t(index)];
    character.setDot(row, column, lit);
    setCharacter(index, character);
}

void FontStore::toggleDot(int index, int row, int column) {
    setDot(index, row, column, !dot(index, row, column));
}

void FontStore::fillRect(int index, int row1, int column1, int row2, int column2, bool lit) {
    if (!isIndex(index))
        return;
    const int top = std::max(std::min(row1, row2), 0);
    const int bottom = std::min(std::max(row1, row2), FontChar::Rows - 1);
    const int left = std::max(std::min(column1, column2), 0);
    const int right = std::min(std::max(column1, column2), FontChar::Columns - 1);
    FontChar character = characters_[size_t(index)];
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            character.setDot(row, column, lit);
    }
    setCharacter(index, character);
}

void FontStore::clearCharacter(int index) {
    setCharacter(index, FontChar());
}

void FontStore::clearAll() {
    setCharacters(Characters{});
}

} // namespace rz
