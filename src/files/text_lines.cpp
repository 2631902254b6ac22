#include "files/text_lines.h"

#include "model/code_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace rz::textfile {

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines << cp932::decode(bytes.mid(start, stop - start));
        start = next;
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += cp932::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

QString sizeText(qint64 bytes) {
    return bytes >= (1 << 20) ? QStringLiteral("%1 MiB").arg(bytes >> 20)
                              : QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace

QByteArray readFile(const QString& path, QString* error, qint64 maxBytes) {
    const QFileInfo info(path); // a link is judged by what it points to
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("%1 is not a regular file").arg(QDir::toNativeSeparators(path));
        return QByteArray();
    }
    const QString tooLarge = QStringLiteral("the file is larger than %1").arg(sizeText(maxBytes));
    if (info.size() > maxBytes) {
        *error = tooLarge;
        return QByteArray();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return QByteArray();
    }
    // The file may have grown since it was looked at.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return QByteArray();
    }
    if (bytes.size() > maxBytes) {
        *error = tooLarge;
        return QByteArray();
    }
    return bytes;
}

namespace {

const ForcedSaveFailure* forcedFailure = nullptr;

// True, with errno set, when a test makes this step fail.
bool failsHere(ForcedSaveFailure::Step step) {
    if (!forcedFailure || forcedFailure->step() != step)
        return false;
    errno = forcedFailure->code();
    return true;
}

// The reason the system gives for a failure, taken before the save is
// cancelled (which has a text of its own).
QString reason(const QSaveFile& file) {
    const int code = errno;
    const QString why = file.errorString();
    const bool unknown = why.isEmpty() || why == QLatin1String("Unknown error");
    if (code != 0 && (forcedFailure || unknown))
        return qt_error_string(code);
    return unknown ? QStringLiteral("the file was not saved") : why;
}

// Empty when every byte is on the disk and the file has replaced the old
// one; otherwise why not, the old file left as it was.
QString writeAndCommit(QSaveFile& file, const QByteArray& bytes) {
    using Step = ForcedSaveFailure;
    errno = 0;
    // Unbuffered, so that a write the disk refuses fails here: a buffered
    // save file flushes in commit() without noticing a failure, and renames
    // an empty file over the old one.
    if (failsHere(Step::Open) || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reason(file);
    if (failsHere(Step::Write) || file.write(bytes) != bytes.size() || failsHere(Step::Flush) ||
        !file.flush() || failsHere(Step::Commit)) {
        const QString why = reason(file);
        file.cancelWriting();
        return why;
    }
    return file.commit() ? QString() : reason(file);
}

} // namespace

bool saveFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    const QString why = writeAndCommit(file, bytes);
    if (why.isEmpty())
        return true;
    if (error)
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
    return false;
}

QString withExtension(const QString& path, const QString& extension) {
    const QFileInfo info(path);
    if (info.fileName().isEmpty() || !info.suffix().isEmpty())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + extension.mid(1) : path + extension;
}

ForcedSaveFailure::ForcedSaveFailure(Step step, int code) : step_(step), code_(code) {
    forcedFailure = this;
}

ForcedSaveFailure::~ForcedSaveFailure() {
    forcedFailure = nullptr;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int leadingNumber(QStringView field) {
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < field.size() && field[i] == QLatin1Char(' '))
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < field.size() && (field[i] == QLatin1Char('-') || field[i] == QLatin1Char('+'))) {
        negative = field[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (skipBlanks(); i < field.size() && isAsciiDigit(field[i]); ++i, skipBlanks())
        value = std::min<qint64>(value * 10 + (field[i].unicode() - '0'), 1000000000);
    return int(negative ? -value : value);
}

} // namespace rz::textfile
