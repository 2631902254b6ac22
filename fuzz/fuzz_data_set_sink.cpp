// Feeds the store sink what reads could report, with arbitrary bytes: channel
// records for any row and blocks for any address of every area (settings,
// write protection, opening message, bank links, one-touch keys, banks, the
// font). Whatever arrives, bank sizes stay in range and the data set still
// saves as a clone text.
//
// Input: a list of reports, each [kind][where: 3 bytes][length][bytes]; kind
// even: a block at one of the areas' addresses (picked by `where`, plus an
// offset) or any address; kind odd: a channel record for row `where`.
#include "files/clone_file.h"
#include "files/data_set_sections.h"
#include "model/memory_map.h"
#include "transfer/data_set_sink.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::array<quint32, 11> AreaAddresses = {
    rz::memmap::SettingsBlock0, rz::memmap::SettingsBlock1,  rz::memmap::SettingsBlock2,
    rz::memmap::BankLinksFirst, rz::memmap::BankLinksSecond, 0x00180,
    rz::memmap::OpeningMessage, rz::memmap::BanksFirst,      rz::memmap::BanksSecond,
    rz::memmap::FontBase,       rz::memmap::WriteProtect,
};

struct Data {
    rz::DataSet set;
    rz::clone::DataSetSections sections{set, [] { return 1; }};
    Data() { rz::clone::loadStartUpState(set); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One data set for the whole run: building one (1721 rows and their
    // labels) costs more than the decoding under test.
    static Data* const d = new Data;
    {
        rz::DataSetSink sink(d->set);
        size_t at = 0;
        while (at + 5 <= size) {
            const uint8_t kind = data[at];
            const quint32 where = quint32(data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]);
            const int length = data[at + 4];
            at += 5;
            const size_t take = std::min(size - at, size_t(length));
            const QByteArray bytes(reinterpret_cast<const char*>(data + at), int(take));
            at += take;
            if (kind & 1) {
                sink.recordRead(int(where % 1800), bytes);
            } else if (kind & 2) {
                sink.blockRead(where, bytes);
            } else {
                const quint32 base = AreaAddresses[(where >> 8) % AreaAddresses.size()];
                sink.blockRead(base + (where & 0xFF), bytes);
            }
        }
        sink.clearRowsNotInUse(int(size % 1800) - 50, int(size % 1900));
        sink.ended(rz::Outcome::success(true));
    }
    for (int bank : d->set.banks.sizes())
        if (bank < 0 || bank > rz::BankLayout::MaxSize)
            __builtin_trap();
    // What the reads left must save (reading a whole data set back is too
    // slow to fuzz here; the clone-file target covers the reading).
    if (rz::clone::cloneLines(d->sections.sections(), {}).isEmpty())
        __builtin_trap();
    return 0;
}
