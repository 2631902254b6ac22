// Feeds arbitrary bytes to the recovery-file reader. What it takes must be a
// snapshot the models hold exactly: restored into a data set and taken again
// it is the same, and what it encodes to reads back the same.
#include "files/recovery_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const std::optional<rz::DataSetSnapshot> snapshot = rz::recovery::decode(bytes);
    if (!snapshot)
        return 0;
    rz::DataSet set;
    snapshot->restore(set);
    if (rz::DataSetSnapshot::take(set) != *snapshot)
        __builtin_trap();
    const std::optional<rz::DataSetSnapshot> again =
        rz::recovery::decode(rz::recovery::encode(*snapshot));
    if (!again || *again != *snapshot)
        __builtin_trap();
    return 0;
}
