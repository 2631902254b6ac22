#include "model/code_page.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace rz::cp932 {

namespace {

// ICU writes an unmappable character as 0xFC 0xFC, a code that is not a
// character of the code page; we write '?' instead, as Windows does.
const QByteArray IcuSubstitute("\xFC\xFC", 2);
constexpr quint16 Replacement = '?';

QStringEncoder& encoder() {
    thread_local QStringEncoder e("windows-31j");
    return e;
}

QStringDecoder& decoder() {
    thread_local QStringDecoder d("windows-31j");
    return d;
}

QByteArray encodeOne(char32_t character) {
    QStringEncoder& e = encoder();
    e.resetState();
    const QByteArray bytes = e.encode(QString::fromUcs4(&character, 1));
    if (bytes.isEmpty() || bytes.size() > 2 || bytes == IcuSubstitute)
        return QByteArray(1, char(Replacement));
    return bytes;
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
    QStringDecoder& d = decoder();
    d.resetState();
    QString text = d.decode(bytes);
    d.resetState();
    // ICU gives SUB (or nothing) for a code that is no character.
    if (text.isEmpty() || (text.contains(QChar(0x1A)) && code != 0x1A))
        return QString(QChar::ReplacementCharacter);
    return text;
}

QByteArray encode(const QString& text) {
    QStringEncoder& e = encoder();
    e.resetState();
    QByteArray bytes = e.encode(text);
    if (!bytes.contains(IcuSubstitute))
        return bytes;
    bytes.clear();
    for (char32_t c : text.toUcs4())
        bytes += encodeOne(c);
    return bytes;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder& d = decoder();
    d.resetState();
    QString text = d.decode(bytes);
    d.resetState();
    return text;
}

int byteLength(const QString& text) {
    return int(encode(text).size());
}

int charByteLength(char32_t character) {
    return int(encodeOne(character).size());
}

} // namespace rz::cp932
