// The channel table out as the common channel-list CSV. A tone squelch is
// "TSQL" with the tone in both tone columns, DCS is "DTCS" with the code in
// both code columns; what has no column (the train squelch, the "SQ"
// squelch, a train tone other than the default) is named in the report.
#include "files/channel_list.h"

#include "files/text_lines.h"
#include "model/frequency_text.h"
#include "model/value_tables.h"

namespace rz::channellist {

namespace {

const QString TonePlaceholder = QStringLiteral("88.5");
const QString DcsPlaceholder = QStringLiteral("023");
const QString PolarityPlaceholder = QStringLiteral("NN");
const QString CrossPlaceholder = QStringLiteral("Tone->Tone");

// "145.50000MHz" -> "145.500000".
QString sixDecimals(const QString& cell) {
    const quint32 hz = freq::textToHz(cell);
    return QString::number(hz / 1000000) + QLatin1Char('.') +
           QString::number(hz % 1000000).rightJustified(6, QLatin1Char('0'));
}

// "88.5Hz" -> "88.5".
QString hertz(const QString& toneText) {
    QString text = toneText;
    if (text.endsWith(QLatin1String("Hz")))
        text.chop(2);
    return text;
}

// The step's size in kHz with two decimals ("12.50", "0.05").
QString stepKilohertz(int step) {
    const int size = tables::stepSize(step); // 10 Hz units
    return QString::number(size / 100) + QLatin1Char('.') +
           QString::number(size % 100).rightJustified(2, QLatin1Char('0'));
}

struct Line {
    QStringList fields;
    QStringList lost; // what the format cannot hold
};

Line exportRow(const ChannelRow& row, int r) {
    Line line;
    QStringList& f = line.fields;
    for (int c = 0; c < ColumnCount; ++c)
        f << QString();
    f[Location] = QString::number(r);
    f[Name] = row.text(ColName);
    f[Frequency] = sixDecimals(row.text(ColFrequency));
    const QString shift = row.text(ColShift);
    f[Duplex] = shift == QLatin1String("+") || shift == QLatin1String("-") ? shift : QString();
    f[Offset] = sixDecimals(row.text(ColOffset));
    f[RToneFreq] = f[CToneFreq] = TonePlaceholder;
    f[DtcsCode] = f[RxDtcsCode] = DcsPlaceholder;
    f[DtcsPolarity] = PolarityPlaceholder;
    f[CrossMode] = CrossPlaceholder;

    const QString type = row.text(ColToneType);
    if (type == QLatin1String("TSQ")) {
        f[Tone] = QStringLiteral("TSQL");
        f[RToneFreq] = f[CToneFreq] = hertz(row.text(ColRxTone));
    } else if (type == QLatin1String("DCS")) {
        f[Tone] = QStringLiteral("DTCS");
        f[DtcsCode] = f[RxDtcsCode] = row.text(ColDcs);
    } else if (type == QLatin1String("Train")) {
        line.lost << QStringLiteral("squelch \"Train\" with train tone %1").arg(row.text(ColTrain));
    } else if (type != QLatin1String("None")) {
        line.lost << QStringLiteral("squelch \"%1\"").arg(type);
    }
    if (type != QLatin1String("Train") && row.codes.train != tables::TrainDefault)
        line.lost << QStringLiteral("train tone %1").arg(row.text(ColTrain));
    f[Mode] = row.text(ColMode);
    f[TStep] = stepKilohertz(row.codes.step);
    f[Skip] = row.text(ColSkip) == QLatin1String("*") ? QStringLiteral("S") : QString();
    f[Comment] = row.text(ColLabel);
    return line;
}

} // namespace

const QStringList& columnNames() {
    static const QStringList names = {
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return names;
}

QString noticeText(const FileNotice& notice) {
    return notice.line > 0 ? QStringLiteral("Line %1: %2").arg(notice.line).arg(notice.text)
                           : notice.text;
}

QString reportText(const QList<FileNotice>& notices, int shown) {
    QStringList lines;
    for (int i = 0; i < notices.size() && i < shown; ++i)
        lines << noticeText(notices.at(i));
    if (notices.size() > shown)
        lines << QStringLiteral("... and %1 more").arg(notices.size() - shown);
    return lines.join(QLatin1Char('\n'));
}

ExportResult exportLines(const ChannelTable& table) {
    ExportResult result;
    result.lines << delimited::joinRecord(columnNames());
    for (int r = 1; r <= ChannelTable::RowCount; ++r) {
        if (!table.inUse(r))
            continue;
        const Line line = exportRow(table.row(r), r);
        result.lines << delimited::joinRecord(line.fields);
        ++result.channels;
        if (!line.lost.isEmpty())
            result.report << FileNotice{int(result.lines.size()),
                                        QStringLiteral("%1 (row %2): not in the file: %3")
                                            .arg(table.text(r, ColLabel))
                                            .arg(r)
                                            .arg(line.lost.join(QStringLiteral(", ")))};
    }
    return result;
}

FileOutcome exportFile(const QString& path, const ChannelTable& table, int* channels) {
    const ExportResult result = exportLines(table);
    const QByteArray bytes =
        (result.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    QString error;
    if (!textfile::saveFile(path, bytes, &error))
        return FileOutcome::failure(QStringLiteral("Can't save the file."), QStringLiteral("Error"),
                                    0, error);
    FileOutcome outcome =
        FileOutcome::success(QStringLiteral("Save File"), QStringLiteral("Finish"));
    if (channels)
        *channels = result.channels;
    outcome.notices = result.report;
    return outcome;
}

} // namespace rz::channellist
