#pragma once
// The main window's progress bar "ProgressBar1" and its text "Progress" as
// an operation's progress reports them.
#include "link/operation.h"

class QLineEdit;
class QProgressBar;

namespace rz {

class ProgressDisplay : public OperationSink {
public:
    void attach(QProgressBar* bar, QLineEdit* text);

    void progressMaximum(int maximum) override;
    void progressValue(int value) override;
    void progressText(const QString& text) override;

    void set(int value, int maximum);

private:
    QProgressBar* bar_ = nullptr;
    QLineEdit* text_ = nullptr;
};

} // namespace rz
