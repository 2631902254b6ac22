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

// The desktop program's data folder's "backups" folder, whichever program
// asks: ~/.local/share/rz-v70-writer/backups.
QString defaultFolder();

// What was read, what is about to be written, and recovered work the user
// chose not to restore.
enum class Kind { Read, Write, Discarded };

struct Result {
    bool ok = false;
    QString error;       // why nothing (or not everything) was written
    QStringList written; // the files saved
    // One line for the status area or the terminal.
    QString summary() const;
};

// Saves the data set as "<time>-read.V70", "<time>-write.V70" or
// "<time>-discarded.V70" (with the selected port), and with `withFont` the
// font as "<time>-<kind>.FK4"; then
// removes the oldest files of each kind beyond the newest 30.
Result save(const QString& folder, DataSet& data, int port, Kind kind, bool withFont,
            const QDateTime& when = QDateTime::currentDateTime());

// Removes the oldest files matching `pattern` ("*.V70") beyond `kept`;
// names start with their time, so they sort by age.
void rotate(const QString& folder, const QString& pattern, int kept = Kept);

} // namespace rz::backup
