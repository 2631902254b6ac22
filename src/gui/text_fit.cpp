#include "gui/text_fit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace rz::fit {
namespace {

int widest(const QWidget* w, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, w->fontMetrics().horizontalAdvance(text));
    return width;
}

} // namespace

int labelWidth(const QWidget* label, const QStringList& texts) {
    return widest(label, texts) + 2; // a label draws from its first pixel
}

int listWidth(const QComboBox* list, const QStringList& entries) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.frame = list->hasFrame();
    // The style's room around the entry, as the list's own size hint takes
    // it, and the pixel on each side that the entry is drawn inset.
    const QSize contents(widest(list, entries) + 2, list->fontMetrics().height());
    return list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, list).width();
}

int cellWidth(const QAbstractItemView* grid, const QStringList& texts) {
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return widest(grid, texts) + 2 * margin + 1;
}

} // namespace rz::fit
