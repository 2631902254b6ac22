#include "banks/one_touch_transfer.h"

#include "banks/one_touch_area.h"

namespace rz {

namespace {

const QString Where = QStringLiteral("the one-touch keys");

// Both transfers start with the bar at 0 of 100 and show 50% once the
// receiver is identified.
std::optional<Outcome> identified(Session& s, Region region) {
    s.sink().progressMaximum(100);
    s.sink().progressValue(0);
    if (auto stop = s.identify(region))
        return stop;
    s.progress(50, 50);
    s.resetFailures();
    return std::nullopt;
}

} // namespace

Outcome OneTouchRead::execute(Session& s) const {
    if (auto stop = identified(s, region()))
        return *stop;
    QByteArray data;
    if (auto stop = s.readBlock(onetouch::Address, data, OneTouchAttempts, Where))
        return *stop;
    s.sink().blockRead(onetouch::Address, data);
    s.progress(100, 100);
    return s.success();
}

OneTouchWrite::OneTouchWrite(Region region, const OneTouchMemories& keys)
    : RegionOperation(region), bytes_(onetouch::encode(keys)) {}

Outcome OneTouchWrite::execute(Session& s) const {
    if (auto stop = identified(s, region()))
        return *stop;
    if (auto stop = s.writeBlock(onetouch::Address, bytes_, OneTouchAttempts, Where))
        return *stop;
    s.progress(100, 100);
    return s.success();
}

} // namespace rz
