#include "banks/bank_layout.h"

#include "model/channel_table.h"
#include "model/memory_map.h"

#include <numeric>

namespace rz {

BankLayout::BankLayout(QObject* parent) : QObject(parent) {
    loadDefault();
}

void BankLayout::setSize(int bank, int size) {
    const int kept = std::clamp(size, 0, MaxSize);
    if (sizes_[size_t(bank)] == kept)
        return;
    sizes_[size_t(bank)] = kept;
    emit changed();
}

void BankLayout::setSizes(const std::array<int, BankCount>& sizes) {
    for (int b = 0; b < BankCount; ++b)
        sizes_[size_t(b)] = std::clamp(sizes[size_t(b)], 0, MaxSize);
    emit changed();
}

int BankLayout::total() const {
    return std::accumulate(sizes_.begin(), sizes_.end(), 0);
}

std::vector<int> BankLayout::nonEmptyBanks() const {
    std::vector<int> banks;
    for (int b = 0; b < BankCount; ++b)
        if (sizes_[size_t(b)] > 0)
            banks.push_back(b);
    return banks;
}

void BankLayout::loadDefault() {
    std::array<int, BankCount> sizes{};
    for (int b = 0; b < 12; ++b)
        sizes[size_t(b)] = 100;
    setSizes(sizes);
}

QString bankRowLabel(int bank, int position) {
    return QStringLiteral("Bank%1-%2")
        .arg(bank, 2, 10, QLatin1Char('0'))
        .arg(position, 3, 10, QLatin1Char('0'));
}

std::vector<QString> rowLabels(const BankLayout& layout) {
    std::vector<QString> labels(size_t(ChannelTable::RowCount + 1));
    size_t row = 1;
    for (int b = 0; b < BankLayout::BankCount; ++b)
        for (int p = 0; p < layout.size(b) && row <= size_t(BankLayout::ChannelsInBanks); ++p)
            labels[row++] = bankRowLabel(b, p);
    for (int r = memmap::FirstPrgRow; r < memmap::FirstDualRow; ++r) {
        const int n = r - memmap::FirstPrgRow;
        labels[size_t(r)] = QStringLiteral("PRG - %1%2")
                                .arg(n / 2)
                                .arg(n % 2 == 0 ? QLatin1Char('A') : QLatin1Char('B'));
    }
    for (int r = memmap::FirstDualRow; r <= memmap::LastDualRow; ++r) {
        const int n = r - memmap::FirstDualRow;
        labels[size_t(r)] =
            QStringLiteral("Dual%1%2")
                .arg(n / 2)
                .arg(n % 2 == 0 ? QStringLiteral("(Main) ") : QStringLiteral("(Sub) "));
    }
    for (int r = memmap::FirstPrioRow; r < memmap::FirstPassRow; ++r)
        labels[size_t(r)] = QStringLiteral("PRIO - %1").arg(r - memmap::FirstPrioRow);
    for (int r = memmap::FirstPassRow; r < memmap::FirstBugRow; ++r)
        labels[size_t(r)] = QStringLiteral("PASS - %1").arg(r - memmap::FirstPassRow);
    for (int r = memmap::FirstBugRow; r <= ChannelTable::RowCount; ++r)
        labels[size_t(r)] = QStringLiteral("BUG - %1").arg(r - memmap::FirstBugRow);
    return labels;
}

void RefreshBankRowLabels(const BankLayout& layout, ChannelTable& table) {
    if (!layout.isConsistent())
        return;
    table.setLabels(rowLabels(layout));
}

} // namespace rz
