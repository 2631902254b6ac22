#include "memory/row_clipboard.h"

#include "files/csv_file.h"
#include "files/delimited_text.h"
#include "model/channel_table.h"
#include "model/value_tables.h"

namespace rz::memory {

namespace {

constexpr int LastPasteRow = channellist::LastImportRow;

bool isEmptyRow(const QStringList& cells) {
    for (const QString& cell : cells)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

// One pasted row's cells into a channel, through the CSV import's checks;
// an empty text when stored, else why not.
QString pastedChannel(const QStringList& cells, const ChannelRow& target, ChannelRow* channel,
                      QStringList* changes) {
    ChannelRow row;
    if (isEmptyRow(cells)) {
        row.clear();
        *channel = row;
        return QString();
    }
    for (int c = ColFrequency; c <= ColName; ++c)
        row.cells[size_t(c)] = cells.at(c - 1).trimmed();
    QString frequency = row.cells[ColFrequency];
    if (frequency.endsWith(QLatin1String("MHz")))
        frequency.chop(3);
    if (!csv::frequencyFieldAccepted(frequency))
        return QStringLiteral("frequency \"%1\" not accepted").arg(row.text(ColFrequency));
    row.cells[ColFrequency] = frequency + QStringLiteral("MHz");
    const QString step = row.text(ColStep);
    const qsizetype tx = tables::ctcssTexts().indexOf(row.text(ColTxTone));
    row.codes = ChannelCodes();
    row.codes.txTone = tx >= 0 ? quint8(tx) : target.codes.txTone;
    row.cells[ColTxTone] = tables::ctcssText(row.codes.txTone);
    // The name is the CSV import's: as given, but a line end or tab from a
    // quoted cell has no place in a name (nor in the files that keep it).
    QString& name = row.cells[ColName];
    for (QChar& c : name)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    if (name != cells.at(ColName - 1).trimmed())
        *changes << QStringLiteral("name \"%1\": \"%2\"").arg(cells.at(ColName - 1), name);
    const QString failure = csv::checkRow(row);
    if (!failure.isEmpty())
        return failure;
    if (row.text(ColStep) != step)
        *changes << QStringLiteral("step %1 does not fit the frequency: %2")
                        .arg(step, row.text(ColStep));
    *channel = row;
    return QString();
}

channellist::ImportResult parseGridRows(const delimited::Table& table, const ChannelTable& current,
                                        int firstRow) {
    channellist::ImportResult result;
    QList<FileNotice> notices;
    int row = firstRow;
    for (const delimited::Record& record : table.records) {
        const QString where = QStringLiteral("row %1: ").arg(row);
        QString refusal;
        QStringList changes;
        ChannelRow channel;
        if (row < 1 || row > LastPasteRow)
            refusal = QStringLiteral("only rows 1-%1 take channels, not the bug-detector rows")
                          .arg(LastPasteRow);
        else if (record.fields.size() != CopiedColumns)
            refusal = QStringLiteral("%1 cells instead of %2")
                          .arg(record.fields.size())
                          .arg(CopiedColumns);
        else
            refusal = pastedChannel(record.fields, current.row(row), &channel, &changes);
        if (!refusal.isEmpty()) {
            notices << FileNotice{record.line, where + QStringLiteral("refused: ") + refusal};
            ++result.refused;
        } else {
            if (!changes.isEmpty()) {
                notices << FileNotice{record.line, where + QStringLiteral("changed: ") +
                                                       changes.join(QStringLiteral("; "))};
                ++result.changed;
            }
            result.rows.push_back({row, channel});
        }
        ++row;
    }
    result.outcome = FileOutcome::success(QStringLiteral("Paste"), QStringLiteral(" Finish"));
    result.outcome.notices = notices;
    return result;
}

} // namespace

QString copyRows(const ChannelTable& table, RowRange rows) {
    QStringList lines;
    for (int r = rows.first; r <= rows.last; ++r) {
        QStringList cells;
        for (int c = ColFrequency; c <= ColName; ++c)
            cells << table.text(r, c);
        lines << delimited::joinRecord(cells, QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

channellist::ImportResult parsePaste(const QString& text, const ChannelTable& table, int firstRow) {
    const delimited::Table list = delimited::parse(text);
    if (channellist::isChannelList(list))
        return channellist::parseImport(list, table, firstRow);
    return parseGridRows(delimited::parse(text, QLatin1Char('\t')), table, firstRow);
}

} // namespace rz::memory
