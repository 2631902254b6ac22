// Feeds arbitrary bytes to the clone-file reader as the file's content, into
// a whole data set. What it loads must save and load again, and save the
// same text again (the one-touch lines aside: they are read against the bank
// sizes of the file at the place they stand).
#include "files/clone_file.h"
#include "files/data_set_sections.h"
#include "files/text_lines.h"
#include "model/code_page.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace {

struct Data {
    rz::DataSet set;
    rz::clone::DataSetSections sections{set, [] { return 1; }};
    Data() { rz::clone::loadStartUpState(set); }
};

QList<QByteArray> savedLines(const Data& data) {
    QList<QByteArray> lines;
    for (const QString& line : rz::clone::cloneLines(data.sections.sections(), {}))
        if (!line.startsWith(QLatin1String("ONETOUCH")))
            lines << rz::cp932::encode(line); // U+FFFD saves as '?'
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    // Most inputs fail to read, and a failed read changes nothing: the
    // start-up data set is built again only after a read that loaded.
    static std::unique_ptr<Data> first = std::make_unique<Data>();
    if (!rz::clone::readCloneText(bytes, first->sections.sections()).ok)
        return 0;
    const std::unique_ptr<Data> loaded = std::exchange(first, std::make_unique<Data>());
    const QList<QByteArray> saved = savedLines(*loaded);
    auto second = std::make_unique<Data>();
    const QStringList text = rz::clone::cloneLines(loaded->sections.sections(), {});
    if (!rz::clone::readCloneText(rz::textfile::joinLines(text), second->sections.sections()).ok)
        __builtin_trap();
    if (savedLines(*second) != saved)
        __builtin_trap();
    return 0;
}
