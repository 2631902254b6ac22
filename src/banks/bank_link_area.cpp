#include "banks/bank_link_area.h"

namespace rz::banklinkarea {

namespace {

bool isValidBlock(int block) {
    return block >= 0 && block < BlockCount;
}

// Byte and bit of bank b within its group's eight bytes.
int byteOf(int bank) {
    return bank / 8;
}
quint8 bitOf(int bank) {
    return quint8(0x80 >> (bank % 8));
}

template <typename Member> QByteArray encodeMembers(int block, Member isMember) {
    if (!isValidBlock(block))
        return {};
    QByteArray bytes(BlockBytes[size_t(block)], '\0');
    for (int i = 0; i < GroupCount[size_t(block)]; ++i) {
        const int group = FirstGroup[size_t(block)] + i;
        for (int b = 0; b < BankLinkTable::BankCount; ++b)
            if (isMember(group, b))
                bytes[i * GroupBytes + byteOf(b)] |= char(bitOf(b));
    }
    return bytes;
}

} // namespace

QByteArray encodeBlock(const BankLinkTable& table, int block) {
    return encodeMembers(block, [&](int group, int bank) { return table.isMember(group, bank); });
}

QByteArray encodeBlock(const BankLinkTable& table, int block, const BankLayout& layout) {
    return encodeMembers(block, [&](int group, int bank) {
        return table.isMember(group, bank) && layout.size(bank) > 0;
    });
}

bool decodeBlock(const QByteArray& data, int block, BankLinkTable& table) {
    if (!isValidBlock(block) || data.size() < BlockBytes[size_t(block)])
        return false;
    {
        const QSignalBlocker quiet(table); // one change for the whole block, below
        for (int i = 0; i < GroupCount[size_t(block)]; ++i) {
            const int group = FirstGroup[size_t(block)] + i;
            for (int b = 0; b < BankLinkTable::BankCount; ++b) {
                const bool set = (quint8(data[i * GroupBytes + byteOf(b)]) & bitOf(b)) != 0;
                table.setEntry(group, b, set ? BankLinkTable::Linked : BankLinkTable::NotLinked);
            }
        }
    }
    table.markEmptyBanks();
    return true;
}

} // namespace rz::banklinkarea
