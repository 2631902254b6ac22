#include "app/recovery_keeper.h"

#include "gui/edit_history.h"

#include <QDateTime>

namespace rz {

RecoveryKeeper::RecoveryKeeper(DataSet& data, EditHistory& history, const QString& folder,
                               Clock clock, QObject* parent)
    : QObject(parent), data_(data), history_(history), store_(folder),
      clock_(clock ? std::move(clock) : [] { return QDateTime::currentMSecsSinceEpoch(); }) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::tick);
    connect(&history, &EditHistory::stepped, this, &RecoveryKeeper::changed);
    connect(&history, &EditHistory::modifiedChanged, this, [this](bool modified) {
        if (!modified && !history_.inBulk()) { // saved, or undone back to the saved state
            pending_ = false;
            timer_.stop();
            store_.remove();
        }
    });
}

void RecoveryKeeper::changed(bool bulk) {
    if (!history_.isModified())
        return;
    pending_ = true;
    const qint64 waited = clock_() - lastSave_;
    if (bulk || !saved_ || waited >= IntervalMs)
        save();
    else if (!timer_.isActive())
        timer_.start(int(IntervalMs - waited));
}

void RecoveryKeeper::tick() {
    if (pending_ && history_.isModified() && (!saved_ || clock_() - lastSave_ >= IntervalMs))
        save();
}

void RecoveryKeeper::save() {
    timer_.stop();
    const recovery::Result result = store_.save(DataSetSnapshot::take(data_));
    lastSave_ = clock_();
    saved_ = true;
    pending_ = !result.ok;
    if (!result.ok && lastError_.isEmpty())
        emit saveFailed(result.error);
    lastError_ = result.ok ? QString() : result.error;
}

void RecoveryKeeper::finish() {
    timer_.stop();
    pending_ = false;
    store_.remove();
}

} // namespace rz
