// Feeds arbitrary bytes to the clone-file reader as the file's content. What
// it loads must save and load again to the same table.
#include "files/clone_channels.h"
#include "files/clone_file.h"
#include "files/text_lines.h"
#include "model/code_page.h"

#include <cstddef>
#include <cstdint>

namespace {

struct Data {
    rz::ChannelTable table;
    rz::clone::ChannelSection channels{table};
    rz::clone::CloneSections sections;
    Data() { sections.set(rz::clone::Slot::Channels, &channels); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Data first;
    static Data second;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    first.table.reset();
    if (!rz::clone::readCloneText(bytes, first.sections).ok)
        return 0;
    const QStringList saved = rz::clone::cloneLines(first.sections, {});
    second.table.reset();
    if (!rz::clone::readCloneText(rz::textfile::joinLines(saved), second.sections).ok)
        __builtin_trap();
    for (int r = 1; r <= rz::ChannelTable::RowCount; ++r) {
        if (first.table.inUse(r) != second.table.inUse(r))
            __builtin_trap();
        // Compared as saved: bytes that are no character read as U+FFFD,
        // which saves as '?'.
        if (first.table.inUse(r) &&
            rz::cp932::encode(rz::clone::FormatChannelLine(first.table, r - 1)) !=
                rz::cp932::encode(rz::clone::FormatChannelLine(second.table, r - 1)))
            __builtin_trap();
    }
    return 0;
}
