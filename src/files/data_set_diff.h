#pragma once
// What differs between two data sets, area by area, in lines a person reads:
// each channel row by its label with the fields that differ, the bank sizes,
// the one-touch keys, the bank links, the settings lists by their captions
// and the opening message. "Is my receiver still what my file says?"
#include "model/data_set.h"

#include <QStringList>

namespace rz::diff {

struct Area {
    QString name;      // "channels", "banks", ...
    QStringList lines; // one difference a line
};

// The areas that differ, in the order above; empty when the two are the same.
QList<Area> compare(const DataSet& a, const DataSet& b);

} // namespace rz::diff
