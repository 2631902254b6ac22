#pragma once
// Per-key filtering of the Memory Setting dialog's text boxes: digit boxes
// with a digit limit, and name boxes limited by their length in code page
// 932. Nothing reaches a box by pasting.
#include <QObject>

class QLineEdit;

namespace rz {

class TypingFilter : public QObject {
    Q_OBJECT
public:
    // A box of at most maxDigits digits.
    static void digits(QLineEdit* box, int maxDigits);
    // A channel name.
    static void name(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TypingFilter(QLineEdit* box, int maxDigits);
    // The box's text once `typed` replaces its selection or goes in at the
    // cursor: what the limits judge.
    QString textAfter(const QString& typed) const;
    bool accepts(const QString& typed) const;

    QLineEdit* box_;
    int maxDigits_; // 0 for a name box
};

} // namespace rz
