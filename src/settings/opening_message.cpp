#include "settings/opening_message.h"

#include "link/frames.h"
#include "model/code_page.h"
#include "model/hex_text.h"
#include "model/memory_map.h"
#include "model/name_slots.h"

#include <QList>

namespace rz::opening {

namespace {
// Reply byte of the style byte's low digit: data byte 32 is at 13 + 64.
constexpr int StyleDigitAt = frames::ReadDataOffset + 2 * SlotBytes + 1;
} // namespace

QString fitted(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= MaxCharacters)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             MaxCharacters);
}

QByteArray slotBytes(const QString& text) {
    QByteArray bytes(SlotBytes, '\0');
    nameslots::encode(text, bytes, 0);
    return bytes;
}

QByteArray areaBytes(const QString& text, int style) {
    const int kept = style >= StyleStill && style <= StyleDisable ? style : StyleDisable;
    QByteArray area = slotBytes(text);
    area += char(kept);
    area += '\0';
    return area;
}

Read decodeArea(const QByteArray& area) {
    Read read;
    read.text = nameslots::decode(area.left(SlotBytes), 0);
    const int style = area.size() > SlotBytes ? quint8(area[SlotBytes]) : StyleDisable;
    read.style = style <= StyleDisable ? style : StyleDisable;
    return read;
}

bool isShowable(char32_t character) {
    return character >= 0x20 && character != 0x7F &&
           (character == U'?' || cp932::charCode(character) != '?');
}

QByteArray writeFrame(const QString& text, int style) {
    // The style byte and the 0 after it travel as two more digit pairs.
    return frames::blockWrite(memmap::OpeningMessage, areaBytes(text, style));
}

Read decodeReply(const QByteArray& reply) {
    Read read;
    if (reply.size() <= StyleDigitAt)
        return read;
    read.text = nameslots::decode(hex::textToBytes(reply, frames::ReadDataOffset, SlotBytes), 0);
    const char digit = reply[StyleDigitAt];
    read.style = digit == '0' ? StyleStill : digit == '1' ? StyleSlide : StyleDisable;
    return read;
}

} // namespace rz::opening
