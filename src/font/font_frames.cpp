#include "font/font_frames.h"

#include "model/hex_text.h"
#include "model/memory_map.h"

namespace rz::fontframes {

namespace {

constexpr int CharDigits = 2 * FontChar::Bytes;

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool hasCharacterDigits(const QByteArray& reply) {
    if (reply.size() < frames::ReadDataOffset + CharDigits)
        return false;
    for (int i = 0; i < CharDigits; ++i) {
        if (!isUpperHexDigit(reply.at(frames::ReadDataOffset + i)))
            return false;
    }
    return true;
}

} // namespace

quint32 charAddress(int index) {
    Q_ASSERT(index >= 0 && index < 8);
    return memmap::FontBase + memmap::FontCharBytes * quint32(index);
}

QByteArray readFrame(int index) {
    return frames::blockRead(charAddress(index));
}

QByteArray writeFrame(int index, const FontChar& character) {
    return frames::blockWrite(charAddress(index), encodeFontChar(character));
}

bool isReadReplyValid(const QByteArray& reply) {
    return frames::isReadReplyValid(reply) && hasCharacterDigits(reply);
}

std::optional<FontChar> replyCharacter(const QByteArray& reply) {
    if (!hasCharacterDigits(reply))
        return std::nullopt;
    return decodeFontChar(hex::textToBytes(reply, frames::ReadDataOffset, FontChar::Bytes));
}

bool isWriteReplyValid(const QByteArray& reply) {
    return frames::isOkReply(reply, WriteReplyLength);
}

} // namespace rz::fontframes
