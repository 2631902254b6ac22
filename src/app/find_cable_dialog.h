#pragma once
// "Find my cable...": asks the user to unplug the programming cable, then to
// plug it in, and gives the serial device that appeared. Cancel and the
// time-out give none.
#include "link/cable_finder.h"
#include <QDialog>

class QLabel;
class QPushButton;

namespace rz {

class FindCableDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindCableDialog(CableFinder::DeviceListing listing, QWidget* parent = nullptr);

    // The device that appeared; empty after Cancel or the time-out.
    QString device() const { return device_; }
    bool timedOut() const { return timedOut_; }
    CableFinder& finder() { return finder_; }

    static QString unplugText();
    static QString plugInText();

public slots:
    // "Next": the cable is out; the search starts.
    void startSearch();
    void reject() override;

private:
    CableFinder finder_;
    QLabel* text_ = nullptr;
    QPushButton* next_ = nullptr;
    QString device_;
    bool timedOut_ = false;
};

} // namespace rz
