#include "gui/typing_refusal.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

namespace rz {

void TypingRefusal::install(QComboBox* list) {
    auto* refusal = new TypingRefusal(list);
    list->installEventFilter(refusal);
    // The open list's keys go to its view.
    list->view()->installEventFilter(refusal);
}

bool TypingRefusal::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace rz
