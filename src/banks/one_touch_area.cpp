#include "banks/one_touch_area.h"

namespace rz::onetouch {

namespace {

OneTouchKey decodeKey(quint8 bank, quint8 channel, const BankLayout& layout) {
    const int first = firstListedBank(layout);
    if (bank == NoSettingByte)
        return {first, 0, true};
    if (bank >= BankLayout::BankCount || layout.size(bank) == 0)
        return {first, 0, false};
    return {bank, channel < oneTouchChannelCount(bank, layout) ? channel : 0, false};
}

} // namespace

QByteArray encode(const OneTouchMemories& keys) {
    QByteArray bytes(AreaBytes, '\0');
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k) {
        const OneTouchKey& key = keys.key(k);
        const bool recalls = !key.noSetting && key.bank != OneTouchKey::NoBank;
        bytes[k * KeyBytes] = char(recalls ? quint8(key.bank) : NoSettingByte);
        bytes[k * KeyBytes + 1] = char(quint8(key.channel));
    }
    return bytes;
}

bool decode(const QByteArray& data, const BankLayout& layout, OneTouchMemories& keys) {
    if (data.size() < AreaBytes)
        return false;
    std::array<OneTouchKey, OneTouchMemories::KeyCount> decoded{};
    for (int k = 0; k < OneTouchMemories::KeyCount; ++k)
        decoded[size_t(k)] =
            decodeKey(quint8(data[k * KeyBytes]), quint8(data[k * KeyBytes + 1]), layout);
    keys.setKeys(decoded);
    return true;
}

} // namespace rz::onetouch
