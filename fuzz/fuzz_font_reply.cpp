// Font-window replies are outside input: whatever the line delivers goes
// through the reply checks and the character decoder.
#include "font/font_frames.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply(reinterpret_cast<const char*>(data), int(size));
    const std::optional<rz::FontChar> character = rz::fontframes::replyCharacter(reply);
    if (rz::fontframes::isReadReplyValid(reply)) {
        if (reply.size() != rz::fontframes::ReadReplyLength || !character)
            __builtin_trap();
    }
    // A decoded character carries exactly the digits it came from.
    if (character) {
        const QByteArray digits = rz::fontframes::writeFrame(0, *character).mid(10, 64);
        if (digits != reply.mid(13, 64))
            __builtin_trap();
    }
    if (rz::fontframes::isWriteReplyValid(reply) &&
        reply.size() != rz::fontframes::WriteReplyLength)
        __builtin_trap();
    return 0;
}
