#include "model/code_page.h"
#include "model/code_page_converter.h"

#include <QList>

namespace rz::cp932 {

namespace {

// A character the code page lacks is written '?', as Windows does.
constexpr char Replacement = '?';
constexpr char16_t NotHere = 0x1A;      // a byte that cannot stand where it is
constexpr char16_t Unassigned = 0xFFFD; // a code with no character

bool isLead(quint8 b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(quint8 b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool isKana(quint8 b) {
    return b >= 0xA1 && b <= 0xDF;
}

// ASCII is itself in the code page, control characters included (ICU
// would swap 0x1A, 0x1C and 0x7F).
QByteArray encodeOne(char32_t character) {
    if (character < 0x80)
        return QByteArray(1, char(character));
    const QByteArray bytes = converter::encodeChar(character);
    return bytes.isEmpty() ? QByteArray(1, Replacement) : bytes;
}

} // namespace

quint16 charCode(char32_t character) {
    const QByteArray bytes = encodeOne(character);
    if (bytes.size() == 1)
        return quint8(bytes[0]);
    return quint16(quint8(bytes[0]) << 8 | quint8(bytes[1]));
}

QString fromCode(quint16 code) {
    if (code == 0)
        return QString();
    QByteArray bytes;
    if (code > 0xFF)
        bytes.append(char(code >> 8));
    bytes.append(char(code & 0xFF));
    const QString text = decode(bytes);
    if (text.size() != 1 || (text.at(0) == QChar(NotHere) && code != NotHere))
        return QString(QChar::ReplacementCharacter);
    return text;
}

QByteArray encode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4())
        bytes += encodeOne(c);
    return bytes;
}

QString decode(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    const int size = int(bytes.size());
    for (int i = 0; i < size; ++i) {
        const auto b = quint8(bytes[i]);
        if (b < 0x80) {
            text += QChar(b);
        } else if (isKana(b)) {
            const char16_t c = converter::decodeUnit(bytes.constData() + i, 1);
            text += QChar(c ? c : NotHere);
        } else if (!isLead(b)) {
            text += QChar(NotHere);
        } else if (i + 1 == size) {
            // A lead byte at the very end is half a character: nothing.
        } else if (!isTrail(quint8(bytes[i + 1]))) {
            text += QChar(NotHere); // the next byte starts over
        } else {
            const char16_t c = converter::decodeUnit(bytes.constData() + i, 2);
            text += QChar(c ? c : Unassigned);
            ++i;
        }
    }
    return text;
}

int byteLength(const QString& text) {
    return int(encode(text).size());
}

int charByteLength(char32_t character) {
    return int(encodeOne(character).size());
}

} // namespace rz::cp932
