#pragma once
// The state every radio operation of the main window shares. The busy code
// is non-zero while an operation runs and keeps a second one out. The
// failure counter is what the last operation left (the read-all and
// write-all sequences look at it), the result flag is 1 while a sequence
// runs its steps (no "Success" from a step) and 2 after a failed operation,
// and the closing flag is set once the main window starts closing.
//
// The object lives on the owner's (user-interface) thread; the operation
// runner updates it there.
#include <QObject>

namespace rz {

class LinkState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Result flag values.
    static constexpr quint8 ResultNormal = 0;
    static constexpr quint8 ResultQuiet = 1;
    static constexpr quint8 ResultFailed = 2;

    quint16 busyCode() const { return busyCode_; }
    bool isBusy() const { return busyCode_ != 0; }
    void setBusyCode(quint16 code) {
        if (code == busyCode_)
            return;
        busyCode_ = code;
        emit busyChanged(code);
    }

    quint8 failureCounter() const { return failureCounter_; }
    void setFailureCounter(quint8 count) { failureCounter_ = count; }

    quint8 resultFlag() const { return resultFlag_; }
    void setResultFlag(quint8 flag) { resultFlag_ = flag; }

    bool isClosing() const { return closing_; }
    void setClosing(bool closing) { closing_ = closing; }

    // Read-all mode: 0 normal; 1 while Read all has the font window and the
    // bank-link dialog read their data at once and close; 2 once the
    // bank-link dialog has finished in that mode.
    static constexpr quint8 ReadAllOff = 0;
    static constexpr quint8 ReadAllRunning = 1;
    static constexpr quint8 ReadAllLinksDone = 2;
    quint8 readAllMode() const { return readAllMode_; }
    void setReadAllMode(quint8 mode) { readAllMode_ = mode; }

    // Opened-from-button flag: 1 while the main window prepares the font
    // window or the bank-link dialog from its own button, so that their
    // loading does not start a read.
    quint8 openedFromButton() const { return openedFromButton_; }
    void setOpenedFromButton(quint8 flag) { openedFromButton_ = flag; }

signals:
    void busyChanged(quint16 code);

private:
    quint16 busyCode_ = 0;
    quint8 failureCounter_ = 0;
    quint8 resultFlag_ = ResultNormal;
    bool closing_ = false;
    quint8 readAllMode_ = ReadAllOff;
    quint8 openedFromButton_ = 0;
};

} // namespace rz
