#include "model/data_set_snapshot.h"

#include <algorithm>

namespace rz {

namespace {
constexpr int Groups = BankLinkTable::GroupCount;

void restoreChannels(const std::vector<ChannelRow>& rows, ChannelTable& table) {
    if (rows.size() != size_t(ChannelTable::RowCount))
        return;
    bool labelsDiffer = false;
    table.beginUpdate(); // one report for the whole table
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        const ChannelRow& row = rows[size_t(r - 1)];
        if (!sameRow(row, table.row(r)))
            table.setRow(r, row);
        labelsDiffer = labelsDiffer || row.text(ColLabel) != table.text(r, ColLabel);
    }
    table.endUpdate();
    if (labelsDiffer) {
        std::vector<QString> labels(size_t(ChannelTable::RowCount + 1));
        for (int r = 1; r <= ChannelTable::RowCount; ++r)
            labels[size_t(r)] = rows[size_t(r - 1)].text(ColLabel);
        table.setLabels(labels);
    }
}
} // namespace

bool sameRow(const ChannelRow& a, const ChannelRow& b) {
    return a.cells == b.cells && a.codes == b.codes;
}

DataSetSnapshot DataSetSnapshot::take(const DataSet& data) {
    DataSetSnapshot s;
    s.rows.reserve(size_t(ChannelTable::RowCount));
    for (int r = 1; r <= ChannelTable::RowCount; ++r)
        s.rows.push_back(data.channels.row(r));
    s.bankSizes = data.banks.sizes();
    s.oneTouch = data.oneTouch.keys();
    for (int b = 0; b < BankLinkTable::BankCount; ++b) {
        s.emptyBanks[size_t(b)] = data.bankLinks.emptyFlag(b);
        for (int g = 0; g < Groups; ++g)
            s.linkEntries[size_t(b * Groups + g)] = quint8(data.bankLinks.entry(g, b));
    }
    s.settings = data.settings.state();
    s.font = data.font.characters();
    return s;
}

void DataSetSnapshot::restore(DataSet& data) const {
    // Channels last: a listener of the bank layout may relabel the rows.
    if (bankSizes != data.banks.sizes())
        data.banks.setSizes(bankSizes);
    data.oneTouch.setKeys(oneTouch);
    for (int b = 0; b < BankLinkTable::BankCount; ++b) {
        data.bankLinks.setEmptyFlag(b, emptyBanks[size_t(b)]);
        for (int g = 0; g < Groups; ++g)
            data.bankLinks.setEntry(g, b, linkEntries[size_t(b * Groups + g)]);
    }
    data.settings.restore(settings);
    data.font.setCharacters(font);
    restoreChannels(rows, data.channels);
}

int DataSetSnapshot::differences(const DataSetSnapshot& other) const {
    int areas = 0;
    if (rows.size() != other.rows.size() ||
        !std::equal(rows.begin(), rows.end(), other.rows.begin(), sameRow))
        areas |= Channels;
    if (bankSizes != other.bankSizes)
        areas |= Banks;
    if (oneTouch != other.oneTouch)
        areas |= OneTouch;
    if (linkEntries != other.linkEntries || emptyBanks != other.emptyBanks)
        areas |= BankLinks;
    if (!(settings == other.settings))
        areas |= Settings;
    if (font != other.font)
        areas |= Font;
    return areas;
}

} // namespace rz
