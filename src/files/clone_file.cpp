#include "files/clone_file.h"

#include "files/text_lines.h"

#include <QLocale>

namespace rz::clone {

namespace {

const QString ErrorTitle = QStringLiteral("Error");
const QString HeaderStart = QStringLiteral("Save Date and Time");

FileOutcome cannotOpen(const QString& reason) {
    return FileOutcome::failure(QStringLiteral("Can't open the file."), ErrorTitle, 0, reason);
}

CloneSection* claimant(const CloneSections& sections, const QString& line) {
    for (CloneSection* section : sections.inOrder())
        if (section && section->claims(line))
            return section;
    return nullptr;
}

} // namespace

QString headerLine(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    return HeaderStart + QLatin1Char(' ') + locale.toString(when.date(), QLocale::ShortFormat) +
           QLatin1Char(' ') + locale.toString(when.time(), QLocale::LongFormat);
}

QString endLine() {
    return QStringLiteral("File End");
}

QStringList cloneLines(const CloneSections& sections, const QDateTime& when) {
    QStringList lines{headerLine(when)};
    for (const CloneSection* section : sections.inOrder())
        if (section)
            lines << section->lines();
    lines << endLine();
    return lines;
}

FileOutcome WriteCloneFile(const QString& path, const CloneSections& sections,
                           const QDateTime& when) {
    QString error;
    if (!textfile::saveFile(path, textfile::joinLines(cloneLines(sections, when)), &error))
        return FileOutcome::failure(QStringLiteral("Can't save the file."), ErrorTitle, 0, error);
    return FileOutcome::success(QStringLiteral("Save File"), QStringLiteral("Finish"));
}

FileOutcome readCloneText(const QByteArray& bytes, const CloneSections& sections) {
    const QStringList lines = textfile::splitLines(bytes);
    if (lines.isEmpty())
        return cannotOpen(QStringLiteral("the file is empty"));
    for (CloneSection* section : sections.inOrder())
        if (section)
            section->begin();
    QList<FileNotice> notices;
    // A file of another kind would otherwise open as an empty data set, and
    // from there wipe a receiver.
    bool recognised = lines.first().startsWith(HeaderStart);
    for (int i = 1; i < lines.size(); ++i) { // the first line is the header
        CloneSection* section = claimant(sections, lines.at(i));
        if (!section)
            continue;
        recognised = true;
        const LineResult result = section->read(lines.at(i));
        if (result.kind == LineResult::Failed)
            return FileOutcome::failure(QStringLiteral("Line %1: %2").arg(i + 1).arg(result.reason),
                                        ErrorTitle, i + 1, result.reason);
        if (!result.reason.isEmpty())
            notices << FileNotice{i + 1, result.reason};
    }
    if (!recognised)
        return cannotOpen(QStringLiteral("no line of the file is a line of a clone file"));
    for (CloneSection* section : sections.inOrder())
        if (section)
            section->commit();
    FileOutcome outcome =
        FileOutcome::success(QStringLiteral("Read File"), QStringLiteral("Finish"));
    outcome.notices = notices;
    return outcome;
}

FileOutcome ReadCloneFile(const QString& path, const CloneSections& sections) {
    if (!path.toUpper().endsWith(QLatin1String(".V70")))
        return cannotOpen(QStringLiteral("the file name does not end in .V70"));
    QString error;
    const QByteArray bytes = textfile::readFile(path, &error);
    if (!error.isEmpty())
        return cannotOpen(error);
    return readCloneText(bytes, sections);
}

} // namespace rz::clone
