#include "link/cancel_token.h"

#include <QEventLoop>
#include <QMetaObject>

namespace rz {

void CancelToken::cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_.store(true, std::memory_order_release);
    wake_.notify_all();
    if (loop_)
        QMetaObject::invokeMethod(loop_, "quit", Qt::QueuedConnection);
}

bool CancelToken::sleepFor(std::chrono::microseconds duration) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !wake_.wait_for(lock, duration, [this] { return isCancelled(); });
}

bool CancelToken::waitUntil(const std::function<bool()>& ready) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return isCancelled() || ready(); });
    return !isCancelled();
}

void CancelToken::wakeAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    wake_.notify_all();
}

void CancelToken::attach(QEventLoop* loop) {
    std::lock_guard<std::mutex> lock(mutex_);
    loop_ = loop;
}

void CancelToken::detach() {
    std::lock_guard<std::mutex> lock(mutex_);
    loop_ = nullptr;
}

} // namespace rz
