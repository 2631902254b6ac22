#include "banks/bank_link_table.h"

namespace rz {

BankLinkTable::BankLinkTable(QObject* parent) : QObject(parent) {}

void BankLinkTable::setEntry(int group, int bank, int value) {
    const quint8 kept = value == Linked || value == EmptyBank ? quint8(value) : quint8(NotLinked);
    quint8& stored = entries_[index(group, bank)];
    if (stored == kept)
        return;
    stored = kept;
    emit changed();
}

void BankLinkTable::setEmptyFlag(int bank, bool empty) {
    if (emptyFlags_[size_t(bank)] == empty)
        return;
    emptyFlags_[size_t(bank)] = empty;
    emit changed();
}

bool BankLinkTable::isMember(int group, int bank) const {
    return entry(group, bank) == Linked && !emptyFlag(bank);
}

void BankLinkTable::toggle(int group, int bank) {
    if (emptyFlag(bank))
        return;
    setEntry(group, bank, entry(group, bank) == NotLinked ? Linked : NotLinked);
}

void BankLinkTable::clear() {
    entries_.fill(NotLinked);
    emit changed();
}

void BankLinkTable::refreshEmptyFlags(const BankLayout& layout) {
    for (int b = 0; b < BankCount; ++b) {
        emptyFlags_[size_t(b)] = layout.size(b) == 0;
        if (emptyFlags_[size_t(b)])
            for (int g = 0; g < GroupCount; ++g)
                entries_[index(g, b)] = NotLinked;
    }
    emit changed();
}

void BankLinkTable::markEmptyBanks() {
    for (int b = 0; b < BankCount; ++b)
        if (emptyFlags_[size_t(b)])
            for (int g = 0; g < GroupCount; ++g)
                entries_[index(g, b)] = EmptyBank;
    emit changed();
}

} // namespace rz
