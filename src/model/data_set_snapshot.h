#pragma once
// A copy of everything the data set holds, exactly: every channel row with
// its label and codes, the bank sizes, the one-touch keys, the bank-link
// entries with their empty-bank flags, the whole settings image and the font.
// Undo and redo put snapshots back; the recovery file stores one.
#include "model/data_set.h"

#include <array>
#include <vector>

namespace rz {

struct DataSetSnapshot {
    // The areas, for naming what a step changed.
    enum Area {
        Channels = 1,
        Banks = 2,
        OneTouch = 4,
        BankLinks = 8,
        Settings = 16,
        Font = 32,
    };
    static constexpr int LinkEntries = BankLinkTable::GroupCount * BankLinkTable::BankCount;

    std::vector<ChannelRow> rows; // grid rows 1..1721 at 0..1720, labels included
    std::array<int, BankLayout::BankCount> bankSizes{};
    std::array<OneTouchKey, OneTouchMemories::KeyCount> oneTouch{};
    std::array<quint8, LinkEntries> linkEntries{}; // group g, bank b at b * 11 + g
    std::array<bool, BankLayout::BankCount> emptyBanks{};
    SettingsImage::State settings;
    FontStore::Characters font{};

    static DataSetSnapshot take(const DataSet& data);
    // Puts every area back; each model reports its change once, and only
    // when it changes.
    void restore(DataSet& data) const;
    // The areas (Area flags) in which two snapshots differ.
    int differences(const DataSetSnapshot& other) const;

    bool operator==(const DataSetSnapshot& other) const { return differences(other) == 0; }
    bool operator!=(const DataSetSnapshot& other) const { return !(*this == other); }
};

bool sameRow(const ChannelRow& a, const ChannelRow& b);

} // namespace rz
