#pragma once
// The receiver's 64-byte channel record and its codec.
#include "model/channel_table.h"
#include <QByteArray>

namespace rz::record {

constexpr int Size = 64;

// Band code of a channel in use at f Hz shown in grid row r.
quint8 bandCode(quint32 hz, int gridRow);
// In use exactly when the low four bits of byte 0 are not zero.
bool isInUse(const QByteArray& record);
// Encodes a row; a row not in use gives 64 zero bytes.
QByteArray encode(const ChannelRow& row, int gridRow);
// Decodes into a row: an empty record only clears the in-use flag; otherwise
// texts and codes are set as the record says (tone type 2 leaves its text).
void decode(const QByteArray& record, ChannelRow& row);

} // namespace rz::record
