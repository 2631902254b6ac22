// Feeds arbitrary bytes to the one-touch decoder: the first 100 bytes give a
// bank layout (two bytes per bank), the rest is the receiver's read of
// 0x00180. Every decoded key must name a bank that holds channels (or none,
// when every bank is empty) and a position within it, and encode again to 27
// bytes.
#include "banks/one_touch_area.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    rz::BankLayout layout;
    std::array<int, rz::BankLayout::BankCount> sizes{};
    for (int b = 0; b < rz::BankLayout::BankCount && 2 * b + 1 < bytes.size(); ++b)
        sizes[size_t(b)] = quint8(bytes[2 * b]) | (quint8(bytes[2 * b + 1]) & 0x07) << 8;
    layout.setSizes(sizes);

    rz::OneTouchMemories keys;
    if (!rz::onetouch::decode(bytes.mid(2 * rz::BankLayout::BankCount), layout, keys))
        return 0;
    const bool anyBank = !layout.nonEmptyBanks().empty();
    for (const rz::OneTouchKey& key : keys.keys()) {
        if (anyBank ? key.bank < 0 || layout.size(key.bank) == 0
                    : key.bank != rz::OneTouchKey::NoBank)
            __builtin_trap();
        if (key.channel != 0 && key.channel >= rz::oneTouchChannelCount(key.bank, layout))
            __builtin_trap();
    }
    if (rz::onetouch::encode(keys).size() != rz::onetouch::AreaBytes)
        __builtin_trap();
    return 0;
}
