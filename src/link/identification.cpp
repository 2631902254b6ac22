#include "link/identification.h"

#include "link/frames.h"

namespace rz {

Outcome Identify::execute(Session& session) const {
    if (auto stop = session.identify(region()))
        return *stop;
    return session.success();
}

Outcome resetReceiver(Link& link) {
    const Reply reply = link.send(frames::reset());
    if (reply.status == Reply::PortFailed)
        return Outcome::portError(reply.problem);
    return Outcome::success(true);
}

} // namespace rz
