#include "transfer/data_set_sink.h"

#include "banks/bank_area.h"
#include "banks/bank_link_area.h"
#include "banks/bank_link_opening.h"
#include "banks/one_touch_area.h"
#include "model/data_set.h"
#include "model/memory_map.h"
#include "settings/settings_transfer.h"

#include <algorithm>

namespace rz {

namespace {

// Index of the block of an area that starts at `address`, or -1.
template <size_t N> int blockAt(const std::array<quint32, N>& addresses, quint32 address) {
    const auto found = std::find(addresses.begin(), addresses.end(), address);
    return found == addresses.end() ? -1 : int(found - addresses.begin());
}

void decodeBanks(DataSet& d, quint32 address, const QByteArray& bytes) {
    const int block = blockAt(bankarea::BlockAddress, address);
    if (block < 0 || !bankarea::decodeBlock(bytes, block, d.banks))
        return;
    // With the second block the whole layout is in: the grid rows follow it
    // (nothing changes while the total is not 1200).
    if (block == bankarea::BlockCount - 1)
        RefreshBankRowLabels(d.banks, d.channels);
}

void decodeOneTouch(DataSet& d, quint32 address, const QByteArray& bytes) {
    if (address == onetouch::Address)
        onetouch::decode(bytes, d.banks, d.oneTouch);
}

void decodeBankLinks(DataSet& d, quint32 address, const QByteArray& bytes) {
    const int block = blockAt(banklinkarea::BlockAddress, address);
    if (block >= 0)
        banklinkarea::decodeBlock(bytes, block, d.bankLinks);
}

// Character k at 0x01000 + 32k.
void decodeFont(DataSet& d, quint32 address, const QByteArray& bytes) {
    const int index = int((address - memmap::FontBase) / memmap::FontCharBytes);
    d.font.setCharacter(index, decodeFontChar(bytes));
}

} // namespace

DataSetSink::DataSetSink(DataSet& data) : data_(data) {
    constexpr quint32 fontLast =
        memmap::FontBase + FontStore::CharCount * memmap::FontCharBytes - 1;
    addBlockArea({memmap::FontBase, fontLast, decodeFont});
    addBlockArea({memmap::BanksFirst, memmap::BanksSecond, decodeBanks});
    addBlockArea({onetouch::Address, onetouch::Address, decodeOneTouch});
    addBlockArea({memmap::BankLinksFirst, memmap::BankLinksSecond, decodeBankLinks});
    addBlockArea({memmap::SettingsBlock0, memmap::SettingsBlock2 + 63,
                  [](DataSet& d, quint32 address, const QByteArray& bytes) {
                      settings::storeSettingsRead(d.settings, address, bytes);
                  }});
    addBlockArea({memmap::WriteProtect, memmap::WriteProtect,
                  [](DataSet& d, quint32, const QByteArray& bytes) {
                      settings::storeWriteProtection(d.settings, bytes);
                  }});
    addBlockArea({memmap::OpeningMessage, memmap::OpeningMessage,
                  [](DataSet& d, quint32, const QByteArray& bytes) {
                      settings::storeOpeningMessage(d.settings, bytes);
                  }});
}

DataSetSink::~DataSetSink() {
    if (holding_)
        data_.channels.endUpdate();
}

void DataSetSink::addBlockArea(BlockArea area) {
    areas_.push_back(std::move(area));
}

void DataSetSink::recordRead(int row, const QByteArray& record) {
    if (row < 1 || row > ChannelTable::RowCount)
        return;
    if (!holding_) {
        data_.channels.beginUpdate();
        holding_ = true;
    }
    data_.channels.applyRecord(row, record);
}

void DataSetSink::clearRowsNotInUse(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, ChannelTable::RowCount);
    if (first <= last)
        data_.channels.clearRowsNotInUse(first, last);
}

void DataSetSink::blockRead(quint32 address, const QByteArray& data) {
    for (const BlockArea& area : areas_)
        if (address >= area.first && address <= area.last)
            area.decode(data_, address, data);
}

void DataSetSink::bankLinkWindowOpens() {
    prepareBankLinkWindow(data_.banks, data_.oneTouch, data_.bankLinks);
}

void DataSetSink::stepEnded(const Outcome&) {
    release();
}

void DataSetSink::ended(const Outcome&) {
    release();
}

void DataSetSink::release() {
    if (holding_) {
        holding_ = false;
        data_.channels.endUpdate();
    }
}

} // namespace rz
