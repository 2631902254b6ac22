// Feeds arbitrary bytes to the settings decoder as a receiver's settings
// blocks, and to the write-protection and opening-message reply decoders.
// Whatever the receiver sends, every list must still show one of its entries.
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"

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
    const rz::opening::Read read = rz::opening::decodeReply(bytes);
    if (rz::opening::writeFrame(read.text, read.style).size() != rz::opening::WriteFrameLength)
        __builtin_trap();
    return 0;
}
