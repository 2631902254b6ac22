#pragma once
// Automatic backups: what was read from the receiver, and what is about to be
// written to it, saved as time-stamped clone files (and font files) in one
// folder that keeps the newest 30 of each kind. The desktop program and the
// command-line tool keep the same folder.
#include "model/data_set.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace rz::backup {

constexpr int Kept = 30;

// The user's data folder's "backups" folder.
QString defaultFolder();

enum class Kind { Read, Write };

struct Result {
    bool ok = false;
    QString error;       // why nothing (or not everything) was written
    QStringList written; // the files saved
    // One line for the status area or the terminal.
    QString summary() const;
};

// Saves the data set as "<time>-read.V70" or "<time>-write.V70" (with the
// selected port), and with `withFont` the font as "<time>-<kind>.FK4"; then
// removes the oldest files of each kind beyond the newest 30.
Result save(const QString& folder, DataSet& data, int port, Kind kind, bool withFont,
            const QDateTime& when = QDateTime::currentDateTime());

// Removes the oldest files matching `pattern` ("*.V70") beyond `kept`;
// names start with their time, so they sort by age.
void rotate(const QString& folder, const QString& pattern, int kept = Kept);

} // namespace rz::backup
