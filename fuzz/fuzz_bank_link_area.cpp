// Feeds arbitrary bytes to the bank-link decoder, as the receiver's reads of
// 0x00100 and 0x00130 could carry them. What was decoded must encode to
// bytes that decode to the same table.
#include "banks/bank_link_area.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    rz::BankLinkTable table;
    // The first byte's bits flag a few banks empty.
    for (int b = 0; b < 8 && !bytes.isEmpty(); ++b)
        table.setEmptyFlag(b * 6, (quint8(bytes[0]) >> b & 1) != 0);
    const QByteArray reads = bytes.mid(1);
    rz::banklinkarea::decodeBlock(reads, 0, table);
    rz::banklinkarea::decodeBlock(reads.mid(64), 1, table);

    rz::BankLinkTable again;
    for (int b = 0; b < rz::BankLinkTable::BankCount; ++b)
        again.setEmptyFlag(b, table.emptyFlag(b));
    for (int block = 0; block < rz::banklinkarea::BlockCount; ++block)
        rz::banklinkarea::decodeBlock(rz::banklinkarea::encodeBlock(table, block), block, again);
    for (int g = 0; g < rz::BankLinkTable::GroupCount; ++g)
        for (int b = 0; b < rz::BankLinkTable::BankCount; ++b)
            if (again.isMember(g, b) != table.isMember(g, b))
                __builtin_trap();
    return 0;
}
