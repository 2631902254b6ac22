#pragma once
// "Find my cable...": the serial device that appears when the user plugs the
// programming cable in. The devices present when the search starts are the
// baseline; one that vanishes meanwhile (the user unplugging late) leaves
// it, so that its return counts as the cable.
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace rz {

class CableFinder : public QObject {
    Q_OBJECT
public:
    // The serial devices present now, in the order the Port menu numbers
    // them (USB adapters first).
    using DeviceListing = std::function<QStringList()>;

    // The machine's serial devices.
    static DeviceListing machineListing();

    explicit CableFinder(DeviceListing listing = machineListing(), QObject* parent = nullptr);

    // How often the devices are listed and how long the search waits for
    // a new one.
    void setIntervals(int pollMs, int timeoutMs);

    // Takes the baseline and starts looking; a running search starts over.
    void start();
    // Stops without a result; no signal follows.
    void cancel();
    bool isRunning() const { return poll_.isActive(); }

    // One look at the devices: the first one not in the baseline, or empty.
    // start() and the timer call it; tests may call it directly.
    QString check();

signals:
    void found(const QString& device);
    void timedOut();

private:
    void onPoll();

    DeviceListing listing_;
    QStringList baseline_;
    QTimer poll_;
    QTimer deadline_;
};

} // namespace rz
