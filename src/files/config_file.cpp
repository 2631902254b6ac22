#include "files/config_file.h"
#include "files/clone_file.h"
#include "files/text_lines.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rz::config {

static const char FileName[] = "RZ-V70_Writer.INI";

bool isInstalledLayout(const QString& programDir) {
    if (programDir.isEmpty())
        return false;
#ifdef Q_OS_WIN
    // The installer leaves its uninstaller beside the program; a portable
    // folder has none and keeps its configuration file with the program.
    return QFileInfo::exists(QDir(programDir).filePath(QStringLiteral("uninstall.exe")));
#else
    const QString entry =
        QStringLiteral("../share/applications/%1.desktop").arg(QLatin1String(AppId));
    return QFileInfo::exists(QDir(programDir).filePath(entry));
#endif
}

QString defaultPath(const QString& programDir) {
    const QString overridden = qEnvironmentVariable("RZ_V70_CONFIG");
    if (!overridden.isEmpty())
        return overridden;
    if (!programDir.isEmpty() && QFileInfo(programDir).isWritable() &&
        !isInstalledLayout(programDir))
        return QDir(programDir).filePath(QLatin1String(FileName));
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(userDir).filePath(QLatin1String(FileName));
}

QString defaultPath() {
    return defaultPath(QCoreApplication::applicationDirPath());
}

QString startFolder(const QString& programDir) {
    if (!isInstalledLayout(programDir))
        return programDir;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString startFolder() {
    return startFolder(QCoreApplication::applicationDirPath());
}

// The number the two characters start with, as a lenient reader of numbers
// sees it ("07" -> 7, " 7" -> 7, "7x" -> 7, "xx" -> 0).
static int leadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QChar('0') || c > QChar('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

PortSetting readPort(const QString& path) {
    PortSetting setting;
    QString error;
    const QByteArray bytes = textfile::readFile(path, &error);
    if (!error.isEmpty())
        return setting;
    setting.fileRead = true;
    for (const QString& line : textfile::splitLines(bytes)) {
        if (!line.startsWith(QLatin1String("CO")))
            continue;
        const int number = line.size() == 9 ? leadingNumber(line.mid(7, 2)) : 0;
        setting.port = number >= 1 && number <= PortCount ? number : 1;
        setting.checkedItem = setting.port;
        return setting;
    }
    return setting;
}

QString portLine(int port) {
    return QStringLiteral("COMPORT%1").arg(port, 2, 10, QChar('0'));
}

FileOutcome write(const QString& path, const clone::CloneSections& sections) {
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows in the save
    return clone::WriteCloneFile(path, sections);
}

} // namespace rz::config
