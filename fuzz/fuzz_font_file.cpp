// Feeds arbitrary bytes to the font-file parser as a file's content. A refused
// file must leave the characters exactly as they were.
#include "font/font_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), int(size));
    rz::FontStore::Characters start;
    start[3].setDot(4, 5, true);
    const rz::fontfile::ParseResult parsed = rz::fontfile::parseFontFile(content, start);
    if (!parsed.result.ok() && !(parsed.characters == start))
        __builtin_trap();
    if (!parsed.result.ok() && parsed.result.reason.isEmpty())
        __builtin_trap();
    // What was read saves and reads back the same.
    if (parsed.result.ok()) {
        const QByteArray saved = rz::fontfile::fileBytes(parsed.characters, QStringLiteral("h"));
        const rz::fontfile::ParseResult again =
            rz::fontfile::parseFontFile(saved, rz::FontStore::Characters{});
        if (!again.result.ok() || !(again.characters == parsed.characters))
            __builtin_trap();
    }
    return 0;
}
