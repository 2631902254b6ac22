#pragma once
// The frames the program sends and the tests it applies to the replies.
// A frame of L bytes is answered with L + 2 + P + 2 bytes: the frame as sent,
// CR LF, the payload (block data in digits, or "OK"), CR LF.
#include "model/region.h"
#include <QByteArray>

namespace rz::frames {

constexpr int BlockBytes = 64;       // a block read always returns 64 bytes
constexpr int ReadReplyLength = 143; // 11 + 2 + 128 + 2
constexpr int ReadDataOffset = 13;   // first data digit of a read reply
constexpr int MemoryInitReplyLength = 12;

// "ZT~F" + five address digits + "R" + CR (11 bytes).
QByteArray blockRead(quint32 address);
// "ZT~F" + five address digits + "W" + two digits per byte + CR.
QByteArray blockWrite(quint32 address, const QByteArray& data);
// Reply length of a block write of n bytes: 2n + 17.
constexpr int writeReplyLength(int bytes) {
    return 2 * bytes + 17;
}

// Identification command of a region ("ZT~RZ-V70", "ZT~RZ-V70E", "ZT~RZ-V70T"
// + CR) and the length of its reply (16, 17, 17).
QByteArray identification(Region region);
int identificationReplyLength(Region region);

QByteArray memoryInitialisation(); // "ZT~IM" CR
QByteArray reset();                // "ZT~RESET" CR

// A read reply passes when it has exactly 143 bytes and ends with CR LF.
bool isReadReplyValid(const QByteArray& reply);
// An OK reply passes when it has exactly `length` bytes with "O", "K" at
// length - 4 and length - 3.
bool isOkReply(const QByteArray& reply, int length);
// The 64 data bytes of a read reply (digits at 13 + 2k, 14 + 2k). Only for a
// reply that passed the read-reply check.
QByteArray readReplyData(const QByteArray& reply);

} // namespace rz::frames
