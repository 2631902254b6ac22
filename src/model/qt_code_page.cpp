// Code page 932 through Qt's ICU converter ("windows-31j").
#include "model/code_page_converter.h"

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

QByteArray encodeText(const QString& text, bool& complete) {
    QStringEncoder& e = encoder();
    e.resetState();
    QByteArray bytes = e.encode(text);
    complete = !bytes.contains(IcuSubstitute);
    return bytes;
}

QString decodeText(const QByteArray& bytes) {
    QStringDecoder& d = decoder();
    d.resetState();
    QString text = d.decode(bytes);
    d.resetState();
    return text;
}

} // namespace rz::cp932::converter
