#include "model/code_page.h"
#include "model/code_page_converter.h"

#include <QList>

namespace rz::cp932 {

namespace {

// A character the code page lacks is written '?', as Windows does.
constexpr char Replacement = '?';

QByteArray encodeOne(char32_t character) {
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
    const QString text = converter::decodeText(bytes);
    // SUB (or nothing) for a code that is no character.
    if (text.isEmpty() || (text.contains(QChar(0x1A)) && code != 0x1A))
        return QString(QChar::ReplacementCharacter);
    return text;
}

QByteArray encode(const QString& text) {
    bool complete = false;
    QByteArray bytes = converter::encodeText(text, complete);
    if (complete)
        return bytes;
    bytes.clear();
    for (char32_t c : text.toUcs4())
        bytes += encodeOne(c);
    return bytes;
}

QString decode(const QByteArray& bytes) {
    return converter::decodeText(bytes);
}

int byteLength(const QString& text) {
    return int(encode(text).size());
}

int charByteLength(char32_t character) {
    return int(encodeOne(character).size());
}

} // namespace rz::cp932
