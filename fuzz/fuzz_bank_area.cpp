// Feeds arbitrary bytes to the bank area decoder, as a receiver's reads of
// 0x00200 and 0x00240 could carry them: every size must stay within 0..1200.
#include "banks/bank_area.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    rz::BankLayout layout;
    rz::bankarea::decodeBlock(bytes, 0, layout);
    rz::bankarea::decodeBlock(bytes.mid(rz::bankarea::BlockBytes), 1, layout);
    for (int size : layout.sizes())
        if (size < 0 || size > rz::BankLayout::MaxSize)
            __builtin_trap();
    for (int block = 0; block < rz::bankarea::BlockCount; ++block) {
        const QByteArray encoded = rz::bankarea::encodeBlock(layout, block);
        if (encoded.size() != (layout.isConsistent() ? rz::bankarea::BlockBytes : 0))
            __builtin_trap();
    }
    return 0;
}
