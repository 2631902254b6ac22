#include "font/font_file.h"

#include "files/text_lines.h"
#include "model/code_page.h"

namespace rz::fontfile {

namespace {

const char LineEnd[] = "\r\n";
const char EndLine[] = "File End";
constexpr int MaxBlockNumber = 8; // a block line holds a value below 8

// Lines end at CR LF; a lone LF or CR ends one as well, so a file that went
// through another system's editor still reads.
QList<QByteArray> splitLines(const QByteArray& content) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.append(content.mid(start));
    return lines;
}

// The value a lenient number reader gives one character: its digit, or 0.
int characterValue(QChar c) {
    return c >= QChar('0') && c <= QChar('9') ? c.unicode() - '0' : 0;
}

bool startsBlock(const QString& line) {
    return line.size() == 1 && characterValue(line.at(0)) < MaxBlockNumber;
}

void applyRow(FontChar& character, int row, const QString& line) {
    if (line.size() != FontChar::Columns)
        return;
    for (int column = 0; column < FontChar::Columns; ++column) {
        const QChar c = line.at(column);
        const bool isDigit = c >= QChar('0') && c <= QChar('9');
        if (c == QChar('1'))
            character.setDot(row, column, true);
        else if (!isDigit || c == QChar('0'))
            character.setDot(row, column, false);
        // "2".."9" leave the dot as it was.
    }
}

ReadResult failure(ReadStatus status, int line, const QString& reason) {
    ReadResult result;
    result.status = status;
    result.line = line;
    result.reason = reason;
    return result;
}

ReadResult malformed(int line, const QString& reason) {
    return failure(ReadStatus::Malformed, line, reason);
}

// Fills characters 0, 1, ... from the blocks of the file's lines.
ReadResult readBlocks(const QStringList& lines, FontStore::Characters& characters) {
    int block = 0;
    // Line 1 is the header; i is the 0-based index of a line.
    for (int i = 1; i < lines.size(); ++i) {
        if (!startsBlock(lines.at(i)))
            continue;
        const int lineNumber = i + 1;
        if (block == FontStore::CharCount)
            return malformed(
                lineNumber,
                QStringLiteral("a ninth character starts here; a font file holds eight"));
        if (i + FontChar::Rows >= lines.size())
            return malformed(int(lines.size()),
                             QStringLiteral("the file ends inside the rows of character %1 (begun "
                                            "on line %2)")
                                 .arg(block)
                                 .arg(lineNumber));
        for (int row = 0; row < FontChar::Rows; ++row)
            applyRow(characters[size_t(block)], row, lines.at(i + 1 + row));
        i += FontChar::Rows;
        ++block;
    }
    if (block == 0)
        return malformed(0, QStringLiteral("the file holds no character"));
    return ReadResult();
}

} // namespace

QString headerLine(const QDateTime& when, const QLocale& locale) {
    return QStringLiteral("Save Date and Time ") +
           locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), QLocale::ShortFormat);
}

QByteArray fileBytes(const FontStore::Characters& characters, const QString& header) {
    QByteArray bytes = cp932::encode(header) + LineEnd;
    for (int k = 0; k < FontStore::CharCount; ++k) {
        bytes += QByteArray::number(k) + LineEnd;
        const FontChar& character = characters[size_t(k)];
        for (int row = 0; row < FontChar::Rows; ++row) {
            QByteArray line(FontChar::Columns, '0');
            for (int column = 0; column < FontChar::Columns; ++column) {
                if (character.dot(row, column))
                    line[column] = '1';
            }
            bytes += line + LineEnd;
        }
    }
    bytes += QByteArray(EndLine) + LineEnd;
    return bytes;
}

SaveResult writeFontFile(const QString& path, const FontStore::Characters& characters,
                         const QDateTime& when) {
    SaveResult result;
    result.ok = textfile::saveFile(path, fileBytes(characters, headerLine(when)), &result.error);
    return result;
}

QString ReadResult::describe() const {
    if (line <= 0)
        return reason;
    return QStringLiteral("line %1: %2").arg(line).arg(reason);
}

bool hasFontExtension(const QString& path) {
    return path.right(3).toUpper() == QLatin1String("FK4");
}

ParseResult parseFontFile(const QByteArray& content, const FontStore::Characters& current) {
    QStringList lines;
    for (const QByteArray& line : splitLines(content))
        lines.append(cp932::decode(line));
    ParseResult parsed;
    parsed.characters = current;
    parsed.result = readBlocks(lines, parsed.characters);
    if (!parsed.result.ok())
        parsed.characters = current;
    return parsed;
}

ReadResult readFontFile(const QString& path, FontStore& store) {
    if (!hasFontExtension(path))
        return failure(ReadStatus::WrongExtension, 0, QStringLiteral("This File don't Open"));
    QString error;
    const QByteArray content = textfile::readFile(path, &error, MaxFileBytes);
    if (!error.isEmpty())
        return failure(ReadStatus::CannotOpen, 0, error);
    const ParseResult parsed = parseFontFile(content, store.characters());
    if (parsed.result.ok())
        store.setCharacters(parsed.characters);
    return parsed.result;
}

} // namespace rz::fontfile
