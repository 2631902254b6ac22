#pragma once
// The frames of the font window. They are the ordinary block frames at the
// font area: character k lies at 0x01000 + 32k, so its frames start
// "ZT~F010" + two digits of 32k.
#include "font/font_char.h"
#include "link/frames.h"
#include <QByteArray>
#include <optional>

namespace rz::fontframes {

constexpr int ReadFrameLength = 11;
// A read returns the receiver's usual 64-byte block; the character is its
// first 32 bytes, digits 13..76 of the reply.
constexpr int ReadReplyLength = frames::ReadReplyLength; // 143
// The single-character read takes its reply as soon as 79 bytes are in.
constexpr int SingleReadReplyLength = 79;
constexpr int WriteFrameLength = 11 + 2 * FontChar::Bytes;                  // 75
constexpr int WriteReplyLength = frames::writeReplyLength(FontChar::Bytes); // 81

// Address of character index (0..7).
quint32 charAddress(int index);

// "ZT~F010" + hex(32k) + "R" + CR, 11 bytes.
QByteArray readFrame(int index);
// "ZT~F010" + hex(32k) + "W" + the 64 digits of the character + CR, 75 bytes.
QByteArray writeFrame(int index, const FontChar& character);

// A whole-set read reply passes when it has exactly 143 bytes, ends with
// CR LF and carries the character as upper-case hexadecimal digits.
bool isReadReplyValid(const QByteArray& reply);
// The character in a read reply (digits 13..76); none when the reply is too
// short to hold it or one of its digits is not an upper-case hexadecimal
// digit, so a garbled reply never turns into dots.
std::optional<FontChar> replyCharacter(const QByteArray& reply);
// A write reply passes when it has exactly 81 bytes with "OK" at 77, 78.
bool isWriteReplyValid(const QByteArray& reply);

} // namespace rz::fontframes
