// Feeds arbitrary bytes to the settings decoder as a receiver's settings
// blocks, to the write-protection and opening-message reply decoders, and to
// the store sink's decoders of what the settings reads report.
// Whatever the receiver sends, every list must still show one of its entries.
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"
#include "settings/settings_transfer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    rz::SettingsImage settings;
    for (int b = 0; b < rz::SettingsImage::BlockCount; ++b)
        settings.storeBlock(b, bytes.mid(b * 64, 64).leftJustified(64, '\0'));
    rz::DecodeSettings(settings);
    rz::settings::Positions positions = rz::settings::resetPositions();
    rz::settings::decodePositions(bytes, positions);
    for (rz::settings::ListId id : rz::settings::allLists()) {
        const int at = settings.position(id);
        const int direct = positions[size_t(rz::settings::flatIndex(id))];
        if (at < 0 || at >= rz::settings::entryCount(id) || direct < 0 ||
            direct >= rz::settings::entryCount(id))
            __builtin_trap();
    }
    for (int b = 0; b < rz::SettingsImage::BlockCount; ++b)
        if (rz::EncodeSettingsBlock(settings, b).size() != 139)
            __builtin_trap();
    rz::ApplyWriteProtection(settings, bytes);
    // What the transfers report, as the store sink applies it.
    rz::SettingsImage stored;
    const quint32 address = size > 0 ? quint32(data[0]) : 0;
    rz::settings::storeSettingsRead(stored, address, bytes.mid(1));
    rz::settings::storeSettingsRead(stored, 0, bytes.left(rz::SettingsImage::Size));
    rz::settings::storeWriteProtection(stored, bytes.left(1));
    rz::settings::storeOpeningMessage(stored, bytes.left(rz::opening::AreaBytes));
    for (rz::settings::ListId id : rz::settings::allLists())
        if (stored.position(id) < 0 || stored.position(id) >= rz::settings::entryCount(id))
            __builtin_trap();
    if (stored.title().toUcs4().size() > rz::opening::MaxCharacters)
        __builtin_trap();
    const rz::opening::Read read = rz::opening::decodeReply(bytes);
    if (rz::opening::writeFrame(read.text, read.style).size() != rz::opening::WriteFrameLength)
        __builtin_trap();
    return 0;
}
