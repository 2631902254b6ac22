#include "banks/one_touch.h"

#include <algorithm>

namespace rz {

namespace {

bool isBank(int bank) {
    return bank >= 0 && bank < BankLayout::BankCount;
}

bool isListed(int bank, const BankLayout& layout) {
    return isBank(bank) && layout.size(bank) > 0;
}

} // namespace

OneTouchMemories::OneTouchMemories(QObject* parent) : QObject(parent) {}

void OneTouchMemories::setKey(int k, const OneTouchKey& key) {
    if (store(k, key))
        emit changed();
}

void OneTouchMemories::setKeys(const std::array<OneTouchKey, KeyCount>& keys) {
    bool any = false;
    for (int k = 0; k < KeyCount; ++k)
        any = store(k, keys[size_t(k)]) || any;
    if (any)
        emit changed();
}

bool OneTouchMemories::store(int k, const OneTouchKey& key) {
    OneTouchKey kept = key;
    if (!isBank(kept.bank))
        kept.bank = OneTouchKey::NoBank;
    if (kept.channel < 0 || kept.channel >= MaxChannelPositions)
        kept.channel = 0;
    if (keys_[size_t(k)] == kept)
        return false;
    keys_[size_t(k)] = kept;
    return true;
}

void OneTouchMemories::selectBank(int k, int bank) {
    setKey(k, {bank, 0, key(k).noSetting});
}

void OneTouchMemories::selectChannel(int k, int channel) {
    setKey(k, {key(k).bank, channel, key(k).noSetting});
}

void OneTouchMemories::setNoSetting(int k, bool noSetting) {
    setKey(k, {key(k).bank, key(k).channel, noSetting});
}

void OneTouchMemories::reset(const BankLayout& layout) {
    std::array<OneTouchKey, KeyCount> keys{};
    keys.fill({firstListedBank(layout), 0, true});
    setKeys(keys);
}

void OneTouchMemories::rebuild(const BankLayout& layout) {
    std::array<OneTouchKey, KeyCount> keys = keys_;
    for (OneTouchKey& key : keys) {
        if (!isListed(key.bank, layout)) {
            key.bank = firstListedBank(layout);
            key.channel = 0;
        } else if (key.channel >= oneTouchChannelCount(key.bank, layout)) {
            key.channel = 0;
        }
    }
    setKeys(keys);
}

int OneTouchMemories::fileBankValue(int k) const {
    const OneTouchKey& key = this->key(k);
    return key.noSetting || !isBank(key.bank) ? FileNoSetting : key.bank;
}

bool OneTouchMemories::applyFileBankValue(int k, int value, const BankLayout& layout) {
    if (value == FileNoSetting) {
        setKey(k, {firstListedBank(layout), 0, true});
        return true;
    }
    OneTouchKey key = this->key(k);
    key.noSetting = false;
    const bool listed = isListed(value, layout);
    if (listed) {
        key.bank = value;
        // The channel line that follows sets the channel; until then it
        // must not lie beyond the new bank.
        if (key.channel >= oneTouchChannelCount(value, layout))
            key.channel = 0;
    }
    setKey(k, key);
    return listed;
}

bool OneTouchMemories::applyFileChannelValue(int k, int value, const BankLayout& layout) {
    const bool selectable = value >= 0 && value < oneTouchChannelCount(key(k).bank, layout);
    selectChannel(k, selectable ? value : 0);
    return selectable;
}

QStringList oneTouchBankItems(const BankLayout& layout) {
    QStringList items;
    for (int bank : layout.nonEmptyBanks())
        items << QString::number(bank);
    return items;
}

QStringList oneTouchChannelItems(int bank, const BankLayout& layout) {
    QStringList items;
    const int count = oneTouchChannelCount(bank, layout);
    items.reserve(count);
    for (int position = 0; position < count; ++position)
        items << QString::number(position);
    return items;
}

int oneTouchChannelCount(int bank, const BankLayout& layout) {
    if (!isBank(bank))
        return 0;
    return std::min(layout.size(bank), OneTouchMemories::MaxChannelPositions);
}

int oneTouchBankPosition(const OneTouchKey& key, const BankLayout& layout) {
    const std::vector<int> banks = layout.nonEmptyBanks();
    const auto found = std::find(banks.begin(), banks.end(), key.bank);
    return found == banks.end() ? -1 : int(found - banks.begin());
}

int firstListedBank(const BankLayout& layout) {
    const std::vector<int> banks = layout.nonEmptyBanks();
    return banks.empty() ? OneTouchKey::NoBank : banks.front();
}

} // namespace rz
