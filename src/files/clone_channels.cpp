#include "files/clone_channels.h"

#include "files/text_lines.h"
#include "model/code_page.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"

#include <QRegularExpression>

namespace rz::clone {

namespace {

constexpr int LastEntry = ChannelTable::RowCount - 1;
constexpr int FrequencyWholeDigits = 4;
constexpr int OffsetWholeDigits = 3;
constexpr int FractionDigits = 5;

QString padded(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// A code outside its table (a receiver record can hold any byte) is saved as
// 0, so that the saved line keeps its widths and can be read back.
QString codeField(int code, int count, int width) {
    return padded(code >= 0 && code < count ? code : 0, width);
}

// "145.00000MHz" -> "0145.00000": the cell text without "MHz", padded. A
// text of another form is laid out from its value, so that every field keeps
// its positions; a value too large for the field is saved as the largest the
// field holds.
QString frequencyField(const QString& cell, int wholeDigits) {
    static const QRegularExpression plain(QStringLiteral("^[0-9]{1,4}\\.[0-9]{5}MHz$"));
    if (plain.match(cell).hasMatch() && cell.size() - 3 <= wholeDigits + 1 + FractionDigits)
        return cell.left(cell.size() - 3)
            .rightJustified(wholeDigits + 1 + FractionDigits, QLatin1Char('0'));
    const quint32 hz = freq::textToHz(cell);
    quint32 whole = hz / 1000000;
    quint32 fraction = hz % 1000000 / 10;
    quint32 limit = 1;
    for (int i = 0; i < wholeDigits; ++i)
        limit *= 10;
    if (whole >= limit) {
        whole = limit - 1;
        fraction = 99999;
    }
    return padded(int(whole), wholeDigits) + QLatin1Char('.') +
           padded(int(fraction), FractionDigits);
}

// 1-based position and width, as the file's layout is written.
QStringView field(const QString& line, int position, int width) {
    return QStringView(line).mid(position - 1, width);
}

int value(const QString& line, int position, int width) {
    return textfile::leadingNumber(field(line, position, width));
}

bool digitsAt(const QString& line, int position, int width) {
    const QStringView text = field(line, position, width);
    if (text.size() != width)
        return false;
    for (QChar c : text)
        if (!textfile::isAsciiDigit(c))
            return false;
    return true;
}

QString frequencyCell(const QString& line, int wholeAt, int wholeWidth, int fractionAt) {
    return QString::number(value(line, wholeAt, wholeWidth)) + QLatin1Char('.') +
           field(line, fractionAt, FractionDigits).toString() + QStringLiteral("MHz");
}

// The file's tone-type codes 0, 1, 3, 4, 5; anything else is "None".
QString toneTypeCell(int code) {
    const QString text = tables::toneTypeGridText(code);
    return text.isEmpty() ? QStringLiteral("None") : text;
}

struct IndexField {
    const char* what;
    int position;
    int width;
    int count;
};

} // namespace

QString savedName(const QString& name) {
    QString saved;
    int bytes = 0;
    for (char32_t c : name.toUcs4()) {
        if (c == U'\r' || c == U'\n')
            continue;
        bytes += cp932::charByteLength(c);
        if (bytes > NameByteLimit)
            break;
        saved += QString::fromUcs4(&c, 1);
    }
    return saved;
}

QString FormatChannelLine(const ChannelTable& table, int entry) {
    return FormatChannelLine(table.row(entry + 1), entry);
}

QString FormatChannelLine(const ChannelRow& row, int entry) {
    const ChannelCodes& codes = row.codes;
    const int mode = std::max(0, int(tables::modeTexts().indexOf(row.text(ColMode))));
    return QStringLiteral("CH") + padded(entry, 4) +
           frequencyField(row.text(ColFrequency), FrequencyWholeDigits) + QString::number(mode) +
           codeField(codes.step, tables::StepCount, 2) +
           codeField(codes.train, tables::TrainCount, 2) +
           QString::number(tables::toneTypeCodeForText(row.text(ColToneType))) +
           codeField(codes.txTone, tables::CtcssCount, 2) +
           codeField(codes.rxTone, tables::CtcssCount, 2) +
           codeField(codes.dcs, tables::DcsCount, 3) +
           QString::number(tables::shiftCodeForText(row.text(ColShift))) +
           frequencyField(row.text(ColOffset), OffsetWholeDigits) +
           (row.text(ColSkip) == QLatin1String("*") ? QLatin1Char('1') : QLatin1Char('0')) +
           savedName(row.text(ColName));
}

LineResult ParseChannelLine(const QString& line, std::vector<ChannelRow>& rows) {
    if (line.size() < ChannelLineMinimum)
        return LineResult::failed(
            QStringLiteral("a channel line has 40 characters or more, this one %1")
                .arg(line.size()));
    const int entry = value(line, 3, 4);
    if (entry < 0 || entry > LastEntry || !digitsAt(line, 3, 4))
        return LineResult::failed(
            QStringLiteral("entry \"%1\" is not one of 0000 to 1720").arg(field(line, 3, 4)));
    if (!digitsAt(line, 7, 4) || !digitsAt(line, 12, 5))
        return LineResult::failed(QStringLiteral("frequency \"%1\" is not 4 digits, a point and "
                                                 "5 digits")
                                      .arg(field(line, 7, 10)));
    if (!digitsAt(line, 31, 3) || !digitsAt(line, 35, 5))
        return LineResult::failed(QStringLiteral("offset \"%1\" is not 3 digits, a point and "
                                                 "5 digits")
                                      .arg(field(line, 31, 9)));
    static const IndexField indexFields[] = {{"step", 18, 2, tables::StepCount},
                                             {"train tone", 20, 2, tables::TrainCount},
                                             {"transmit tone", 23, 2, tables::CtcssCount},
                                             {"CTCSS tone", 25, 2, tables::CtcssCount},
                                             {"DCS code", 27, 3, tables::DcsCount}};
    for (const IndexField& f : indexFields) {
        const int index = value(line, f.position, f.width);
        if (index < 0 || index >= f.count)
            return LineResult::failed(QStringLiteral("%1 index %2 is not below %3")
                                          .arg(QLatin1String(f.what))
                                          .arg(index)
                                          .arg(f.count));
    }

    ChannelRow& row = rows[size_t(entry + 1)];
    auto& cells = row.cells;
    ChannelCodes& codes = row.codes;
    cells[ColFrequency] = frequencyCell(line, 7, 4, 12);
    const int mode = value(line, 17, 1);
    cells[ColMode] =
        mode >= 0 && mode < tables::ModeCount ? tables::modeTexts().at(mode) : QStringLiteral("FM");
    codes.step =
        quint8(tables::fittedStep(value(line, 12, 5), value(line, 35, 5), value(line, 18, 2)));
    cells[ColStep] = tables::stepText(codes.step);
    codes.train = quint8(value(line, 20, 2));
    cells[ColTrain] = tables::trainText(codes.train);
    cells[ColToneType] = toneTypeCell(value(line, 22, 1));
    codes.txTone = quint8(value(line, 23, 2));
    cells[ColTxTone] = tables::ctcssText(codes.txTone);
    codes.rxTone = quint8(value(line, 25, 2));
    cells[ColRxTone] = tables::ctcssText(codes.rxTone);
    codes.dcs = quint8(value(line, 27, 3));
    cells[ColDcs] = tables::dcsText(codes.dcs);
    cells[ColShift] = tables::shiftGridText(value(line, 30, 1));
    cells[ColOffset] = frequencyCell(line, 31, 3, 35);
    cells[ColSkip] = line.at(39) == QLatin1Char('1') ? QStringLiteral("*") : QString();

    const QString name = line.mid(ChannelLineMinimum);
    if (cp932::byteLength(name) > NameByteLimit) {
        cells[ColName].clear();
        return LineResult::read(
            QStringLiteral("entry %1: the name is longer than 32 bytes; the entry is not taken")
                .arg(entry));
    }
    cells[ColName] = name;
    codes.inUse = 1;
    return LineResult::read();
}

QStringList ChannelSection::lines() const {
    QStringList lines;
    for (int entry = 0; entry <= LastEntry; ++entry)
        if (table_.inUse(entry + 1))
            lines << FormatChannelLine(table_, entry);
    return lines;
}

void ChannelSection::begin() {
    pending_.assign(size_t(ChannelTable::RowCount + 1), ChannelRow());
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        pending_[size_t(r)] = table_.row(r);
        if (r <= EntriesClearedByOpen)
            pending_[size_t(r)].clear();
    }
}

bool ChannelSection::claims(const QString& line) const {
    return line.startsWith(QLatin1String("CH"));
}

LineResult ChannelSection::read(const QString& line) {
    return ParseChannelLine(line, pending_);
}

void ChannelSection::commit() {
    table_.beginUpdate();
    for (int r = 1; r <= ChannelTable::RowCount; ++r)
        table_.setRow(r, pending_[size_t(r)]);
    table_.endUpdate();
}

} // namespace rz::clone
