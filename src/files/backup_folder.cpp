#include "files/backup_folder.h"

#include "files/data_set_sections.h"
#include "font/font_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rz::backup {

QString defaultFolder() {
    // Not the asking program's own data folder: the command-line tool has
    // another name, and its backups belong with the desktop program's.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/rz-v70-writer/backups");
}

QString Result::summary() const {
    if (ok)
        return QStringLiteral("Backup saved: %1").arg(written.join(QStringLiteral(", ")));
    return QStringLiteral("Backup not saved: %1").arg(error);
}

namespace {

// A name not yet taken, even for two backups within one millisecond.
QString freeName(const QDir& dir, const QString& stem, const QString& suffix) {
    QString name = stem + suffix;
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix);
    return dir.filePath(name);
}

} // namespace

Result save(const QString& folder, DataSet& data, int port, Kind kind, bool withFont,
            const QDateTime& when) {
    Result result;
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create the folder %1").arg(folder);
        return result;
    }
    const QDir dir(folder);
    static const char* const kinds[] = {"-read", "-write", "-discarded"};
    const QString stem =
        when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QLatin1String(kinds[int(kind)]);

    const clone::DataSetSections sections(data, [port] { return port; });
    const QString clonePath = freeName(dir, stem, QStringLiteral(".V70"));
    const FileOutcome saved = sections.save(clonePath, when);
    if (!saved.ok) {
        result.error = saved.reason; // names the file
        return result;
    }
    result.written << clonePath;
    rotate(folder, QStringLiteral("*.V70"));

    if (withFont) {
        const QString fontPath = freeName(dir, stem, QStringLiteral(".FK4"));
        const fontfile::SaveResult font =
            fontfile::writeFontFile(fontPath, data.font.characters(), when);
        if (!font.ok) {
            result.error = font.error; // names the file
            return result;
        }
        result.written << fontPath;
        rotate(folder, QStringLiteral("*.FK4"));
    }
    result.ok = true;
    return result;
}

void rotate(const QString& folder, const QString& pattern, int kept) {
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    for (int i = 0; i + kept < names.size(); ++i)
        QFile::remove(QDir(folder).filePath(names.at(i)));
}

} // namespace rz::backup
