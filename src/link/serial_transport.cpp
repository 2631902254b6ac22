#include "link/serial_transport.h"
#include "link/cancel_token.h"

#include <algorithm>

namespace rz {

SerialTransport::Wait SerialTransport::waitForMore(const QDeadlineTimer& deadline,
                                                   CancelToken& cancel) {
    for (;;) {
        if (hasFailed() || !isOpen())
            return Wait::Failed;
        if (cancel.isCancelled())
            return Wait::Cancelled;
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return Wait::TimedOut;
        if (waitSlice(left < 0 ? SliceMs : int(std::min<qint64>(left, SliceMs))))
            return Wait::Arrived;
    }
}

} // namespace rz
