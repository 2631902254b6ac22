#include "link/cable_finder.h"
#include "link/port_names.h"

namespace rz {

CableFinder::DeviceListing CableFinder::machineListing() {
    return [] {
        QStringList paths;
        for (const SerialDevice& device : serialDevices())
            paths << device.path;
        return paths;
    };
}

CableFinder::CableFinder(DeviceListing listing, QObject* parent)
    : QObject(parent), listing_(std::move(listing)) {
    deadline_.setSingleShot(true);
    setIntervals(250, 60000);
    connect(&poll_, &QTimer::timeout, this, &CableFinder::onPoll);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        cancel();
        emit timedOut();
    });
}

void CableFinder::setIntervals(int pollMs, int timeoutMs) {
    poll_.setInterval(pollMs);
    deadline_.setInterval(timeoutMs);
}

void CableFinder::start() {
    baseline_ = listing_();
    poll_.start();
    deadline_.start();
}

void CableFinder::cancel() {
    poll_.stop();
    deadline_.stop();
}

QString CableFinder::check() {
    const QStringList now = listing_();
    // A device that went away is no longer "already there".
    for (qsizetype i = baseline_.size() - 1; i >= 0; --i)
        if (!now.contains(baseline_.at(i)))
            baseline_.removeAt(i);
    for (const QString& device : now)
        if (!baseline_.contains(device))
            return device;
    return QString();
}

void CableFinder::onPoll() {
    const QString device = check();
    if (device.isEmpty())
        return;
    cancel();
    emit found(device);
}

} // namespace rz
