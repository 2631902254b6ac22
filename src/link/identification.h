#pragma once
// Identification of the receiver on its own, and the reset.
#include "link/operation.h"

namespace rz {

// Identifies the receiver of a region (three attempts) and ends: "Success"
// or "Error". The command-line tool's `identify`.
class Identify : public RegionOperation<1> {
public:
    using RegionOperation::RegionOperation;

protected:
    Outcome execute(Session& session) const override;
};

// Sends "ZT~RESET" once; no reply is awaited. Success (shown without a
// message) or "Port Error" when the port cannot be opened or written.
Outcome resetReceiver(Link& link);

} // namespace rz
