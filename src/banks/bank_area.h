#pragma once
// The receiver's bank area: 128 bytes from 0x00200, moved as two 64-byte
// blocks. Each bank size is a 16-bit little-endian number (banks 0..31 in the
// first block, 32..49 in the second); after the sizes the second block
// carries the sizes of the fixed groups that follow the bank channels.
#include "banks/bank_layout.h"
#include "model/memory_map.h"

#include <QByteArray>
#include <array>

namespace rz::bankarea {

constexpr int BlockCount = 2;
constexpr int BlockBytes = 64;
constexpr int BanksPerBlock = 32; // the first block is all sizes
constexpr std::array<quint32, BlockCount> BlockAddress{memmap::BanksFirst, memmap::BanksSecond};
// Written after bank 49's size (0x00264..0x00271), never read back: the
// program-scan, dual, priority, pass and bug-detector group sizes.
constexpr std::array<quint16, 7> GroupSizes{100, 200, 100, 0, 100, 0, 21};

// First bank held by block `block` and the number of banks it holds.
constexpr int firstBank(int block) {
    return block * BanksPerBlock;
}
constexpr int bankCount(int block) {
    return block == 0 ? BanksPerBlock : BankLayout::BankCount - BanksPerBlock;
}

// The 64 bytes of block `block` (0 or 1). A layout whose total is not 1200
// gives an empty array: an inconsistent layout is never sent to the receiver.
QByteArray encodeBlock(const BankLayout& layout, int block);

// Takes the sizes of the banks in block `block` from its data (at least 64
// bytes; a shorter array changes nothing and gives false). A size is the low
// byte plus 256 times the low four bits of the high byte; a size above 1200
// is kept at 1200.
bool decodeBlock(const QByteArray& data, int block, BankLayout& layout);

} // namespace rz::bankarea
