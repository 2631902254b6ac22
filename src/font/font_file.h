#pragma once
// Font files (*.FK4): the eight user characters as text, one line per row.
//   line 1            "Save Date and Time" <date> <time>
//   line 2 + 17k      the number k of the character
//   the 16 lines after it: its rows, top first, "1" lit and "0" dark, column 0 first
//   line 138          "File End"
// Code page 932, every line ended by CR LF.
#include "font/font_store.h"
#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace rz::fontfile {

// The reader refuses anything larger: a font file has about 2.5 KB.
constexpr qint64 MaxFileBytes = 1 << 20;

// "Save Date and Time", a blank, the date, a blank, the time (short formats).
QString headerLine(const QDateTime& when, const QLocale& locale = QLocale::system());
// The whole file as it goes to disk.
QByteArray fileBytes(const FontStore::Characters& characters, const QString& header);

struct SaveResult {
    bool ok = false;
    QString error; // why the file could not be written
};
// Written through a temporary file, so a failed save keeps the earlier file.
SaveResult writeFontFile(const QString& path, const FontStore::Characters& characters,
                         const QDateTime& when = QDateTime::currentDateTime());

enum class ReadStatus {
    Read,           // the store holds what the file gave
    WrongExtension, // the name does not end in FK4: "This File don't Open"
    CannotOpen,     // the file could not be read
    Malformed,      // the file is not a font file the program can take
};

struct ReadResult {
    ReadStatus status = ReadStatus::Read;
    int line = 0;   // the line to blame (1-based), 0 when it is the whole file
    QString reason; // why it failed, empty when it was read
    bool ok() const { return status == ReadStatus::Read; }
    QString describe() const; // "line 40: ..." or the reason alone
};

struct ParseResult {
    ReadResult result;
    FontStore::Characters characters; // the store as the file leaves it
};

// The last three characters of the name, in any case, are "FK4".
bool hasFontExtension(const QString& path);

// Reads file content over the characters given (those the store holds now): the first line
// is skipped; a line of one character whose value is below 8 (a character
// that is no digit counts as 0) starts the block of the next character, 0
// first, whatever its number says; the 16 lines after it are its rows. A row
// line that is not 16 characters long keeps its row; in a row line "1" lights
// a dot, "2".."9" keep it and any other character darkens it. Lines outside
// the blocks are ignored. A file without a block, with a ninth block or that
// ends inside a block is refused, and the characters come back unchanged.
ParseResult parseFontFile(const QByteArray& content, const FontStore::Characters& current);

// Checks the name, reads and parses the whole file, and only then puts the
// characters into the store; a failed read leaves the store as it was.
ReadResult readFontFile(const QString& path, FontStore& store);

} // namespace rz::fontfile
