// Feeds arbitrary bytes to the channel record decoder and the code page
// decoder, as a receiver's read reply or a name slot could carry them.
#include "model/channel_record.h"
#include "model/code_page.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    rz::ChannelRow row;
    rz::record::decode(bytes.left(rz::record::Size), row);
    const QByteArray again = rz::record::encode(row, 1 + int(size % 1721));
    if (again.size() != rz::record::Size)
        __builtin_trap();
    rz::cp932::decode(bytes);
    if (size >= 2)
        rz::cp932::fromCode(quint16(data[0] << 8 | data[1]));
    return 0;
}
