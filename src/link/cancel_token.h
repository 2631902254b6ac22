#pragma once
// The closing flag as the running operation sees it. The owner's thread
// calls cancel() when the window closes; the operation's thread notices it
// at once, whether it is blocked in a wait for a reply or pausing while a
// reply is still on the wire.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class QEventLoop;

namespace rz {

class CancelToken {
public:
    CancelToken() = default;
    CancelToken(const CancelToken&) = delete;
    CancelToken& operator=(const CancelToken&) = delete;

    // Thread-safe; wakes every wait of this token.
    void cancel();
    bool isCancelled() const { return cancelled_.load(std::memory_order_acquire); }
    // Back to the uncancelled state (a new window, a new run of the CLI).
    void reset() { cancelled_.store(false, std::memory_order_release); }

    // Blocks for up to the given time; false when cancelled (before or during).
    bool sleepFor(std::chrono::microseconds duration);

    // Blocks until ready() holds or the token is cancelled; false when
    // cancelled. ready() is checked under the token's lock, so whoever makes
    // it true calls wakeAll() afterwards and no wake-up is lost.
    bool waitUntil(const std::function<bool()>& ready);
    void wakeAll();

    // While an event loop is registered, cancel() quits it (queued into the
    // loop's own thread). One loop at a time.
    void attach(QEventLoop* loop);
    void detach();

private:
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    QEventLoop* loop_ = nullptr;
};

} // namespace rz
