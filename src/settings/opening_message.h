#pragma once
// The receiver's opening message: up to 16 characters kept in a 34-byte area
// at 0x001A0 (16 two-byte character slots, the display style, a 0).
#include <QByteArray>
#include <QString>

namespace rz::opening {

constexpr int MaxCharacters = 16;
constexpr int SlotBytes = 32;
constexpr int AreaBytes = 34;
// Bytes of the message in code page 932 that a file may carry.
constexpr int MaxFileBytes = 32;
// Display styles, the positions of Set_Mode_Display(5).
constexpr int StyleStill = 0;
constexpr int StyleSlide = 1;
constexpr int StyleDisable = 2;
constexpr int WriteFrameLength = 79;
constexpr int WriteReplyLength = 85;

// The first 16 characters (not UTF-16 units) of a text.
QString fitted(const QString& text);
// The 32 slot bytes of a message.
QByteArray slotBytes(const QString& text);
// The 34 bytes of the area: the slots, the style (one outside 0..2 is kept
// as "Disable"), a 0.
QByteArray areaBytes(const QString& text, int style);
// "ZT~F001A0W", 64 digits of the slots, "0", "0" + style, "00", CR: 79 bytes.
// A style outside 0..2 is sent as "Disable".
QByteArray writeFrame(const QString& text, int style);

struct Read {
    QString text;
    int style = StyleDisable;
};
// The message and style of a read reply that passed the read-reply check:
// the low digit of the style byte, as it came over the line, is "0" for
// "Still", "1" for "Slide"; anything else means "Disable".
Read decodeReply(const QByteArray& reply);
// The message and style of the area as the program keeps it (areaBytes).
Read decodeArea(const QByteArray& area);

// A character the receiver can show: a printable one the code page has.
// Any other would be sent as "?", so the message box does not take it.
bool isShowable(char32_t character);

} // namespace rz::opening
