#include "banks/bank_area.h"

namespace rz::bankarea {

namespace {

void putWord(QByteArray& bytes, int offset, int value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

// The receiver keeps sizes in 12 bits; the high nibble of the high byte
// carries nothing.
int sizeAt(const QByteArray& bytes, int offset) {
    const int low = quint8(bytes[offset]);
    const int high = quint8(bytes[offset + 1]) & 0x0F;
    return low + 256 * high;
}

} // namespace

QByteArray encodeBlock(const BankLayout& layout, int block) {
    if (!layout.isConsistent() || block < 0 || block >= BlockCount)
        return {};
    QByteArray bytes(BlockBytes, '\0');
    const int first = firstBank(block);
    for (int i = 0; i < bankCount(block); ++i)
        putWord(bytes, 2 * i, layout.size(first + i));
    if (block == 1) {
        int offset = 2 * bankCount(block);
        for (quint16 groupSize : GroupSizes) {
            putWord(bytes, offset, groupSize);
            offset += 2;
        }
    }
    return bytes;
}

bool decodeBlock(const QByteArray& data, int block, BankLayout& layout) {
    if (data.size() < BlockBytes || block < 0 || block >= BlockCount)
        return false;
    std::array<int, BankLayout::BankCount> sizes = layout.sizes();
    const int first = firstBank(block);
    for (int i = 0; i < bankCount(block); ++i)
        sizes[size_t(first + i)] = sizeAt(data, 2 * i);
    layout.setSizes(sizes); // keeps each size within 0..1200
    return true;
}

} // namespace rz::bankarea
