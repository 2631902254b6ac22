#include "link/operation.h"

#include "link/frames.h"

namespace rz {

Outcome Outcome::success(bool quiet, int failures) {
    Outcome o;
    o.kind = Success;
    o.message = QStringLiteral("Success");
    o.title = QStringLiteral(" Finish");
    o.showMessage = !quiet;
    o.failureCounter = failures;
    return o;
}

Outcome Outcome::error(int failures, const QString& where) {
    Outcome o;
    o.kind = Error;
    o.message = QStringLiteral("Error");
    o.title = QStringLiteral(" Error");
    o.failureCounter = failures;
    o.where = where;
    return o;
}

Outcome Outcome::portError(const PortProblem& problem, int failures, const QString& where) {
    Outcome o;
    o.kind = PortError;
    o.message = QStringLiteral("Port Error");
    o.title = QStringLiteral(" Error");
    o.detail = problem.detail();
    o.failureCounter = failures;
    o.where = where;
    return o;
}

QString Outcome::explanation() const {
    switch (kind) {
    case Success:
        // A success can carry a remark (what a read could not show).
        return detail.isEmpty() ? message : message + QStringLiteral(": ") + detail;
    case Error:
        if (where.isEmpty())
            return message;
        return QStringLiteral("%1: gave up at %2 after %3 failed exchange%4")
            .arg(message, where)
            .arg(failureCounter)
            .arg(failureCounter == 1 ? "" : "s");
    case PortError:
        if (where.isEmpty())
            return message + QStringLiteral(": ") + detail;
        return QStringLiteral("%1 at %2: %3").arg(message, where, detail);
    case Cancelled:
        break;
    }
    return QStringLiteral("cancelled");
}

Outcome Outcome::cancelled(int failures) {
    Outcome o;
    o.kind = Cancelled;
    o.showMessage = false;
    o.failureCounter = failures;
    return o;
}

OperationSink::~OperationSink() = default;
void OperationSink::progressMaximum(int) {}
void OperationSink::progressValue(int) {}
void OperationSink::progressText(const QString&) {}
void OperationSink::currentRow(int) {}
void OperationSink::recordRead(int, const QByteArray&) {}
void OperationSink::clearRowsNotInUse(int, int) {}
void OperationSink::blockRead(quint32, const QByteArray&) {}
void OperationSink::busyCode(quint16) {}
void OperationSink::stepStarted(const QString&) {}
void OperationSink::bankLinkWindowOpens() {}
void OperationSink::stepEnded(const Outcome&) {}
void OperationSink::ended(const Outcome&) {}

Operation::~Operation() = default;

Timeouts Operation::replyTimers(Timeouts base) const {
    if (isWindowOperation())
        base.replyMs = base.windowReplyMs;
    return base;
}

Outcome Operation::run(Link& link, OperationSink& sink, bool quiet) const {
    Session session(link, sink, replyTimers(timeouts), quiet);
    Outcome outcome = execute(session);
    link.close();
    sink.ended(outcome);
    return outcome;
}

Outcome Operation::runStep(Session& session) const {
    if (!isWindowOperation())
        session.sink().busyCode(busyCode());
    const bool quiet = session.isQuiet();
    const Timeouts sequenceTimers = session.timeouts();
    session.setQuiet(true);
    session.setTimeouts(replyTimers(sequenceTimers));
    Outcome outcome = execute(session);
    session.setTimeouts(sequenceTimers);
    session.setQuiet(quiet);
    return outcome;
}

Session::Session(Link& link, OperationSink& sink, Timeouts timeouts, bool quiet)
    : link_(link), sink_(sink), timeouts_(timeouts), quiet_(quiet) {}

Session::Step Session::judge(const Reply& reply, bool passed) {
    switch (reply.status) {
    case Reply::Cancelled:
        return Step::Cancelled;
    case Reply::PortFailed:
        lastProblem_ = reply.problem;
        return Step::PortFailed;
    case Reply::TimedOut:
        return Step::Bad;
    case Reply::Complete:
        break;
    }
    return passed ? Step::Ok : Step::Bad;
}

Session::Step Session::tryReadBlock(quint32 address, QByteArray& data, QByteArray* whole) {
    const QByteArray frame = frames::blockRead(address);
    const Reply reply = link_.exchange(frame, frames::ReadReplyLength, Deadline(timeouts_.replyMs));
    // A reply that came too late for an earlier read can still be on the
    // line: only the reply that echoes this frame carries this block.
    const Step step =
        judge(reply, frames::isReadReplyValid(reply.bytes) && reply.bytes.startsWith(frame));
    if (step == Step::Ok) {
        data = frames::readReplyData(reply.bytes);
        if (whole)
            *whole = reply.bytes;
    }
    return step;
}

Session::Step Session::tryWriteBlock(quint32 address, const QByteArray& data) {
    return tryCommand(frames::blockWrite(address, data), frames::writeReplyLength(data.size()),
                      timeouts_.replyMs);
}

Session::Step Session::tryCommand(const QByteArray& frame, int replyLength, int timeoutMs) {
    const Reply reply = link_.exchange(frame, replyLength, Deadline(timeoutMs));
    return judge(reply, frames::isOkReply(reply.bytes, replyLength));
}

Reply Session::exchange(const QByteArray& frame, int replyLength, int timeoutMs,
                        const std::function<void()>& sent) {
    Reply reply = link_.exchange(frame, replyLength, Deadline(timeoutMs), sent);
    if (reply.status == Reply::PortFailed)
        lastProblem_ = reply.problem;
    return reply;
}

Outcome Session::stopAfter(Step step) const {
    switch (step) {
    case Step::Cancelled:
        return cancelled();
    case Step::PortFailed:
        return portError();
    case Step::Ok:
    case Step::Bad:
        break;
    }
    return error();
}

template <typename Attempt> std::optional<Outcome> Session::repeat(int limit, Attempt attempt) {
    for (;;) {
        const Step step = attempt();
        if (step == Step::Ok)
            return std::nullopt;
        if (step != Step::Bad)
            return stopAfter(step);
        if (++failures_ >= limit)
            return error();
    }
}

void Session::at(const QString& what, quint32 address) {
    where_ = what.isEmpty() ? QStringLiteral("address 0x") +
                                  QString::number(address, 16).toUpper().rightJustified(5, '0')
                            : what;
}

std::optional<Outcome> Session::identify(Region region) {
    failures_ = 0;
    where_ = QStringLiteral("the identification");
    const QByteArray frame = frames::identification(region);
    const int length = frames::identificationReplyLength(region);
    return repeat(IdentifyAttempts, [&] { return tryCommand(frame, length, timeouts_.replyMs); });
}

std::optional<Outcome> Session::initialiseMemory() {
    failures_ = 0;
    where_ = QStringLiteral("the memory initialisation");
    return repeat(MemoryInitAttempts, [&] {
        return tryCommand(frames::memoryInitialisation(), frames::MemoryInitReplyLength,
                          timeouts_.memoryInitMs);
    });
}

std::optional<Outcome> Session::readBlock(quint32 address, QByteArray& data, int limit,
                                          const QString& what) {
    at(what, address);
    return repeat(limit, [&] { return tryReadBlock(address, data); });
}

std::optional<Outcome> Session::readBlockReply(quint32 address, QByteArray& reply, int limit,
                                               const QString& what) {
    at(what, address);
    QByteArray data;
    return repeat(limit, [&] { return tryReadBlock(address, data, &reply); });
}

std::optional<Outcome> Session::writeBlock(quint32 address, const QByteArray& data, int limit,
                                           const QString& what) {
    at(what, address);
    return repeat(limit, [&] { return tryWriteBlock(address, data); });
}

void Session::progress(int value, int percent) {
    sink_.progressValue(value);
    sink_.progressText(percentText(percent));
}

QString percentText(int percent) {
    return QString::number(percent) + QLatin1Char('%');
}

} // namespace rz
