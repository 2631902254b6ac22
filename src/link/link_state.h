#pragma once
// The state every radio operation of the main window shares. The busy code
// is non-zero while an operation runs and keeps a second one out.
#include <QObject>

namespace rz {

class LinkState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    quint16 busyCode() const { return busyCode_; }
    bool isBusy() const { return busyCode_ != 0; }
    void setBusyCode(quint16 code) {
        if (code == busyCode_)
            return;
        busyCode_ = code;
        emit busyChanged(code);
    }

signals:
    void busyChanged(quint16 code);

private:
    quint16 busyCode_ = 0;
};

} // namespace rz
