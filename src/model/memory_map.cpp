#include "model/memory_map.h"

#include <array>

namespace rz::memmap {

namespace {

// Built once: entry i (row 1301 + i) holds the Main channel 1301 + i/2 for
// even i and the Sub channel 1401 + (i - 1)/2 for odd i.
const std::array<quint16, 2 * DualPairs>& dualTable() {
    static const std::array<quint16, 2 * DualPairs> table = [] {
        std::array<quint16, 2 * DualPairs> t{};
        for (int i = 0; i < 2 * DualPairs; ++i)
            t[size_t(i)] =
                quint16(i % 2 == 0 ? FirstDualRow + i / 2 : FirstDualRow + DualPairs + (i - 1) / 2);
        return t;
    }();
    return table;
}

} // namespace

int rowToChannel(int row) {
    return isDualRow(row) ? dualTable()[size_t(row - FirstDualRow)] : row;
}

int channelToRow(int channel) {
    if (!isDualRow(channel))
        return channel;
    const int k = channel - FirstDualRow;
    return k < DualPairs ? FirstDualRow + 2 * k : FirstDualRow + 2 * (k - DualPairs) + 1;
}

} // namespace rz::memmap
