// Replies are outside input: whatever the line delivers goes through the
// reply checks and the data extraction.
#include "link/frames.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply(reinterpret_cast<const char*>(data), int(size));
    for (int length : {0, 3, 4, 12, 16, 17, 23, 145, int(size)}) {
        const bool ok = rz::frames::isOkReply(reply, length);
        if (ok && (reply.size() != length || reply.at(length - 4) != 'O'))
            std::abort();
    }
    if (rz::frames::isReadReplyValid(reply)) {
        if (reply.size() != rz::frames::ReadReplyLength || !reply.endsWith("\r\n"))
            std::abort();
        if (rz::frames::readReplyData(reply).size() != rz::frames::BlockBytes)
            std::abort();
    }
    // The extraction itself never reads outside the reply, whatever it is.
    if (rz::frames::readReplyData(reply).size() != rz::frames::BlockBytes)
        std::abort();
    return 0;
}
