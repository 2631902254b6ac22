#pragma once
// "Read" and "Write" of the one-touch frame: the 27 bytes of the nine keys
// at 0x00180, three attempts each.
#include "banks/one_touch.h"
#include "link/operation.h"

namespace rz {

constexpr int OneTouchAttempts = 3;

// Reports the block it reads (blockRead); the store sink decodes the keys
// against the bank layout.
class OneTouchRead : public Operation {
public:
    static constexpr quint16 BusyCode = 52;
    explicit OneTouchRead(Region region) : region_(region) {}
    quint16 busyCode() const override { return BusyCode; }

protected:
    Outcome execute(Session& s) const override;

private:
    Region region_;
};

class OneTouchWrite : public Operation {
public:
    static constexpr quint16 BusyCode = 50;
    OneTouchWrite(Region region, const OneTouchMemories& keys);
    quint16 busyCode() const override { return BusyCode; }

protected:
    Outcome execute(Session& s) const override;

private:
    Region region_;
    QByteArray bytes_; // the 27 bytes, encoded when the write starts
};

} // namespace rz
