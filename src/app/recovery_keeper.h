#pragma once
// Keeps the recovery file while the data set has unsaved changes: saved
// after each bulk change, and after other changes at most every 30 s; removed
// when the changes are saved or undone, and at a clean exit.
#include "files/recovery_file.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace rz {

class EditHistory;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 IntervalMs = 30000;
    // Milliseconds from any fixed start; tests give their own clock.
    using Clock = std::function<qint64()>;

    RecoveryKeeper(DataSet& data, EditHistory& history, const QString& folder,
                   Clock clock = Clock(), QObject* parent = nullptr);

    recovery::Store& store() { return store_; }
    // The timer's check: saves when a change waits and 30 s have passed.
    void tick();
    // A clean exit: the file goes.
    void finish();
    // The last save's failure, empty after a success.
    QString lastError() const { return lastError_; }

signals:
    // A save failed (once per run of failures).
    void saveFailed(const QString& error);

private:
    void changed(bool bulk);
    void save();

    DataSet& data_;
    EditHistory& history_;
    recovery::Store store_;
    Clock clock_;
    QTimer timer_;
    qint64 lastSave_ = 0;
    bool saved_ = false;   // lastSave_ holds a time
    bool pending_ = false; // a change is not in the file yet
    QString lastError_;
};

} // namespace rz
