#pragma once
// "Read" and "Write" of the one-touch frame: the 27 bytes of the nine keys
// at 0x00180, three attempts each.
#include "banks/one_touch.h"
#include "link/operation.h"

namespace rz {

constexpr int OneTouchAttempts = 3;

// Reports the block it reads (blockRead); the store sink decodes the keys
// against the bank layout.
class OneTouchRead : public RegionOperation<52> {
public:
    using RegionOperation::RegionOperation;

protected:
    Outcome execute(Session& s) const override;
};

class OneTouchWrite : public RegionOperation<50> {
public:
    OneTouchWrite(Region region, const OneTouchMemories& keys);

protected:
    Outcome execute(Session& s) const override;

private:
    QByteArray bytes_; // the 27 bytes, encoded when the write starts
};

} // namespace rz
