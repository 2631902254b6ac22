#include "files/csv_file.h"

#include "files/clone_channels.h"
#include "files/text_lines.h"
#include "model/value_tables.h"

namespace rz::csv {

namespace {

const QString FinishTitle = QStringLiteral(" Finish");
const QString ErrorTitle = QStringLiteral(" Error");
const QString FileError = QStringLiteral("CSV File Error");
constexpr int HeadingLength = 100; // another accepted form of the heading line
constexpr int FractionDigits = 5;

void report(const Progress& progress, int value) {
    if (progress)
        progress(value, ProgressMaximum);
}

QString quoted(const QStringList& fields) {
    return QLatin1Char('"') + fields.join(QStringLiteral("\",\"")) + QLatin1Char('"');
}

QString exportLine(const ChannelRow& row, int r) {
    QString frequency = row.text(ColFrequency);
    if (frequency.size() > 3)
        frequency.chop(3); // "MHz"
    QStringList fields{row.text(ColLabel), frequency};
    for (int c = ColMode; c <= ColToneType; ++c)
        fields << row.text(c);
    fields << QStringLiteral("---");
    for (int c = ColRxTone; c <= ColName; ++c)
        fields << row.text(c);
    fields << QString::number(r);
    return quoted(fields);
}

bool allDigits(QStringView text) {
    for (QChar c : text)
        if (!textfile::isAsciiDigit(c))
            return false;
    return true;
}

// A frequency or offset cell keeps only digits and the letters of "MHz" and
// its point.
QString keepFrequencyCharacters(const QString& text) {
    QString kept;
    for (QChar c : text)
        if (textfile::isAsciiDigit(c) || QStringLiteral("H.Mz").contains(c))
            kept += c;
    return kept;
}

// "145.5MHz" -> "145.50000MHz", "145" -> "145.00000MHz"; *fraction gets the
// five digits after the point in 10 Hz units. Only the unit letters at the end
// are taken off, so a field typed without "MHz" keeps its last digits.
QString normalisedFrequency(QString text, int* fraction) {
    while (!text.isEmpty() && QStringLiteral("HMz").contains(text.back()))
        text.chop(1);
    const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
    if (point < 0)
        text += QStringLiteral(".00000");
    else if (point >= text.size() - FractionDigits)
        text = text.leftJustified(point + 1 + FractionDigits, QLatin1Char('0'));
    *fraction = textfile::leadingNumber(
        QStringView(text).mid(text.lastIndexOf(QLatin1Char('.')) + 1, FractionDigits));
    return text + QStringLiteral("MHz");
}

struct RowSource {
    int line = 0; // the file line the row was read from, 0 when it kept its content
    int row = 0;
};

QString where(const RowSource& source) {
    return source.line > 0 ? QString() : QStringLiteral("row %1: ").arg(source.row);
}

FileOutcome headingFailure(const QString& reason) {
    return FileOutcome::failure(FileError, ErrorTitle, 1, reason);
}

} // namespace

QString checkRow(ChannelRow& row) {
    auto& cells = row.cells;
    if (cells[ColFrequency].isEmpty()) {
        row.clear();
        return QString();
    }
    int frequencyFraction = 0;
    int offsetFraction = 0;
    cells[ColFrequency] =
        normalisedFrequency(keepFrequencyCharacters(cells[ColFrequency]), &frequencyFraction);
    const QString offset = keepFrequencyCharacters(cells[ColOffset]);
    QString failure;
    if (offset.isEmpty())
        failure = QStringLiteral("no offset frequency");
    else
        cells[ColOffset] = normalisedFrequency(offset, &offsetFraction);

    struct Column {
        int column;
        QStringList accepted;
        quint8* code;
    };
    static const QStringList toneTypes = {"None", "TSQ", "SQ", "DCS", "Train"};
    static const QStringList shifts = {"Off", "+", "-"};
    static const QStringList skips = {"*", ""};
    quint8 step = 0;
    ChannelCodes codes = row.codes;
    const Column columns[] = {{ColMode, tables::modeTexts(), nullptr},
                              {ColStep, tables::stepTexts(), &step},
                              {ColTrain, tables::trainTexts(), &codes.train},
                              {ColToneType, toneTypes, nullptr},
                              {ColRxTone, tables::ctcssTexts(), &codes.rxTone},
                              {ColDcs, tables::dcsTexts(), &codes.dcs},
                              {ColShift, shifts, nullptr},
                              {ColSkip, skips, nullptr}};
    for (const Column& c : columns) {
        if (!failure.isEmpty())
            break;
        const qsizetype index = c.accepted.indexOf(cells[size_t(c.column)]);
        if (index < 0)
            failure = QStringLiteral("\"%1\" is not a %2 of the table")
                          .arg(cells[size_t(c.column)], tables::gridHeadings().at(c.column));
        else if (c.code)
            *c.code = quint8(index);
    }
    if (!failure.isEmpty()) {
        row.clear();
        return failure;
    }
    codes.step = quint8(tables::fittedStep(frequencyFraction, offsetFraction, step));
    codes.inUse = 1;
    cells[ColStep] = tables::stepText(codes.step);
    row.codes = codes;
    return QString();
}

namespace {

// No field of a real file is longer: a longer one is cut while it is read,
// so that nothing of a damaged file grows beyond what a cell can show.
constexpr int FieldWidth = 16;

QString fittedField(const QString& field, int column) {
    // A name of 32 bytes has at most 32 characters (and a few line ends).
    return column == ColName ? clone::savedName(field.left(4 * clone::NameByteLimit))
                             : field.left(FieldWidth);
}

} // namespace

QString expectedHeading() {
    return QStringLiteral("FreqencymodestepCarrierSubtone---TSQDCSShiftShift-FreqSkipName0");
}

QStringList exportLines(const ChannelTable& table, const Progress& progress) {
    QStringList lines;
    QStringList heading = tables::gridHeadings();
    heading << QStringLiteral("0");
    report(progress, 0);
    lines << quoted(heading);
    for (int r = 1; r <= ExportedRows; ++r) {
        report(progress, r);
        lines << exportLine(table.row(r), r);
    }
    report(progress, ProgressMaximum);
    return lines;
}

FileOutcome exportFile(const QString& path, const ChannelTable& table, const Progress& progress) {
    QString error;
    if (!textfile::saveFile(path, textfile::joinLines(exportLines(table, progress)), &error))
        return FileOutcome::failure(QStringLiteral("Can't save the file."), QStringLiteral("Error"),
                                    0, error);
    return FileOutcome::success(QStringLiteral("Save File"), QStringLiteral("Finish"));
}

bool frequencyFieldAccepted(const QString& field) {
    const qsizetype point = field.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? QStringView(field) : QStringView(field).left(point);
    const QStringView fraction = point < 0 ? QStringView() : QStringView(field).mid(point + 1);
    if (whole.isEmpty() || whole.size() > 4 || !allDigits(whole))
        return false;
    if (point >= 0 &&
        (fraction.isEmpty() || fraction.size() > FractionDigits || !allDigits(fraction)))
        return false;
    // The fraction counts in 10 Hz units whatever its length: "0.5" is 0.50000 MHz.
    const qint64 tens = qint64(textfile::leadingNumber(whole)) * 100000 +
                        textfile::leadingNumber(
                            fraction.toString().leftJustified(FractionDigits, QLatin1Char('0')));
    return tens >= 5000 && tens < 130000000;
}

ImportResult parseImport(const QByteArray& bytes, const ChannelTable& current,
                         const Progress& progress) {
    ImportResult result;
    const QStringList lines = textfile::splitLines(bytes);
    if (lines.isEmpty()) {
        result.outcome = headingFailure(QStringLiteral("the file is empty"));
        return result;
    }
    QString heading = lines.first();
    heading.remove(QLatin1Char('"')).remove(QLatin1Char(','));
    if (heading != expectedHeading() && heading.size() != HeadingLength) {
        result.outcome = headingFailure(QStringLiteral("the first line is not the heading line"));
        return result;
    }

    std::vector<ChannelRow> rows(size_t(ImportedRows + 1));
    std::vector<RowSource> sources(size_t(ImportedRows + 1));
    QList<FileNotice> notices;
    for (int r = 1; r <= ImportedRows; ++r) {
        rows[size_t(r)] = current.row(r);
        sources[size_t(r)].row = r;
    }
    // Pass 1: the fields into the cells.
    int rowsTaken = 0;
    report(progress, 0);
    for (int r = 1; r <= ImportedRows && r < lines.size(); ++r) {
        report(progress, r);
        QString line = lines.at(r);
        line.remove(QLatin1Char('"'));
        const qsizetype commas = line.count(QLatin1Char(','));
        if (commas != FieldCount - 1) {
            notices << FileNotice{
                r + 1, QStringLiteral("%1 commas instead of 13: row %2 kept").arg(commas).arg(r)};
            continue;
        }
        const QStringList fields = line.split(QLatin1Char(','));
        ChannelRow& row = rows[size_t(r)];
        for (int c = ColFrequency; c <= ColName; ++c)
            row.cells[size_t(c)] = fittedField(fields.at(c), c);
        if (row.cells[ColName] != fields.at(ColName))
            notices << FileNotice{
                r + 1, QStringLiteral("the name is cut to %1 bytes").arg(clone::NameByteLimit)};
        ++rowsTaken;
        sources[size_t(r)].line = r + 1;
        if (!frequencyFieldAccepted(row.cells[ColFrequency])) {
            if (!row.cells[ColFrequency].isEmpty())
                notices << FileNotice{
                    r + 1,
                    QStringLiteral("frequency \"%1\" not accepted").arg(row.cells[ColFrequency])};
            row.clearTexts();
            row.codes.inUse = 0;
        } else {
            row.cells[ColFrequency] += QStringLiteral("MHz");
        }
    }
    if (rowsTaken == 0) {
        result.outcome = FileOutcome::failure(
            FileError, ErrorTitle, 0, QStringLiteral("no line of the file is a channel row"));
        return result;
    }
    // Pass 2: every row against the value tables.
    for (int r = 1; r <= ImportedRows; ++r) {
        const QString failure = checkRow(rows[size_t(r)]);
        if (!failure.isEmpty()) {
            const RowSource& source = sources[size_t(r)];
            notices << FileNotice{source.line,
                                  where(source) + failure + QStringLiteral(": cleared")};
        }
    }
    report(progress, ProgressMaximum);
    result.rows = std::move(rows);
    result.outcome = FileOutcome::success(QStringLiteral("Inport CSV File"), FinishTitle);
    result.outcome.notices = notices;
    return result;
}

void applyImport(const ImportResult& result, ChannelTable& table) {
    if (!result.outcome.ok || result.rows.size() != size_t(ImportedRows + 1))
        return;
    table.beginUpdate();
    for (int r = 1; r <= ImportedRows; ++r)
        table.setRow(r, result.rows[size_t(r)]);
    table.endUpdate();
}

FileOutcome importFile(const QString& path, ChannelTable& table, const Progress& progress) {
    // A file of another kind is refused rather than passed over in silence.
    if (!path.toUpper().endsWith(QLatin1String("CSV")))
        return FileOutcome::failure(FileError, ErrorTitle, 0,
                                    QStringLiteral("the file name does not end in CSV"));
    QString error;
    const QByteArray bytes = textfile::readFile(path, &error);
    if (!error.isEmpty())
        return FileOutcome::failure(FileError, ErrorTitle, 0, error);
    const ImportResult result = parseImport(bytes, table, progress);
    applyImport(result, table);
    return result.outcome;
}

} // namespace rz::csv
