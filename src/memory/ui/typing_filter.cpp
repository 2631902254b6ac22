#include "memory/ui/typing_filter.h"
#include "memory/channel_form.h"
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace rz {

TypingFilter::TypingFilter(QLineEdit* box, int maxDigits)
    : QObject(box), box_(box), maxDigits_(maxDigits) {
    box->installEventFilter(this);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->setDragEnabled(false);
}

void TypingFilter::digits(QLineEdit* box, int maxDigits) {
    new TypingFilter(box, maxDigits);
}

void TypingFilter::name(QLineEdit* box) {
    new TypingFilter(box, 0);
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
}

QString TypingFilter::textAfter(const QString& typed) const {
    QString text = box_->text();
    if (box_->hasSelectedText())
        return text.replace(box_->selectionStart(), box_->selectedText().size(), typed);
    return text.insert(box_->cursorPosition(), typed);
}

bool TypingFilter::accepts(const QString& typed) const {
    const QString after = textAfter(typed);
    return maxDigits_ == 0 ? form::acceptsName(typed, after)
                           : form::acceptsDigits(typed, after, maxDigits_);
}

bool TypingFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return true;
        // Keys that type nothing (arrows, Delete, Tab, Escape, Enter) keep
        // their usual meaning: moving the focus, closing the dialog.
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false;
        if (key->modifiers() & Qt::ControlModifier)
            return false; // editing shortcuts; paste is refused above
        return !accepts(key->text());
    }
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        return !im->commitString().isEmpty() && !accepts(im->commitString());
    }
    case QEvent::MouseButtonRelease:
        // The middle button pastes the X11 selection.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

} // namespace rz
