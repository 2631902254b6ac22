#pragma once
// The receiver's bank-link area: 88 bytes from 0x00100, 8 per group. Byte k
// (0..5) of a group holds banks 8k..8k+7, bank 8k at bit 7; byte 6 holds bank
// 48 at bit 7 and bank 49 at bit 6; byte 7 is 0. Groups 0..5 are moved as
// one 48-byte block from 0x00100, groups 6..10 as one 40-byte block from
// 0x00130.
#include "banks/bank_link_table.h"
#include "model/memory_map.h"

#include <QByteArray>
#include <array>

namespace rz::banklinkarea {

constexpr int BlockCount = 2;
constexpr int GroupBytes = 8;
constexpr std::array<quint32, BlockCount> BlockAddress{memmap::BankLinksFirst,
                                                       memmap::BankLinksSecond};
constexpr std::array<int, BlockCount> FirstGroup{0, 6};
constexpr std::array<int, BlockCount> GroupCount{6, 5};
constexpr std::array<int, BlockCount> BlockBytes{6 * GroupBytes, 5 * GroupBytes}; // 48, 40

// The bytes of block `block` (0 or 1): only members count, so entries of 0
// and 2 and the entries of banks flagged empty are sent as non-members.
QByteArray encodeBlock(const BankLinkTable& table, int block);
// The same, with the banks that hold no channels in `layout` sent as
// non-members whatever their flags say (flags last taken from another
// layout).
QByteArray encodeBlock(const BankLinkTable& table, int block, const BankLayout& layout);

// Takes the groups of block `block` from the data of its read (at least 48 or
// 40 bytes; shorter data changes nothing and gives false), then marks every
// entry of a bank flagged empty with 2. Bits that stand for no bank are
// ignored.
bool decodeBlock(const QByteArray& data, int block, BankLinkTable& table);

} // namespace rz::banklinkarea
