#include "link/frames.h"

#include "model/hex_text.h"

namespace rz::frames {

namespace {
constexpr char CR = '\r';
constexpr char LF = '\n';
} // namespace

QByteArray blockRead(quint32 address) {
    QByteArray frame("ZT~F");
    frame += hex::addressDigits(address);
    frame += 'R';
    frame += CR;
    return frame;
}

QByteArray blockWrite(quint32 address, const QByteArray& data) {
    QByteArray frame("ZT~F");
    frame.reserve(11 + 2 * data.size());
    frame += hex::addressDigits(address);
    frame += 'W';
    frame += hex::bytesToText(data);
    frame += CR;
    return frame;
}

QByteArray identification(Region region) {
    switch (region) {
    case Region::J:
        return QByteArray("ZT~RZ-V70\r");
    case Region::E:
        return QByteArray("ZT~RZ-V70E\r");
    case Region::T:
        break;
    }
    return QByteArray("ZT~RZ-V70T\r");
}

int identificationReplyLength(Region region) {
    return region == Region::J ? 16 : 17;
}

QByteArray memoryInitialisation() {
    return QByteArray("ZT~IM\r");
}

QByteArray reset() {
    return QByteArray("ZT~RESET\r");
}

bool isReadReplyValid(const QByteArray& reply) {
    return reply.size() == ReadReplyLength && reply.at(ReadReplyLength - 2) == CR &&
           reply.at(ReadReplyLength - 1) == LF;
}

bool isOkReply(const QByteArray& reply, int length) {
    return length >= 4 && reply.size() == length && reply.at(length - 4) == 'O' &&
           reply.at(length - 3) == 'K';
}

QByteArray readReplyData(const QByteArray& reply) {
    return hex::textToBytes(reply, ReadDataOffset, BlockBytes);
}

} // namespace rz::frames
