// Code page 932 through Windows' own conversion (a Qt built for Windows here
// has no ICU). Windows would fit a character it lacks to a look-alike (¥ to
// '\') and would turn bytes that are no character into look-alikes too; both
// are refused here, so that a file reads and writes as it does on Linux.
#include "model/code_page_converter.h"

#include <windows.h>

namespace rz::cp932::converter {

namespace {

constexpr UINT CodePage = 932;
constexpr char16_t NotHere = 0x1A;      // a byte that cannot stand where it is
constexpr char16_t Unassigned = 0xFFFD; // a double-byte code with no character

bool isLead(quint8 b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(quint8 b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool isSingle(quint8 b) {
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

// One character of one or two bytes; 0 when they are no character.
char16_t decodeUnit(const char* bytes, int length) {
    wchar_t out[2];
    const int n = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes, length, out, 2);
    return n == 1 ? char16_t(out[0]) : char16_t(0);
}

} // namespace

QByteArray encodeChar(char32_t character) {
    const QString text = QString::fromUcs4(&character, 1);
    char out[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(
        CodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.utf16()),
        int(text.size()), out, int(sizeof(out)), nullptr, &usedDefault);
    if (n <= 0 || n > 2 || usedDefault)
        return QByteArray();
    return QByteArray(out, n);
}

QByteArray encodeText(const QString& text, bool& complete) {
    complete = true;
    if (text.isEmpty())
        return QByteArray();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, int(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
    QByteArray bytes(size, Qt::Uninitialized);
    usedDefault = FALSE;
    WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), size,
                        nullptr, &usedDefault);
    complete = size > 0 && !usedDefault;
    return bytes;
}

QString decodeText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    const int size = int(bytes.size());
    for (int i = 0; i < size; ++i) {
        const auto b = quint8(bytes[i]);
        if (isSingle(b)) {
            const char16_t c = b < 0x80 ? char16_t(b) : decodeUnit(bytes.constData() + i, 1);
            text += QChar(c ? c : NotHere);
        } else if (!isLead(b)) {
            text += QChar(NotHere);
        } else if (i + 1 == size) {
            // A lead byte at the very end is half a character: nothing.
        } else if (!isTrail(quint8(bytes[i + 1]))) {
            text += QChar(NotHere); // the next byte starts over
        } else {
            const char16_t c = decodeUnit(bytes.constData() + i, 2);
            text += QChar(c ? c : Unassigned);
            ++i;
        }
    }
    return text;
}

} // namespace rz::cp932::converter
