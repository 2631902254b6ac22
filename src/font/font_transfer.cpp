#include "font/font_transfer.h"

#include "font/font_frames.h"
#include "link/frames.h"

namespace rz {

namespace {

QString characterName(int index) {
    return QStringLiteral("font character %1").arg(index);
}

const QString IdentificationName = QStringLiteral("the identification");

Outcome finished(const QString& message, bool announce, int failures) {
    Outcome o = Outcome::success(!announce, failures);
    o.message = message;
    return o;
}

Outcome failed(const QString& message, int failures, const QString& where) {
    Outcome o = Outcome::error(failures, where);
    o.message = message;
    return o;
}

// The outcome of an exchange that neither passed nor merely failed.
std::optional<Outcome> stopOn(const Reply& reply, int failures, const QString& where) {
    if (reply.status == Reply::Cancelled)
        return Outcome::cancelled(failures);
    if (reply.status == Reply::PortFailed)
        return Outcome::portError(reply.problem, failures, where);
    return std::nullopt;
}

// The whole-set transfers' identification: three attempts.
std::optional<Outcome> identify(Session& s, Region region) {
    const QByteArray frame = frames::identification(region);
    const int length = frames::identificationReplyLength(region);
    for (int failures = 0; failures < Session::IdentifyAttempts;) {
        const Reply reply = s.exchange(frame, length, s.timeouts().windowReplyMs);
        if (auto stop = stopOn(reply, failures, IdentificationName))
            return stop;
        if (frames::isOkReply(reply.bytes, length))
            return std::nullopt;
        ++failures;
    }
    return Outcome::error(Session::IdentifyAttempts, IdentificationName);
}

// Sends each character's frame until its reply passes; `exchange(k)` is
// one try at character k. Every failed try counts against one budget of
// ten for all eight characters. Progress 12 (k + 1) after character k.
template <typename Exchange> std::optional<Outcome> eachCharacter(Session& s, Exchange exchange) {
    int failures = 0;
    for (int k = 0; k < FontStore::CharCount;) {
        bool passed = false;
        const Reply reply = exchange(k, passed);
        if (auto stop = stopOn(reply, failures, characterName(k)))
            return stop;
        if (passed) {
            s.sink().progressValue(12 * (k + 1));
            ++k;
        } else if (++failures >= FontFailureLimit) {
            return Outcome::error(failures, characterName(k));
        }
    }
    return std::nullopt;
}

// One step of the single-character exchange: the frame goes out in state
// `sent`, the reply of `length` bytes is awaited in state `waiting`. Every
// tick of the reply timer without the reply repeats the step; the tick
// after the twentieth ends the exchange with "Com Error". The ticks count
// over the whole exchange.
class TickedExchange {
public:
    explicit TickedExchange(Session& s) : s_(s) {}

    std::optional<Outcome> step(quint16 sent, quint16 waiting, const QByteArray& frame, int length,
                                QByteArray& reply, const QString& where) {
        for (;;) {
            s_.sink().busyCode(sent);
            const Reply r = s_.exchange(frame, length, s_.timeouts().windowReplyMs,
                                        [&] { s_.sink().busyCode(waiting); });
            if (auto stop = stopOn(r, ticks_, where))
                return stop;
            if (r.status == Reply::Complete) {
                reply = r.bytes;
                return std::nullopt;
            }
            if (++ticks_ > FontTickLimit)
                return failed(QStringLiteral("Com Error"), ticks_, where);
        }
    }

    // The identification of the region; a reply without "OK" ends the
    // exchange with "Font Data Error COM_TYPE <waiting>".
    std::optional<Outcome> identify(Region region, quint16 sent, quint16 waiting) {
        const int length = frames::identificationReplyLength(region);
        QByteArray reply;
        if (auto stop = step(sent, waiting, frames::identification(region), length, reply,
                             IdentificationName))
            return stop;
        if (!frames::isOkReply(reply, length))
            return dataError(waiting, IdentificationName);
        s_.sink().progressValue(50);
        return std::nullopt;
    }

    Outcome dataError(quint16 state, const QString& where) const {
        return failed(QStringLiteral("Font Data Error COM_TYPE %1").arg(state), ticks_, where);
    }
    int ticks() const { return ticks_; }

private:
    Session& s_;
    int ticks_ = 0;
};

int validIndex(int index) {
    return qBound(0, index, FontStore::CharCount - 1);
}

} // namespace

Outcome FontReadAll::execute(Session& s) const {
    OperationSink& sink = s.sink();
    sink.progressValue(0);
    if (auto stop = identify(s, region()))
        return *stop;
    const auto stop = eachCharacter(s, [&](int k, bool& passed) {
        const Reply reply = s.exchange(fontframes::readFrame(k), fontframes::ReadReplyLength,
                                       s.timeouts().windowReplyMs);
        passed = reply.isComplete() && fontframes::isReadReplyValid(reply.bytes);
        if (passed)
            sink.blockRead(fontframes::charAddress(k),
                           encodeFontChar(*fontframes::replyCharacter(reply.bytes)));
        return reply;
    });
    if (stop)
        return *stop; // the characters read so far stay
    sink.progressValue(100);
    return finished(QStringLiteral("All Font Data Read"), announce_, 0);
}

Outcome FontWriteAll::execute(Session& s) const {
    s.sink().progressValue(0);
    if (auto stop = identify(s, region()))
        return *stop;
    const auto stop = eachCharacter(s, [&](int k, bool& passed) {
        const Reply reply = s.exchange(fontframes::writeFrame(k, characters_[size_t(k)]),
                                       fontframes::WriteReplyLength, s.timeouts().windowReplyMs);
        passed = reply.isComplete() && fontframes::isWriteReplyValid(reply.bytes);
        return reply;
    });
    if (stop)
        return *stop;
    return finished(QStringLiteral("All Font Data Write"), announce_, 0);
}

Outcome FontCharRead::execute(Session& s) const {
    using namespace fontstate;
    const int index = validIndex(index_);
    s.sink().progressValue(0);
    TickedExchange exchange(s);
    if (auto stop = exchange.identify(region(), ReadIdentSent, ReadIdentWait))
        return *stop;
    QByteArray reply;
    if (auto stop = exchange.step(ReadFrameSent, ReadReplyWait, fontframes::readFrame(index),
                                  fontframes::ReadReplyLength, reply, characterName(index)))
        return *stop;
    // A garbled reply never turns into dots.
    if (!fontframes::isReadReplyValid(reply))
        return exchange.dataError(ReadReplyWait, characterName(index));
    s.sink().progressValue(100);
    s.sink().blockRead(fontframes::charAddress(index),
                       encodeFontChar(*fontframes::replyCharacter(reply)));
    return finished(QStringLiteral("Success Font Read"), announce_, exchange.ticks());
}

Outcome FontCharWrite::execute(Session& s) const {
    using namespace fontstate;
    const int index = validIndex(index_);
    s.sink().progressValue(0);
    TickedExchange exchange(s);
    if (auto stop = exchange.identify(region(), WriteIdentSent, WriteIdentWait))
        return *stop;
    QByteArray reply;
    if (auto stop =
            exchange.step(WriteFrameSent, WriteReplyWait, fontframes::writeFrame(index, character_),
                          fontframes::WriteReplyLength, reply, characterName(index)))
        return *stop;
    if (!fontframes::isWriteReplyValid(reply))
        return exchange.dataError(WriteReplyWait, characterName(index));
    return finished(QStringLiteral("Success Font Write"), announce_, exchange.ticks());
}

} // namespace rz
