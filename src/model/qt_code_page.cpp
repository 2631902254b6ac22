// Code page 932 through Qt's ICU converter ("windows-31j").
#include "model/code_page_converter.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace rz::cp932::converter {

namespace {

// ICU writes an unmappable character as 0xFC 0xFC, a code that is not a
// character of the code page.
const QByteArray IcuSubstitute("\xFC\xFC", 2);

QStringEncoder& encoder() {
    thread_local QStringEncoder e("windows-31j");
    return e;
}

QStringDecoder& decoder() {
    thread_local QStringDecoder d("windows-31j");
    return d;
}

} // namespace

QByteArray encodeChar(char32_t character) {
    QStringEncoder& e = encoder();
    e.resetState();
    const QByteArray bytes = e.encode(QString::fromUcs4(&character, 1));
    if (bytes.isEmpty() || bytes.size() > 2 || bytes == IcuSubstitute)
        return QByteArray();
    return bytes;
}

char16_t decodeUnit(const char* bytes, int length) {
    QStringDecoder& d = decoder();
    d.resetState();
    const QString text = d.decode(QByteArrayView(bytes, length));
    d.resetState();
    // ICU gives SUB or U+FFFD for a code that is no character.
    if (text.size() != 1 || text.at(0) == QChar(0x1A) || text.at(0) == QChar::ReplacementCharacter)
        return 0;
    return text.at(0).unicode();
}

} // namespace rz::cp932::converter
