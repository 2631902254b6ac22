#pragma once
// Texts the receiver keeps as 16 character slots of two bytes (a channel's
// name, the opening message): slot i holds the character's code page 932
// code, low byte first; a single-byte character has a high byte of 0 and an
// unused slot is 0.
#include <QByteArray>
#include <QString>

namespace rz::nameslots {

constexpr int SlotCount = 16;
constexpr int SlotBytes = 2 * SlotCount;

// The characters of the 16 slots at offset, joined; a slot of 0 adds nothing.
QString decode(const QByteArray& bytes, int offset);
// Writes the first 16 characters of text into the slots at offset; the slots
// after the last character are left as they are.
void encode(const QString& text, QByteArray& bytes, int offset);

} // namespace rz::nameslots
