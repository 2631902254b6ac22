#pragma once
// How the lists of both settings tabs are kept in the receiver's settings
// bytes, and the write frames of the settings blocks.
#include "settings/settings_lists.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace rz {

class SettingsImage;

namespace settings {

// Lists from a 192-byte image. A list whose byte holds a value outside its
// entries keeps its position and is named in the result. The function-key
// lists keep their position for a code that is not in their table, and the
// two audio-cut lists for a byte 101 above 3, as the receiver's own menus do
// not show such values either.
std::vector<ListId> decodePositions(const QByteArray& image, Positions& positions);
// The coded selections of every list whose byte lies in block b, into the
// image (192 bytes); the other bytes stay, and so do the bytes of the `kept`
// lists (their value was outside the list when read).
void encodeBlock(const Positions& positions, QByteArray& image, int block,
                 const std::vector<ListId>& kept = {});

// The "Overwrite" position from the reply to the write-protection read: the
// low digit of the byte, as it came over the line. Nothing for a digit that
// names no entry.
std::optional<int> overwritePosition(const QByteArray& reply);

} // namespace settings

// Sets every list of both tabs from the image; returns the lists whose byte
// was outside their entries (they keep their positions, and their bytes until
// they are changed: SettingsImage::keptLists).
std::vector<settings::ListId> DecodeSettings(SettingsImage& settings);
// Codes the lists of block b (0..2), but the kept ones, into the image and
// returns the block's write frame ("ZT~F" + address + "W" + 128 digits + CR); empty for another b.
QByteArray EncodeSettingsBlock(SettingsImage& settings, int block);
// Sets "Overwrite" from the write-protection reply; false when the reply
// names no entry (the list keeps its position).
bool ApplyWriteProtection(SettingsImage& settings, const QByteArray& reply);

} // namespace rz
