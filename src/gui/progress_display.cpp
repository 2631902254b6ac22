#include "gui/progress_display.h"

#include <QLineEdit>
#include <QProgressBar>

namespace rz {

void ProgressDisplay::attach(QProgressBar* bar, QLineEdit* text) {
    bar_ = bar;
    text_ = text;
}

void ProgressDisplay::progressMaximum(int maximum) {
    set(0, maximum);
}

void ProgressDisplay::progressValue(int value) {
    bar_->setValue(value);
}

void ProgressDisplay::progressText(const QString& text) {
    text_->setText(text);
}

void ProgressDisplay::set(int value, int maximum) {
    bar_->setMaximum(maximum);
    bar_->setValue(value);
}

} // namespace rz
