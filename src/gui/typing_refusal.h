#pragma once
// A drop-down list that takes no typing: a key that types a character is
// dropped, in the closed list and in its open drop-down, whose keyboard
// search would otherwise pick an entry. The arrows, Enter and Escape keep
// their use.
#include <QObject>

class QComboBox;

namespace rz {

class TypingRefusal : public QObject {
    Q_OBJECT
public:
    static void install(QComboBox* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace rz
