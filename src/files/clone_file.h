#pragma once
// The clone file (*.V70): the whole data set as tagged text lines between a
// header line and "File End". Each area's lines come from its CloneSection;
// the file is read whole and applied only when no line failed.
#include "files/clone_section.h"
#include "files/file_outcome.h"

#include <QByteArray>
#include <QDateTime>

namespace rz::clone {

// "Save Date and Time 2024/05/01 12:34:56", in the host's short date and
// long time formats; readers skip the first line whatever it holds.
QString headerLine(const QDateTime& when);
QString endLine(); // "File End"

// The complete clone text as lines.
QStringList cloneLines(const CloneSections& sections, const QDateTime& when);
// Saves the clone text over path (a failed save leaves the old file);
// "Save File" / "Finish" on success.
FileOutcome WriteCloneFile(const QString& path, const CloneSections& sections,
                           const QDateTime& when = QDateTime::currentDateTime());

// Reads a clone text into the sections: every line is read before any
// section commits, so a failing line changes nothing. "Read File" / "Finish"
// on success; otherwise the failing line and why. A text in which no line is
// the header or a line of some section is no clone file, and is refused.
FileOutcome readCloneText(const QByteArray& bytes, const CloneSections& sections);
// Opens a clone file: only names ending in ".V70", in any letter case.
FileOutcome ReadCloneFile(const QString& path, const CloneSections& sections);

} // namespace rz::clone
