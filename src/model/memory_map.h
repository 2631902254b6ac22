#pragma once
// Where things lie in the receiver's memory, and how grid rows map to the
// receiver's channel numbers.
#include <QtGlobal>

namespace rz::memmap {

constexpr quint32 SettingsBlock0 = 0x00000;
constexpr quint32 SettingsBlock1 = 0x00040;
constexpr quint32 SettingsBlock2 = 0x00080;
constexpr quint32 BankLinksFirst = 0x00100;
constexpr quint32 BankLinksSecond = 0x00130;
constexpr quint32 OneTouch = 0x00180;
constexpr quint32 OpeningMessage = 0x001A0;
constexpr quint32 BanksFirst = 0x00200;
constexpr quint32 BanksSecond = 0x00240;
constexpr quint32 FontBase = 0x01000;
constexpr quint32 FontCharBytes = 32;
constexpr quint32 ChannelBase = 0x01200;
constexpr quint32 ChannelBytes = 64;
constexpr quint32 WriteProtect = 0x1FE01;
constexpr quint32 AddressLimit = 0x100000; // addresses are 20 bits

constexpr int ChannelCount = 1721;
constexpr int FirstPrgRow = 1201;
constexpr int FirstDualRow = 1301;
constexpr int LastDualRow = 1500;
constexpr int FirstPrioRow = 1501;
constexpr int FirstPassRow = 1601;
constexpr int FirstBugRow = 1701;
constexpr int DualPairs = 100;

// Record address of channel n (1..1721).
constexpr quint32 channelAddress(int channel) {
    return ChannelBase + ChannelBytes * quint32(channel - 1);
}

// Channel number shown in grid row r (1..1721): r, except in the dual-watch
// rows, which interleave the Main channels 1301..1400 with the Sub channels
// 1401..1500.
int rowToChannel(int row);
int channelToRow(int channel);

constexpr bool isDualRow(int row) {
    return row >= FirstDualRow && row <= LastDualRow;
}
constexpr bool isBugRow(int row) {
    return row >= FirstBugRow && row <= ChannelCount;
}

} // namespace rz::memmap
