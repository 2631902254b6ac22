#pragma once
// The receiver's one-touch area: 27 bytes from 0x00180, three per key:
// bank number (0xFF for "No Setting"), channel position within the bank, 0.
#include "banks/one_touch.h"
#include "model/memory_map.h"

#include <QByteArray>

namespace rz::onetouch {

constexpr quint32 Address = memmap::OneTouch;
constexpr int KeyBytes = 3;
constexpr int AreaBytes = OneTouchMemories::KeyCount * KeyBytes; // 27
constexpr quint8 NoSettingByte = 0xFF;

// The 27 bytes of the nine keys. A key marked "No Setting" (or without a
// bank) keeps its channel position after the 0xFF.
QByteArray encode(const OneTouchMemories& keys);

// Takes the nine keys from the first 27 bytes of `data`, checked against the
// current bank layout: 0xFF marks a key "No Setting" on the first listed
// bank, channel 0; a bank that holds no channels (or no bank at all) gives
// the first listed bank, channel 0; a channel at or beyond the bank's size
// gives channel 0. Shorter data changes nothing and gives false.
bool decode(const QByteArray& data, const BankLayout& layout, OneTouchMemories& keys);

} // namespace rz::onetouch
