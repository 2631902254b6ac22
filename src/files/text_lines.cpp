#include "files/text_lines.h"

#include "model/code_page.h"

#include <QDir>
#include <QFile>
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

QByteArray readFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return QByteArray();
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return QByteArray();
    }
    return bytes;
}

bool saveFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        // The save file does not always say why; the system does.
        const int code = errno;
        QString why = file.errorString();
        if (why.isEmpty() || why == QLatin1String("Unknown error"))
            why = code != 0 ? qt_error_string(code) : QStringLiteral("the file was not saved");
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
        return false;
    }
    return true;
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
