#pragma once
// Identification of the receiver on its own, and the reset.
#include "link/operation.h"

namespace rz {

// Identifies the receiver of a region (three attempts) and ends: "Success"
// or "Error". The command-line tool's `identify`.
class Identify : public Operation {
public:
    static constexpr quint16 BusyCode = 1;

    explicit Identify(Region region) : region_(region) {}
    quint16 busyCode() const override { return BusyCode; }

protected:
    Outcome execute(Session& session) const override;

private:
    Region region_;
};

// Sends "ZT~RESET" once; no reply is awaited. Success (shown without a
// message) or "Port Error" when the port cannot be opened or written.
Outcome resetReceiver(Link& link);

} // namespace rz
