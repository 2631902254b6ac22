#pragma once
// A radio operation: plain sequential code over a Link that reports through
// an OperationSink. The same operation runs in the desktop program (on the
// operation runner's thread) and in the command-line tool (directly).
//
// Writing a new area's operation: derive from Operation, give it its busy
// code and its inputs by value, and write execute() with a Session, which
// knows identification, the memory initialisation, the block exchanges with
// their checks and the failure counter:
//
//     Outcome BankRead::execute(Session& s) {
//         if (auto stop = s.identify(region_)) return *stop;
//         s.progress(20, 20);
//         QByteArray data;
//         if (auto stop = s.readBlock(memmap::BanksFirst, data, 3)) return *stop;
//         s.sink().blockRead(memmap::BanksFirst, data);
//         ...
//         return s.success();
//     }
#include "link/link.h"
#include "model/region.h"
#include <QMetaType>
#include <QString>
#include <functional>
#include <optional>

namespace rz {

// How an operation ended, with the message the user sees.
struct Outcome {
    enum Kind { Success, Error, PortError, Cancelled };

    Kind kind = Success;
    QString message;         // "Success", "Error", "Port Error"; empty when cancelled
    QString title;           // " Finish" or " Error"
    QString detail;          // a port error: the device and the cause; a success: a remark
    bool showMessage = true; // false when cancelled, and for a success under result flag 1
    int failureCounter = 0;  // the operation's failure counter as it ended
    QString where;           // the exchange it ended at: "channel 700", "the identification"

    static Outcome success(bool quiet, int failures = 0);
    static Outcome error(int failures, const QString& where = QString());
    static Outcome portError(const PortProblem& problem, int failures = 0,
                             const QString& where = QString());
    static Outcome cancelled(int failures = 0);

    // One line for logs and the command line, e.g. "Error: gave up at
    // channel 700 after 30 failed exchanges".
    QString explanation() const;
};

// What an operation reports while it runs. Every method has an empty default.
class OperationSink {
public:
    virtual ~OperationSink();
    virtual void progressMaximum(int maximum);
    virtual void progressValue(int value);
    virtual void progressText(const QString& text);
    // The grid's current row moves to `row`.
    virtual void currentRow(int row);
    // A channel record (64 bytes) has been read for grid row `row`.
    virtual void recordRead(int row, const QByteArray& record);
    // Rows first..last whose record is not in use lose their texts.
    virtual void clearRowsNotInUse(int first, int last);
    // A block of another area has been read.
    virtual void blockRead(quint32 address, const QByteArray& data);
    // The operation moves to another busy code of its own (a bank read
    // holds 6, then 7, while it reads its two blocks).
    virtual void busyCode(quint16 code);
    // A sequence (Read all, Write all) starts its next step, named for
    // people ("channels", "font").
    virtual void stepStarted(const QString& step);
    // Read all opens the bank-link window before it reads the links: the
    // window prepares itself from the bank layout just read (the empty
    // banks, whose links a read marks).
    virtual void bankLinkWindowOpens();
    // A step of a sequence has ended with this outcome; its message, if it
    // has one to show, is shown (and dismissed) before the next step starts:
    // the sequence waits for this call to return.
    virtual void stepEnded(const Outcome& outcome);
    // The operation has ended; nothing is reported after this.
    virtual void ended(const Outcome& outcome);
};

// Timers of an operation; tests shorten them, the program keeps these.
struct Timeouts {
    static constexpr int WindowReplyMs = 200; // the font window and the bank-link dialog

    int replyMs = Link::ReplyTimeoutMs;
    int memoryInitMs = Link::MemoryInitTimeoutMs;
    int windowReplyMs = WindowReplyMs;
};

class Session;

class Operation {
public:
    virtual ~Operation();
    // The busy code the operation holds while it runs (never 0 for an
    // operation of the main window).
    virtual quint16 busyCode() const = 0;
    // The font window and the bank-link dialog have their own port and reply
    // timer: their operations wait windowReplyMs for each reply and leave the
    // main window's link state (busy code, result flag, failure counter)
    // alone; the window keeps a busy indicator of its own.
    virtual bool isWindowOperation() const { return false; }

    // Runs to the end and reports the outcome to the sink (ended).
    // quiet: the result flag is 1 (no "Success" message).
    Outcome run(Link& link, OperationSink& sink, bool quiet = false) const;
    // Runs as one step of a sequence, in the sequence's session: the step
    // holds its own busy code while it runs, and ends quiet.
    Outcome runStep(Session& session) const;

    Timeouts timeouts;

protected:
    // The timers the operation's exchanges use.
    Timeouts replyTimers(Timeouts base) const;

    virtual Outcome execute(Session& session) const = 0;
};

// An operation of the main window or a window of its own that identifies
// a receiver of one region and holds one busy code while it runs: what is
// common to every area's transfer, so that each shows only its own inputs.
template <quint16 Code> class RegionOperation : public Operation {
public:
    static constexpr quint16 BusyCode = Code;

    explicit RegionOperation(Region region) : region_(region) {}
    quint16 busyCode() const override { return Code; }

protected:
    Region region() const { return region_; }

private:
    Region region_;
};

// An operation of the font window or the bank-link dialog: no busy code of
// the main window's, and the window's own reply timer.
class WindowOperation : public RegionOperation<0> {
public:
    using RegionOperation::RegionOperation;
    bool isWindowOperation() const override { return true; }
};

// The vocabulary of operations. Calls that can end the operation return an
// empty optional to go on, or the Outcome to return at once.
class Session {
public:
    Session(Link& link, OperationSink& sink, Timeouts timeouts, bool quiet);

    static constexpr int IdentifyAttempts = 3;
    static constexpr int MemoryInitAttempts = 3;

    OperationSink& sink() { return sink_; }
    // The failure counter: failed exchanges of the running phase.
    int failures() const { return failures_; }
    void resetFailures() { failures_ = 0; }

    // Identification of the region, up to three attempts (counter from 0).
    std::optional<Outcome> identify(Region region);
    // "ZT~IM" with the long reply timer, up to three attempts (counter from 0).
    std::optional<Outcome> initialiseMemory();

    // The exchange repeated until it passes; every bad reply counts (the
    // counter runs on from the last resetFailures(), over many blocks), and
    // the operation ends with "Error" when the counter reaches `limit`.
    // `what` names the block in an outcome ("channel 700"); by default its
    // address.
    std::optional<Outcome> readBlock(quint32 address, QByteArray& data, int limit,
                                     const QString& what = QString());
    std::optional<Outcome> writeBlock(quint32 address, const QByteArray& data, int limit,
                                      const QString& what = QString());
    // As readBlock, giving the whole reply that passed the read-reply check:
    // some areas are judged by the characters as they came over the line.
    std::optional<Outcome> readBlockReply(quint32 address, QByteArray& reply, int limit,
                                          const QString& what = QString());

    // Outcomes with the current failure counter and the exchange they end at.
    Outcome success() const { return Outcome::success(quiet_, failures_); }
    Outcome error() const { return Outcome::error(failures_, where_); }
    Outcome cancelled() const { return Outcome::cancelled(failures_); }
    Outcome portError() const { return Outcome::portError(lastProblem_, failures_, where_); }

    // One exchange without retry or check, for operations with retry rules
    // of their own (the font window's): the reply as it came. A port
    // failure is kept for portError(). `sent` runs once the frame is out.
    Reply exchange(const QByteArray& frame, int replyLength, int timeoutMs,
                   const std::function<void()>& sent = {});
    const Timeouts& timeouts() const { return timeouts_; }
    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }

    bool isQuiet() const { return quiet_; }
    // The window is closing: what comes next ends at once.
    bool isCancelled() const { return link_.isCancelled(); }
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // Progress n of the current maximum, with the text "n%".
    void progress(int value, int percent);

private:
    // One exchange and its check, without retry. Ok: data holds the 64 bytes.
    enum class Step { Ok, Bad, PortFailed, Cancelled };
    Step tryReadBlock(quint32 address, QByteArray& data, QByteArray* reply = nullptr);
    Step tryWriteBlock(quint32 address, const QByteArray& data);
    Step tryCommand(const QByteArray& frame, int replyLength, int timeoutMs);

    // The outcome that ends the operation after a step that was not Ok and
    // is not retried (Bad becomes "Error").
    Outcome stopAfter(Step step) const;
    template <typename Attempt> std::optional<Outcome> repeat(int limit, Attempt attempt);
    Step judge(const Reply& reply, bool passed);
    void at(const QString& what, quint32 address);

    Link& link_;
    OperationSink& sink_;
    Timeouts timeouts_;
    bool quiet_;
    int failures_ = 0;
    PortProblem lastProblem_;
    QString where_;
};

QString percentText(int percent);

} // namespace rz

Q_DECLARE_METATYPE(rz::Outcome)
