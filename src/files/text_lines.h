#pragma once
// Text files are code page 932 bytes with CR LF line ends. These helpers turn
// a file's bytes into lines and back, read a file whole and save one safely.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cerrno>

namespace rz::textfile {

// Lines of the text, without their CR LF (a lone LF also ends a line; a last
// line without an end is kept; an empty text has no lines).
QStringList splitLines(const QByteArray& bytes);
// Each line in the code page followed by CR LF.
QByteArray joinLines(const QStringList& lines);

// Far above any clone or CSV file the program writes (about 120 KB).
constexpr qint64 MaxTextFileBytes = 16 << 20;

// The whole file, or an empty array and the reason in *error. Only a regular
// file of at most maxBytes is read: a pipe would never end, a device such as
// /dev/zero would fill the memory.
QByteArray readFile(const QString& path, QString* error, qint64 maxBytes = MaxTextFileBytes);
// Writes to a temporary file in the same folder and renames it over the
// target only when every byte is on the disk; false and the reason in
// *error otherwise, the target left as it was.
bool saveFile(const QString& path, const QByteArray& bytes, QString* error);

// The path with the extension (".V70") added when its name has none: what
// the user typed as "second" is saved where Open will find it.
QString withExtension(const QString& path, const QString& extension);

// Stands in for a disk that fails (tests): while one lives, every save fails
// at its step with the system's reason for the error code.
class ForcedSaveFailure {
public:
    enum Step { Open, Write, Flush, Commit };
    explicit ForcedSaveFailure(Step step, int code = ENOSPC);
    ~ForcedSaveFailure();
    ForcedSaveFailure(const ForcedSaveFailure&) = delete;
    ForcedSaveFailure& operator=(const ForcedSaveFailure&) = delete;

    Step step() const { return step_; }
    int code() const { return code_; }

private:
    Step step_;
    int code_;
};

// The number a field starts with, as the file readers see it: blanks are
// skipped, an optional sign, then digits up to the first other character;
// an empty or non-numeric field is 0. Large values are clamped.
int leadingNumber(QStringView field);
bool isAsciiDigit(QChar c);

} // namespace rz::textfile
