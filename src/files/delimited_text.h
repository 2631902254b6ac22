#pragma once
// Comma- or semicolon-separated text as spreadsheets and other programs
// write it: UTF-8 with an optional byte-order mark, CR LF or LF, a field in
// double quotes when it holds the separator, a quote ("" inside) or a line
// end. The separator is the one the heading line uses; a semicolon file
// writes its numbers with a decimal comma.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace rz::delimited {

struct Record {
    int line = 0; // 1-based line of the text the record starts on
    QStringList fields;
};

struct Table {
    QChar separator = QLatin1Char(',');
    bool decimalComma = false;
    QList<Record> records; // the heading first; empty lines left out
};

// Reads the whole text; a quote left open runs to the end of the text.
Table parse(const QByteArray& utf8);
// The same for text already decoded (the clipboard's).
Table parse(const QString& text);
// Text with a known separator (a tab between a spreadsheet's cells).
Table parse(const QString& text, QChar separator);
// One line of fields, quoted where needed, without a line end.
QString joinRecord(const QStringList& fields, QChar separator = QLatin1Char(','));

} // namespace rz::delimited
