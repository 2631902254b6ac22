// Code page 932 through Windows' own tables (a Qt built for Windows here
// has no ICU). Windows would fit a character it lacks to a look-alike (¥ to
// '\') and read an unassigned code as a look-alike too: both are refused.
#include "model/code_page_converter.h"

#include <QString>

#include <windows.h>

namespace rz::cp932::converter {

namespace {

constexpr UINT CodePage = 932;

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

char16_t decodeUnit(const char* bytes, int length) {
    wchar_t out[2];
    const int n = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes, length, out, 2);
    return n == 1 ? char16_t(out[0]) : char16_t(0);
}

} // namespace rz::cp932::converter
