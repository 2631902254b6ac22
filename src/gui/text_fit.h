#pragma once
// Widths that show a text whole at the widget's own font: a window keeps the
// width it is drawn with where the text fits, and takes these where it does
// not. Each takes every text the widget may show (both vocabularies).
#include <QStringList>

class QAbstractItemView;
class QComboBox;
class QWidget;

namespace rz::fit {

// A plain label.
int labelWidth(const QWidget* label, const QStringList& texts);
// A closed drop-down list showing any of `entries`.
int listWidth(const QComboBox* list, const QStringList& entries);
// A cell of a grid.
int cellWidth(const QAbstractItemView* grid, const QStringList& texts);

} // namespace rz::fit
